#include "ZelRtfReader.h"
#include "ZelCodePage.h"

#include <gtest/gtest.h>

namespace {

// Writes what the reader reports as a readable trace: [b i u s cN hN fN lN] around formatted
// text, | for a paragraph, / for a line, <Name:p1:p2> for custom tags, (picture TYPE BYTES)
// and {align indent} for a paragraph format.
class TTrace : public IZelRtfSink {
public:
    void FontTable(const std::vector<TZelRtfFont>& fonts, int32_t defaultFont) override {
        Fonts = fonts;
        DefaultFont = defaultFont;
    }
    void ColorTable(const std::vector<TZelRtfColor>& colors) override { Colors = colors; }
    void Text(const std::u16string& text, const TZelRtfFormat& f) override {
        std::string marks;
        if (f.Bold)
            marks += "b";
        if (f.Italic)
            marks += "i";
        if (f.Underline)
            marks += "u";
        if (f.Strike)
            marks += "s";
        if (f.Script)
            marks += f.Script > 0 ? "^" : "_";
        if (f.Color)
            marks += "c" + std::to_string(f.Color);
        if (f.Highlight)
            marks += "h" + std::to_string(f.Highlight);
        if (f.Font >= 0)
            marks += "f" + std::to_string(f.Font);
        if (f.Language)
            marks += "l" + std::to_string(f.Language);
        if (f.FontSize != 24)
            marks += "z" + std::to_string(f.FontSize);
        Out += marks.empty() ? ZelWideToUtf8(text) : "[" + marks + " " + ZelWideToUtf8(text) + "]";
    }
    void ParagraphBreak() override { Out += "|"; }
    void LineBreak() override { Out += "/"; }
    void Paragraph(const TZelRtfParagraph& p) override {
        Out += "{" + std::to_string(int(p.Align)) + " " + std::to_string(p.LeftIndent) + "}";
    }
    void Picture(const TZelRtfPicture& picture, const TZelRtfFormat&) override {
        static const char* const types[] = {"png", "jpeg", "other"};
        Out += "(picture " + std::string(types[int(picture.Type)]) + " " + picture.Data + ")";
    }
    void CustomTag(const std::string& name, const std::vector<std::string>& parameters) override {
        Out += "<" + name;
        for (const std::string& parameter : parameters)
            Out += ":" + parameter;
        Out += ">";
    }
    std::string Out;
    std::vector<TZelRtfFont> Fonts;
    int32_t DefaultFont = -1;
    std::vector<TZelRtfColor> Colors;
};

std::string Trace(const std::string& rtf) {
    TTrace trace;
    ZelReadRtf(rtf, 1252, trace);
    return trace.Out;
}

} // namespace

TEST(RtfReader, FormatsBreaksAndCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\\rtf1\\ansi plain {\\b bold} {\\i\\ul both}}", "plain [b bold] [iu both]"},
        {"{\\rtf1 a\\par b\\line c}", "a|b/c"},
        {"{\\rtf1 citt\xe0 \\'e8 \\u643 ?x}", "città è ʃx"},
        {"{\\rtf1 \\{ \\\\ \\}}", "{ \\ }"},
        {"{\\rtf1 {\\b on \\b0 off}}", "[b on ]off"},
        {"{\\rtf1 {\\fonttbl{\\f0 Sans;}}{\\colortbl;\\red0\\green0\\blue160;}{\\cf1 blue}}",
         "[c1 blue]"},
        {"{\\rtf1 {\\*\\unknown hidden}shown}", "shown"},
        {"}}{\\rtf1 unbalanced {\\b x", "unbalanced [b x]"},
        // Characters of control words and symbols, and what is left out.
        {"{\\rtf1 a\\~b\\_c\\-d\\emdash\\endash\\bullet\\lquote x\\rquote\\tab y}",
         "a\u00A0b\u2011cd\u2014\u2013\u2022\u2018x\u2019\ty"},
        {"{\\rtf1 a\\'00\\'0d\\u7 ?\\u65532 ?b\\'zz}", "abzz"}, // a bad escape is text
        // \uc: how many fallback characters follow; a group ends the fallback.
        {"{\\rtf1 \\uc2\\u8364 EUx\\uc0\\u8364 y{\\uc1\\u233}z}", "€x€yéz"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "😀"},
        // Strike, scripts, size, language, font.
        {"{\\rtf1 {\\strike s}{\\super 2}{\\sub i}{\\fs30\\lang1040\\f1 big}}",
         "[s s][^ 2][_ i][f1l1040z30 big]"},
        // Hidden text and destinations skipped with or without "\*".
        {"{\\rtf1 {\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}a{\\v hidden}b{\\*\\fldinst X}"
         "{\\fldrslt c}}",
         "abc"},
        // A "-" without a digit is text; a parameter too long is cut, not undefined.
        {"{\\rtf1 \\fs-x \\fs99999999999999 y}", "-x [z3276 y]"},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(Trace(rtf), expected) << rtf;
}

TEST(RtfReader, ParagraphFormatsPictureAndCustomTags) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\\rtf1 \\qc\\li720 centred\\par\\pard left}", "{2 720}centred|{0 0}left"},
        {"{\\rtf1 x{\\pict\\pngblip\\picw2\\pich2 41 42\n43}y}", "x(picture png ABC)y"},
        {"{\\rtf1 {\\*\\shppict{\\pict\\jpegblip 44}}{\\nonshppict{\\pict\\wmetafile8 45}}}",
         "(picture jpeg D)"},
        {"{\\rtf1 {\\*\\customRef 4}{\\cf1 city}{\\*\\customSound 17,1}*}",
         "<Ref:4>[c1 city]<Sound:17:1>*"},
        {"{\\rtf1 {\\*\\customImage C:\\dir\\a b.png}.}", "<Image:C:\\dir\\a b.png>."},
        // A tag outside an ignorable group swallows its text up to the brace too.
        {"{\\rtf1 a\\customAbbr 3 b}c", "a<Abbr:3 b>c"},
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(Trace(rtf), expected) << rtf;
}

TEST(RtfReader, TablesOfFontsAndColours) {
    TTrace trace;
    ZelReadRtf("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
               "{\\f1\\fswiss{\\*\\panose 0}Arial;}\\f2\\fmodern\\fcharset204 Courier;}"
               "{\\colortbl;\\red0\\green0\\blue160;\\red255\\green255\\blue0;}"
               "{\\f2 \\'c4\\'e0}}",
               1252, trace);
    EXPECT_EQ(trace.DefaultFont, 1);
    EXPECT_EQ(trace.Fonts,
              (std::vector<TZelRtfFont>{{0, "Times New Roman", TZelRtfFontFamily::Roman, 0},
                                        {1, "Arial", TZelRtfFontFamily::Swiss, 0},
                                        {2, "Courier", TZelRtfFontFamily::Modern, 1251}}));
    EXPECT_EQ(trace.Colors, (std::vector<TZelRtfColor>{{0, 0, 0}, {0, 0, 160}, {255, 255, 0}}));
    EXPECT_EQ(trace.Out, "[f2 Да]"); // the font's Cyrillic charset decodes its bytes
}

TEST(RtfReader, SplitsCustomParameters) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"5", {"5"}},
        {"17, 1", {"17", "1"}},
        {"\"a, b\",c", {"a, b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"a,,b", {"a", "", "b"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ZelSplitCustomParameters(text), expected) << text;
}

TEST(RtfReader, DeepNestingAndHugeInputStayCheap) {
    std::string rtf = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "y";
    EXPECT_EQ(Trace(rtf), "xy");
}
