#include "ZelTerminalSink.h"

#include "ZelCodePage.h"

void TZelTerminalSink::Text(const std::u16string& text, const TZelRtfFormat& format) {
    std::string codes;
    if (Styled) {
        if (format.Bold)
            codes += ";1";
        if (format.Italic)
            codes += ";3";
        if (format.Underline)
            codes += ";4";
        if (format.Highlight)
            codes += ";7";
        if (format.Color > 0 && size_t(format.Color) < Colors.size()) {
            const TZelRtfColor& c = Colors[size_t(format.Color)];
            codes += ";38;2;" + std::to_string(c.Red) + ";" + std::to_string(c.Green) + ";" +
                     std::to_string(c.Blue);
        }
    }
    if (!codes.empty())
        Out += "\x1b[" + codes.substr(1) + "m";
    // Control characters in an entry could drive the terminal (clear it, retitle it): they
    // are left out.
    std::u16string shown;
    for (char16_t c : text)
        if (c == u'\t' || (c >= 0x20 && (c < 0x7F || c > 0x9F)))
            shown += c;
    Out += ZelWideToUtf8(shown);
    if (!codes.empty())
        Out += "\x1b[0m";
}

void TZelTerminalSink::ParagraphBreak() {
    Out += "\n";
}

void TZelTerminalSink::LineBreak() {
    Out += "\n";
}

void TZelTerminalSink::CustomTag(const std::string& name,
                                 const std::vector<std::string>& parameters) {
    if (name == "Image" && parameters.size() == 1)
        Out += "[picture: " + parameters[0] + "]";
}

std::string TZelTerminalSink::Result() const {
    return Out.empty() || Out.back() == '\n' ? Out : Out + "\n";
}
