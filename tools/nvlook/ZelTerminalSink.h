// Renders an entry read from its RTF as terminal text: bold, italic, underline and colour
// as ANSI escapes when the output is a terminal, plain text otherwise; pictures as a
// bracketed note.
#pragma once

#include "ZelRtfReader.h"

#include <string>

class TZelTerminalSink : public IZelRtfSink {
public:
    explicit TZelTerminalSink(bool styled) : Styled(styled) {}

    void ColorTable(const std::vector<TZelRtfColor>& colors) override { Colors = colors; }
    void Text(const std::u16string& text, const TZelRtfFormat& format) override;
    void ParagraphBreak() override;
    void LineBreak() override;
    void CustomTag(const std::string& name, const std::vector<std::string>& parameters) override;

    // The text so far, ending with a line break.
    std::string Result() const;

private:
    bool Styled;
    std::vector<TZelRtfColor> Colors;
    std::string Out;
};
