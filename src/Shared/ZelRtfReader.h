// Reads the RTF that dictionaries render entries into and hands its content to a sink:
// runs of text with their character format, paragraph and line breaks, and the hot spots
// (cross-references, abbreviations, sounds, pictures) that the ignorable "\*\custom…"
// groups mark. Every front end (the terminal, the window's rich-text control) renders an
// entry through this one reader, so all of them agree on every character.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TZelRtfColor {
    uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TZelRtfColor&) const = default;
};

// The character format of a run. Colours are indexes into the document's colour table
// (0: the default colour).
struct TZelRtfFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int32_t Color = 0;
    int32_t Highlight = 0;
    int32_t FontSize = 24; // half-points
    int32_t Language = 0;  // \langN, 0 when not given
    bool operator==(const TZelRtfFormat&) const = default;
};

enum class TZelRtfHotSpot { Reference, Abbreviation, Sound, Image };

class IZelRtfSink {
public:
    virtual ~IZelRtfSink() = default;
    virtual void ColorTable(const std::vector<TZelRtfColor>& colors) { (void)colors; }
    virtual void Text(const std::u16string& text, const TZelRtfFormat& format) = 0;
    virtual void ParagraphBreak() = 0;
    virtual void LineBreak() = 0;
    // A hot spot over the next length characters of text; a picture (length 0) stands
    // where it is, argument naming its file. A sound's argument is its block index.
    virtual void HotSpot(TZelRtfHotSpot kind, const std::string& argument, int32_t length) = 0;
};

// Reads rtf; bytes above 127 and "\'hh" escapes are characters of codePage, "\uN" is the
// code unit N (its fallback character skipped). Unknown control words and destinations are
// skipped; unbalanced braces are tolerated.
void ZelReadRtf(const std::string& rtf, int codePage, IZelRtfSink& sink);
