<?xml version="1.0" encoding="UTF-8"?>
<!-- The view of the test annotations: the note with its line breaks, backslashes and braces. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="nvmini_common.xsl"/>
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:template match="/body">{\rtf1\ansi <xsl:apply-templates select="node()[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="br">\line </xsl:template>
  <xsl:template match="bs">\\</xsl:template>
  <xsl:template match="bkb">\{</xsl:template>
  <xsl:template match="bke">\}</xsl:template>
</xsl:stylesheet>
