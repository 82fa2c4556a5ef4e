<?xml version="1.0" encoding="UTF-8"?>
<!-- The one view of the test dictionary: headword in bold, pronunciation with its sound,
     translations as cross-references, examples when checked, abbreviations and hits. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="nvmini_common.xsl"/>
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:param name="dicPath"/>
  <xsl:param name="gl"/>
  <xsl:param name="sl"/>
  <xsl:param name="tl"/>
  <xsl:template match="/body">{\rtf1\ansi <xsl:apply-templates select="*[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="hw">{\b <xsl:apply-templates/>} </xsl:template>
  <xsl:template match="pron">
    <xsl:if test="/body/view-options/phon-checked">
      <xsl:if test="@sound">{\*\customSound <xsl:value-of select="@sound"/>,1}*</xsl:if>
      <xsl:text>[</xsl:text><xsl:apply-templates/><xsl:text>] </xsl:text>
    </xsl:if>
  </xsl:template>
  <xsl:template match="tr">{\*\customRef <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/><xsl:text> </xsl:text></xsl:template>
  <xsl:template match="ex">
    <xsl:if test="/body/view-options/examples-checked">{\i <xsl:apply-templates/>}</xsl:if>
  </xsl:template>
  <xsl:template match="notes">
    <xsl:if test="/body/view-options/notes-checked">{\i <xsl:apply-templates/>}</xsl:if>
  </xsl:template>
  <xsl:template match="abbr">{\*\customAbbr <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/></xsl:template>
  <xsl:template match="em">{\highlight1 <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="pic">{\*\customImage <xsl:value-of select="@file"/>}</xsl:template>
  <xsl:template match="info">[sl=<xsl:value-of select="$sl"/> tl=<xsl:value-of select="$tl"/> gl=<xsl:value-of select="$gl"/> path=<xsl:value-of select="$dicPath"/>]</xsl:template>
</xsl:stylesheet>
