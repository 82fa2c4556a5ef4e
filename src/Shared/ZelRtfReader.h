// Reads RTF and hands its content to a sink: runs of text with their character format,
// paragraph and line breaks, paragraph formats, pictures, and the custom tags that mark
// hot spots ("\customRef 5" inside an ignorable group). Entries rendered by the
// dictionaries and documents written by other programs go through this one reader, so
// every front end (the terminal, the window's rich-text control, the counting of the page
// view) agrees on every character.
//
// Each character a sink receives counts one position: a unit of text, a paragraph break,
// a line break, a picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TZelRtfColor {
    uint8_t Red = 0, Green = 0, Blue = 0;
    bool operator==(const TZelRtfColor&) const = default;
};

enum class TZelRtfFontFamily : uint8_t { Default, Roman, Swiss, Modern, Script, Decor, Tech };

struct TZelRtfFont {
    int32_t Number = 0; // the N of \fN
    std::string Name;   // in UTF-8
    TZelRtfFontFamily Family = TZelRtfFontFamily::Default;
    int CodePage = 0; // from \fcharsetN; 0: the document's
    bool operator==(const TZelRtfFont&) const = default;
};

// The character format of a run. Colours are indexes into the document's colour table
// (0: the default colour); Font is a font number of the font table, -1 for none.
struct TZelRtfFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int8_t Script = 0; // 1 superscript, -1 subscript
    int32_t Font = -1;
    int32_t Color = 0;
    int32_t Highlight = 0;
    int32_t FontSize = 24; // half-points
    int32_t Language = 0;  // \langN, 0 when not given
    bool operator==(const TZelRtfFormat&) const = default;
};

enum class TZelRtfAlign : uint8_t { Left, Right, Center, Justify };

// The format of a paragraph; lengths in twips.
struct TZelRtfParagraph {
    TZelRtfAlign Align = TZelRtfAlign::Left;
    int32_t LeftIndent = 0, RightIndent = 0, FirstIndent = 0;
    int32_t SpaceBefore = 0, SpaceAfter = 0;
    bool operator==(const TZelRtfParagraph&) const = default;
};

enum class TZelRtfPictureType : uint8_t { Png, Jpeg, Other };

struct TZelRtfPicture {
    TZelRtfPictureType Type = TZelRtfPictureType::Other;
    std::string Data;                      // the picture file's bytes
    int32_t Width = 0, Height = 0;         // \picw, \pich
    int32_t GoalWidth = 0, GoalHeight = 0; // \picwgoal, \pichgoal: twips, 0 when not given
    int32_t ScaleX = 100, ScaleY = 100;    // percent
};

class IZelRtfSink {
public:
    virtual ~IZelRtfSink() = default;
    virtual void FontTable(const std::vector<TZelRtfFont>& fonts, int32_t defaultFont) {
        (void)fonts, (void)defaultFont;
    }
    virtual void ColorTable(const std::vector<TZelRtfColor>& colors) { (void)colors; }
    virtual void Text(const std::u16string& text, const TZelRtfFormat& format) = 0;
    virtual void ParagraphBreak() = 0;
    virtual void LineBreak() = 0;
    // The format of the paragraph being written, whenever it changes (before its text or
    // its break).
    virtual void Paragraph(const TZelRtfParagraph& format) { (void)format; }
    virtual void Picture(const TZelRtfPicture& picture, const TZelRtfFormat& format) {
        (void)picture, (void)format;
    }
    // A control word "\custom" + name, with the comma-separated parameters that follow it
    // up to the next "}": it stands before the characters it marks and is no character
    // itself ("\customRef 4" marks the next 4, "\customSound 17,1" the next 1 with sound 17,
    // "\customImage file.png" the picture that replaces the next one).
    virtual void CustomTag(const std::string& name, const std::vector<std::string>& parameters) {
        (void)name, (void)parameters;
    }
};

// Reads rtf; bytes above 127 and "\'hh" escapes are characters of the code page (the
// font's charset, else "\ansicpgN", else codePage), "\uN" is the code unit N (its fallback
// characters skipped). Unknown control words and destinations are skipped; unbalanced
// braces are tolerated; control characters other than the tab are left out.
void ZelReadRtf(const std::string& rtf, int codePage, IZelRtfSink& sink);

// The characters the reader never hands to a sink: control characters other than the tab,
// and U+FFFC, which rich-text controls reserve for their embedded objects.
bool ZelRtfLeavesOut(char16_t c);

// The parameters of a custom tag: a comma-separated list whose items are trimmed of
// blanks; an item in double quotes keeps its commas and blanks ("" is one quote).
std::vector<std::string> ZelSplitCustomParameters(const std::string& text);

// The characters a count of RTF characters stands for: the sum a sink counts (text units,
// breaks, pictures). Custom tags are reported with the count reached where they stand.
class TZelRtfCounter : public IZelRtfSink {
public:
    void Text(const std::u16string& text, const TZelRtfFormat&) override {
        Count += int32_t(text.size());
    }
    void ParagraphBreak() override { ++Count; }
    void LineBreak() override { ++Count; }
    void Picture(const TZelRtfPicture&, const TZelRtfFormat&) override { ++Count; }

    int32_t Count = 0;
};
