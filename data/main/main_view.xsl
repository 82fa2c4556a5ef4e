<?xml version="1.0" encoding="UTF-8"?>
<!-- The view of the main dictionary: the headword in bold, the pronunciation when its
     option is checked, the parts of speech, a picture where there is one, numbered senses
     on lines of their own, translations that are headwords of the other side as
     cross-references, and found text highlighted. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:param name="dicPath"/>
  <xsl:param name="gl"/>
  <xsl:param name="sl"/>
  <xsl:param name="tl"/>
  <xsl:template match="/body">{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Sans;}}{\colortbl;\red0\green0\blue160;\red255\green255\blue0;\red110\green110\blue110;}\fs22\lang<xsl:value-of select="$sl"/><xsl:text> </xsl:text><xsl:apply-templates select="*[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="hw">{\b\fs26 <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="pron">
    <xsl:if test="/body/view-options/pron-checked">
      <xsl:text> </xsl:text>
      <xsl:if test="@sound">{\*\customSound <xsl:value-of select="@sound"/>,1}*</xsl:if>
      <xsl:text>{\cf3 [</xsl:text><xsl:apply-templates/><xsl:text>]}</xsl:text>
    </xsl:if>
  </xsl:template>
  <!-- The part of speech is an abbreviation: the pointer over it shows it in full. -->
  <xsl:template match="pos"><xsl:text> </xsl:text>{\*\customAbbr <xsl:value-of select="string-length(.)"/>}{\i\cf3 <xsl:apply-templates/>}</xsl:template>
  <!-- A sense of an entry with several parts of speech starts with its own. -->
  <xsl:template match="s/pos">{\*\customAbbr <xsl:value-of select="string-length(.)"/>}{\i\cf3 <xsl:apply-templates/>}</xsl:template>
  <!-- The picture takes the place of the character after its tag. -->
  <xsl:template match="pic">\par {\*\customImage <xsl:value-of select="@file"/>}\~</xsl:template>
  <xsl:template match="s">\par <xsl:if test="@n">{\b <xsl:value-of select="@n"/>.} </xsl:if><xsl:apply-templates/></xsl:template>
  <!-- Translations are marked with the target language, so that a click on one looks it up
       on the other side and the pointer lights up its words. -->
  <xsl:template match="tr[@ref]">{\*\customRef <xsl:value-of select="string-length(.)"/>}{\cf1\ul\lang<xsl:value-of select="$tl"/><xsl:text> </xsl:text><xsl:apply-templates/>}</xsl:template>
  <xsl:template match="tr">{\lang<xsl:value-of select="$tl"/><xsl:text> </xsl:text><xsl:apply-templates/>}</xsl:template>
  <!-- Where a translation comes from, after it, when its option is checked: the sources'
       short names in small grey type, each an abbreviation whose hint names the source. -->
  <xsl:template match="src">
    <xsl:if test="/body/view-options/sources-checked">
      <xsl:text> {\fs16\cf3 (</xsl:text>
      <xsl:call-template name="source-list"><xsl:with-param name="list" select="normalize-space(.)"/></xsl:call-template>
      <xsl:text>)}</xsl:text>
    </xsl:if>
  </xsl:template>
  <xsl:template match="sources"/>
  <xsl:template name="source-list">
    <xsl:param name="list"/>
    <xsl:variable name="first" select="substring-before(concat($list, ' '), ' ')"/>
    <xsl:text>{\*\customAbbr </xsl:text><xsl:value-of select="string-length($first)"/>}<xsl:value-of select="$first"/>
    <xsl:if test="contains($list, ' ')">
      <xsl:text> </xsl:text>
      <xsl:call-template name="source-list"><xsl:with-param name="list" select="substring-after($list, ' ')"/></xsl:call-template>
    </xsl:if>
  </xsl:template>
  <!-- Translations no second source confirms: on a line of their own, in grey, not
       cross-references. -->
  <xsl:template match="unchecked">\par {\cf3 <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="u">{\lang<xsl:value-of select="$tl"/><xsl:text> </xsl:text><xsl:apply-templates/>}</xsl:template>
  <xsl:template match="abbr">{\*\customAbbr <xsl:value-of select="string-length(.)"/>}{\i <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="em">{\highlight2 <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="text()">
    <xsl:call-template name="escape"><xsl:with-param name="text" select="."/></xsl:call-template>
  </xsl:template>
  <!-- RTF needs "\", "{" and "}" escaped. -->
  <xsl:template name="escape">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="contains($text, '\')">
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-before($text, '\')"/></xsl:call-template>
        <xsl:text>\\</xsl:text>
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-after($text, '\')"/></xsl:call-template>
      </xsl:when>
      <xsl:when test="contains($text, '{')">
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-before($text, '{')"/></xsl:call-template>
        <xsl:text>\{</xsl:text>
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-after($text, '{')"/></xsl:call-template>
      </xsl:when>
      <xsl:when test="contains($text, '}')">
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-before($text, '}')"/></xsl:call-template>
        <xsl:text>\}</xsl:text>
        <xsl:call-template name="escape"><xsl:with-param name="text" select="substring-after($text, '}')"/></xsl:call-template>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
