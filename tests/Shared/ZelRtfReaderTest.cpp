#include "ZelRtfReader.h"
#include "ZelCodePage.h"

#include <gtest/gtest.h>

namespace {

// Writes what the reader reports as a readable trace: [b i u cN hN] around formatted text,
// | for a paragraph, / for a line, <kind:argument:length> for hot spots.
class TTrace : public IZelRtfSink {
public:
    void ColorTable(const std::vector<TZelRtfColor>& colors) override { Colors = colors; }
    void Text(const std::u16string& text, const TZelRtfFormat& f) override {
        std::string marks;
        if (f.Bold)
            marks += "b";
        if (f.Italic)
            marks += "i";
        if (f.Underline)
            marks += "u";
        if (f.Color)
            marks += "c" + std::to_string(f.Color);
        if (f.Highlight)
            marks += "h" + std::to_string(f.Highlight);
        Out += marks.empty() ? ZelWideToUtf8(text) : "[" + marks + " " + ZelWideToUtf8(text) + "]";
    }
    void ParagraphBreak() override { Out += "|"; }
    void LineBreak() override { Out += "/"; }
    void HotSpot(TZelRtfHotSpot kind, const std::string& argument, int32_t length) override {
        static const char* const names[] = {"ref", "abbr", "sound", "image"};
        Out += "<" + std::string(names[int(kind)]) + ":" + argument + ":" + std::to_string(length) +
               ">";
    }
    std::string Out;
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
    };
    for (const auto& [rtf, expected] : cases)
        EXPECT_EQ(Trace(rtf), expected) << rtf;
}

TEST(RtfReader, HotSpotsPrecedeTheirText) {
    TTrace trace;
    ZelReadRtf("{\\rtf1{\\colortbl;\\red0\\green0\\blue160;\\red255\\green255\\blue0;}"
               "{\\*\\customRef 4}{\\cf1\\ul city}, {\\*\\customAbbr 2}{\\i s.} "
               "{\\*\\customSound 17,1}* {\\*\\customImage flag-it.png}{\\highlight2 hit}}",
               1252, trace);
    EXPECT_EQ(trace.Out,
              "<ref::4>[uc1 city], <abbr::2>[i s.] <sound:17:1>* <image:flag-it.png:0>[h2 hit]");
    EXPECT_EQ(trace.Colors, (std::vector<TZelRtfColor>{{0, 0, 0}, {0, 0, 160}, {255, 255, 0}}));
}
