<?xml version="1.0" encoding="UTF-8"?>
<!-- Helpers shared by the views of the test dictionary: text escaped for RTF. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template name="esc">
    <xsl:param name="s"/>
    <xsl:choose>
      <xsl:when test="translate($s, '\{}', '') = $s"><xsl:value-of select="$s"/></xsl:when>
      <xsl:otherwise>
        <xsl:variable name="c" select="substring($s, 1, 1)"/>
        <xsl:if test="contains('\{}', $c)">\</xsl:if>
        <xsl:value-of select="$c"/>
        <xsl:call-template name="esc"><xsl:with-param name="s" select="substring($s, 2)"/></xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <xsl:template match="text()">
    <xsl:call-template name="esc"><xsl:with-param name="s" select="."/></xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
