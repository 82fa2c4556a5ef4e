<?xml version="1.0" encoding="UTF-8"?>
<!-- The view of the user's own notes: the note as typed, with its line breaks. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:param name="dicPath"/>
  <xsl:param name="gl"/>
  <xsl:param name="sl"/>
  <xsl:param name="tl"/>
  <xsl:template match="/body">{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Sans;}}{\colortbl;\red0\green0\blue160;\red255\green255\blue0;}\fs22 <xsl:apply-templates select="node()[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="br">\line </xsl:template>
  <xsl:template match="bs">\\</xsl:template>
  <xsl:template match="bkb">\{</xsl:template>
  <xsl:template match="bke">\}</xsl:template>
  <xsl:template match="em">{\highlight2 <xsl:apply-templates/>}</xsl:template>
</xsl:stylesheet>
