#include "BenchData.h"

#include "ZelDD6Compiler.h"
#include "ZelFiles.h"

#include <filesystem>

namespace {

const char* const Syllables[] = {"ba", "ce", "di", "fo", "gu", "la", "me", "ni", "po", "ru",
                                 "sa", "te", "vi", "zo", "ca", "re", "mi", "no", "pa", "to",
                                 "an", "el", "in", "or", "us", "ra", "le", "si", "bo", "nu"};
constexpr uint32_t SyllableCount = sizeof Syllables / sizeof Syllables[0];

const char* const Stylesheet = R"XSL(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text" encoding="UTF-8"/>
  <xsl:param name="dicPath"/><xsl:param name="gl"/><xsl:param name="sl"/><xsl:param name="tl"/>
  <xsl:template match="/body">{\rtf1\ansi <xsl:apply-templates select="*[not(self::view-options)]"/>}</xsl:template>
  <xsl:template match="hw">{\b <xsl:apply-templates/>} </xsl:template>
  <xsl:template match="pron"><xsl:if test="/body/view-options/phon-checked">[<xsl:apply-templates/>] </xsl:if></xsl:template>
  <xsl:template match="s">\par <xsl:value-of select="@n"/>. <xsl:apply-templates/></xsl:template>
  <xsl:template match="tr">{\*\customRef <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/>, </xsl:template>
  <xsl:template match="ex">{\i <xsl:apply-templates/>}</xsl:template>
  <xsl:template match="abbr">{\*\customAbbr <xsl:value-of select="string-length(.)"/>}<xsl:apply-templates/></xsl:template>
  <xsl:template match="em">{\highlight1 <xsl:apply-templates/>}</xsl:template>
</xsl:stylesheet>
)XSL";

const char* const Search = "[Fields]\nCount=3\n"
                           "[Info_1]\nName=Headword\nKind=S\nFields=hw\n"
                           "[Info_2]\nName=Translation\nKind=T\nFields=tr\nIsMarker=1\n"
                           "[Info_3]\nName=Example\nKind=T\nFields=ex\n";

} // namespace

std::string BenchWord(uint32_t n) {
    std::string word;
    do {
        word += Syllables[n % SyllableCount];
        n /= SyllableCount;
    } while (n);
    return word;
}

std::string BenchDD6(int entries) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("norvel-bench-dd6-" + std::to_string(entries));
    std::string description = (folder / "out" / "bench.dd6").string();
    if (ZelFileExists(description))
        return description;
    fs::create_directories(folder);
    ZelWriteFileAtomic((folder / "view.xsl").string(), Stylesheet);
    std::string source = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<dd6 file=\"bench\" name=\"Bench\" lustyle=\"1\" targets=\"it\">\n"
                         "<view stylesheet=\"view.xsl\"><option caption=\"Pronunciation\" "
                         "checked=\"true\" element=\"phon\" hint=\"\" image=\"1\"/></view>\n"
                         "<abbreviations><abbr short=\"fig.\" long=\"figurative\"/>"
                         "<abbr short=\"n.\" long=\"noun\"/><abbr short=\"v.\" long=\"verb\"/>"
                         "</abbreviations>\n<language code=\"en\"><search>";
    source += Search;
    source += "</search>\n";
    for (int i = 0; i < entries; ++i) {
        std::string w = BenchWord(uint32_t(i) * 7919u % uint32_t(entries));
        source += "<entry headword=\"" + w + "\"><hw>" + w + "</hw><pron>" + w +
                  "</pron><s n=\"1\"><tr>" + BenchWord(uint32_t(i) + 11) + "</tr><tr>" +
                  BenchWord(uint32_t(i) + 12) + "</tr></s><s n=\"2\"><tr>" +
                  BenchWord(uint32_t(i) + 13) + "</tr></s><ex>n. the " + w + " of the " +
                  BenchWord(uint32_t(i) + 14) + " (fig. use)</ex></entry>\n";
    }
    source += "</language></dd6>\n";
    ZelWriteFileAtomic((folder / "bench.xml").string(), source);
    return ZelCompileDD6((folder / "bench.xml").string(), (folder / "out").string())
        .DescriptionPath;
}
