#include "ZelRtfReader.h"

#include "ZelCodePage.h"
#include "ZelHelpers.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>
#include <unordered_map>

namespace {

// What the text of a group is.
enum class TDestination : uint8_t { Content, Skipped, FontTable, ColorTable, Picture };

struct TState {
    TZelRtfFormat Format;
    TZelRtfParagraph Paragraph;
    TDestination Destination = TDestination::Content;
    bool Hidden = false;      // \v: hidden text
    int32_t FallbackSkip = 1; // \ucN: characters that follow \uN as its fallback
};

// Groups nested deeper than this are read as if they were part of the deepest one, so a
// run of opening braces costs no memory.
constexpr size_t MaxDepth = 256;
// A control word has at most 32 letters and its parameter at most 10 digits.
constexpr size_t MaxWordLength = 32;
constexpr size_t MaxDigits = 10;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Destinations whose text is never content, with or without "\*" before them.
bool IsSkippedDestination(std::string_view word) {
    static constexpr std::array<std::string_view, 36> words = {"annotation",
                                                               "atnauthor",
                                                               "atnid",
                                                               "bkmkend",
                                                               "bkmkstart",
                                                               "colorschememapping",
                                                               "datastore",
                                                               "docvar",
                                                               "filetbl",
                                                               "fldinst",
                                                               "footer",
                                                               "footerf",
                                                               "footerl",
                                                               "footerr",
                                                               "footnote",
                                                               "generator",
                                                               "header",
                                                               "headerf",
                                                               "headerl",
                                                               "headerr",
                                                               "info",
                                                               "latentstyles",
                                                               "listoverridetable",
                                                               "listtable",
                                                               "mmathPr",
                                                               "nonshppict",
                                                               "objclass",
                                                               "objdata",
                                                               "pgdsctbl",
                                                               "private",
                                                               "revtbl",
                                                               "rsidtbl",
                                                               "stylesheet",
                                                               "themedata",
                                                               "userprops",
                                                               "xmlnstbl"};
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Control words that stand for one character.
char16_t CharacterOfWord(std::string_view word) {
    struct TEntry {
        std::string_view Word;
        char16_t Character;
    };
    static constexpr std::array<TEntry, 12> table = {{{"bullet", u'\u2022'},
                                                      {"cell", u'\t'},
                                                      {"emdash", u'\u2014'},
                                                      {"emspace", u'\u2003'},
                                                      {"endash", u'\u2013'},
                                                      {"enspace", u'\u2002'},
                                                      {"ldblquote", u'\u201C'},
                                                      {"lquote", u'\u2018'},
                                                      {"qmspace", u'\u2005'},
                                                      {"rdblquote", u'\u201D'},
                                                      {"rquote", u'\u2019'},
                                                      {"tab", u'\t'}}};
    for (const TEntry& entry : table)
        if (entry.Word == word)
            return entry.Character;
    return 0;
}

// The Windows code page of an RTF character set; 0 for the document's own.
int CodePageOfCharset(int32_t charset) {
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return 0;
    }
}

TZelRtfFontFamily FamilyOfWord(std::string_view word) {
    if (word == "froman")
        return TZelRtfFontFamily::Roman;
    if (word == "fswiss")
        return TZelRtfFontFamily::Swiss;
    if (word == "fmodern")
        return TZelRtfFontFamily::Modern;
    if (word == "fscript")
        return TZelRtfFontFamily::Script;
    if (word == "fdecor")
        return TZelRtfFontFamily::Decor;
    if (word == "ftech")
        return TZelRtfFontFamily::Tech;
    return TZelRtfFontFamily::Default;
}

class TReader {
public:
    TReader(const std::string& rtf, int codePage, IZelRtfSink& sink)
        : Rtf(rtf), DocumentCodePage(codePage), Sink(sink) {}

    void Read() {
        States.push_back({});
        while (Pos < Rtf.size()) {
            char c = Rtf[Pos++];
            if (c == '{')
                BeginGroup();
            else if (c == '}')
                EndGroup();
            else if (c == '\\')
                Control();
            else if (c != '\r' && c != '\n')
                AddByte(c);
        }
        Flush();
        SendParagraph();
    }

private:
    TState& State() { return States.back(); }
    bool InContent() { return State().Destination == TDestination::Content && !State().Hidden; }

    void BeginGroup() {
        PendingFallback = 0;
        StarPending = false;
        if (States.size() >= MaxDepth) {
            ++ExtraDepth;
            return;
        }
        States.push_back(States.back());
    }

    void EndGroup() {
        PendingFallback = 0;
        StarPending = false;
        if (ExtraDepth > 0) {
            --ExtraDepth;
            return;
        }
        if (States.size() <= 1)
            return; // a closing brace too many
        TDestination ending = State().Destination;
        States.pop_back();
        if (ending != State().Destination)
            FinishDestination(ending);
    }

    void FinishDestination(TDestination destination) {
        switch (destination) {
        case TDestination::FontTable:
            CommitFont();
            Sink.FontTable(Fonts, DefaultFont);
            break;
        case TDestination::ColorTable:
            Sink.ColorTable(Colors);
            break;
        case TDestination::Picture:
            if (InContent()) {
                Flush();
                SendParagraph();
                Sink.Picture(Picture, State().Format);
            }
            break;
        default:
            break;
        }
    }

    // The destination a control word starts in the current group.
    void StartDestination(TDestination destination) {
        if (State().Destination == TDestination::Skipped)
            return; // everything inside a skipped group stays skipped
        Flush();
        State().Destination = destination;
        if (destination == TDestination::Picture) {
            Picture = {};
            PictureNibble = -1;
        } else if (destination == TDestination::ColorTable) {
            Colors.clear();
            Color = {};
            ColorGiven = false;
        } else if (destination == TDestination::FontTable) {
            Fonts.clear();
            FontCodePages.clear();
            Font = {};
        }
    }

    void Control() {
        if (Pos >= Rtf.size())
            return;
        char c = Rtf[Pos];
        if (!IsLetter(c)) {
            ++Pos;
            ControlSymbol(c);
            return;
        }
        size_t start = Pos;
        while (Pos < Rtf.size() && IsLetter(Rtf[Pos]) && Pos - start < MaxWordLength)
            ++Pos;
        std::string word = Rtf.substr(start, Pos - start);
        bool hasParameter = false;
        int32_t parameter = ReadParameter(hasParameter);
        if (word.rfind("custom", 0) == 0) {
            CustomTag(word.substr(6));
            return;
        }
        if (Pos < Rtf.size() && Rtf[Pos] == ' ')
            ++Pos; // the delimiter belongs to the control word
        if (PendingFallback > 0 && word != "u") {
            --PendingFallback;
            return;
        }
        ControlWord(word, hasParameter, parameter);
    }

    // An optional "-" and digits; a "-" without a digit after it is no parameter.
    int32_t ReadParameter(bool& given) {
        size_t start = Pos;
        bool negative = Pos + 1 < Rtf.size() && Rtf[Pos] == '-' && IsDigit(Rtf[Pos + 1]);
        if (negative)
            ++Pos;
        int64_t value = 0;
        size_t digits = 0;
        while (Pos < Rtf.size() && IsDigit(Rtf[Pos])) {
            if (digits++ < MaxDigits)
                value = value * 10 + (Rtf[Pos] - '0');
            ++Pos;
        }
        given = Pos > start;
        value = std::min<int64_t>(value, INT32_MAX);
        return int32_t(negative ? -value : value);
    }

    // "\customName parameters" up to the next "}", which ends the group as usual.
    void CustomTag(const std::string& rest) {
        size_t end = Rtf.find('}', Pos);
        if (end == std::string::npos)
            end = Rtf.size();
        std::string text = rest + Rtf.substr(Pos, end - Pos);
        Pos = end;
        StarPending = false;
        size_t blank = text.find(' ');
        std::string name = text.substr(0, blank);
        std::string parameters = blank == std::string::npos ? "" : text.substr(blank + 1);
        Flush();
        Sink.CustomTag(name, ZelSplitCustomParameters(parameters));
    }

    void ControlSymbol(char c) {
        if (c == '\'') {
            ReadHexByte();
            return;
        }
        if (c == '*') {
            StarPending = true;
            return;
        }
        if (PendingFallback > 0) {
            --PendingFallback;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            AddByte(c);
            break;
        case '~':
            AddUnit(u'\u00A0');
            break;
        case '_':
            AddUnit(u'\u2011');
            break;
        case '\n':
        case '\r':
            Break(true); // a backslash before the line end is "\par"
            break;
        default:
            break; // "\-" (optional hyphen), "\|", "\:" and the rest
        }
    }

    void ReadHexByte() {
        if (Pos + 2 > Rtf.size() || ZelHexDigitValue(Rtf[Pos]) < 0 ||
            ZelHexDigitValue(Rtf[Pos + 1]) < 0)
            return;
        char byte = char(ZelHexDigitValue(Rtf[Pos]) * 16 + ZelHexDigitValue(Rtf[Pos + 1]));
        Pos += 2;
        if (State().Destination == TDestination::Picture)
            return;
        AddByte(byte, true);
    }

    void ControlWord(const std::string& word, bool hasParameter, int32_t parameter) {
        if (StarPending) {
            StarPending = false;
            if (word != "shppict") // the picture inside is the one to show
                StartDestination(TDestination::Skipped);
            return;
        }
        switch (State().Destination) {
        case TDestination::FontTable:
            if (FontTableWord(word, hasParameter, parameter))
                return;
            break;
        case TDestination::ColorTable:
            if (ColorTableWord(word, parameter))
                return;
            break;
        case TDestination::Picture:
            if (PictureWord(word, parameter))
                return;
            break;
        default:
            break;
        }
        if (DestinationWord(word) || CharacterWord(word, parameter) ||
            FormatWord(word, hasParameter, parameter))
            return;
        ParagraphWord(word, parameter);
    }

    bool DestinationWord(const std::string& word) {
        if (word == "fonttbl")
            StartDestination(TDestination::FontTable);
        else if (word == "colortbl")
            StartDestination(TDestination::ColorTable);
        else if (word == "pict")
            StartDestination(TDestination::Picture);
        else if (IsSkippedDestination(word))
            StartDestination(TDestination::Skipped);
        else
            return false;
        return true;
    }

    bool CharacterWord(const std::string& word, int32_t parameter) {
        if (word == "par" || word == "row" || word == "page" || word == "sect") {
            Break(true);
        } else if (word == "line") {
            Break(false);
        } else if (char16_t c = CharacterOfWord(word)) {
            AddUnit(c);
        } else if (word == "u") {
            // The parameter is a signed 16-bit code unit; larger values are taken modulo.
            AddUnit(char16_t(uint32_t(parameter) & 0xFFFF));
            PendingFallback = std::clamp(State().FallbackSkip, 0, 16);
        } else {
            return false;
        }
        return true;
    }

    bool FormatWord(const std::string& word, bool hasParameter, int32_t parameter) {
        TZelRtfFormat& f = State().Format;
        bool on = !hasParameter || parameter != 0;
        if (word == "b")
            f.Bold = on;
        else if (word == "i")
            f.Italic = on;
        else if (word == "ul")
            f.Underline = on;
        else if (word == "ulnone")
            f.Underline = false;
        else if (word == "strike")
            f.Strike = on;
        else if (word == "super")
            f.Script = 1;
        else if (word == "sub")
            f.Script = -1;
        else if (word == "nosupersub")
            f.Script = 0;
        else if (word == "cf")
            f.Color = parameter;
        else if (word == "highlight" || word == "cb" || word == "chcbpat")
            f.Highlight = parameter;
        else if (word == "fs")
            f.FontSize = hasParameter ? std::clamp(parameter, 2, 3276) : 24;
        else if (word == "lang")
            f.Language = parameter;
        else if (word == "f")
            f.Font = parameter;
        else if (word == "plain")
            f = TZelRtfFormat{};
        else if (word == "v")
            State().Hidden = on;
        else if (word == "uc")
            State().FallbackSkip = parameter;
        else if (word == "deff")
            DefaultFont = parameter;
        else if (word == "ansicpg" && parameter > 0 && ZelIsCodePageSupported(parameter))
            DocumentCodePage = parameter;
        else
            return false;
        return true;
    }

    void ParagraphWord(const std::string& word, int32_t parameter) {
        TZelRtfParagraph& p = State().Paragraph;
        if (word == "pard")
            p = TZelRtfParagraph{};
        else if (word == "ql")
            p.Align = TZelRtfAlign::Left;
        else if (word == "qr")
            p.Align = TZelRtfAlign::Right;
        else if (word == "qc")
            p.Align = TZelRtfAlign::Center;
        else if (word == "qj")
            p.Align = TZelRtfAlign::Justify;
        else if (word == "li")
            p.LeftIndent = parameter;
        else if (word == "ri")
            p.RightIndent = parameter;
        else if (word == "fi")
            p.FirstIndent = parameter;
        else if (word == "sb")
            p.SpaceBefore = parameter;
        else if (word == "sa")
            p.SpaceAfter = parameter;
    }

    bool FontTableWord(const std::string& word, bool hasParameter, int32_t parameter) {
        if (word == "f" && hasParameter) {
            CommitFont();
            Font.Number = parameter;
        } else if (word == "fcharset") {
            int codePage = CodePageOfCharset(parameter);
            Font.CodePage = codePage != 0 && ZelIsCodePageSupported(codePage) ? codePage : 0;
        } else if (word.size() > 1 && word[0] == 'f' && word != "fonttbl") {
            if (TZelRtfFontFamily family = FamilyOfWord(word); family != TZelRtfFontFamily::Default)
                Font.Family = family;
        } else {
            return false;
        }
        return true;
    }

    bool ColorTableWord(const std::string& word, int32_t parameter) {
        auto channel = [&] { return uint8_t(std::clamp(parameter, 0, 255)); };
        if (word == "red")
            Color.Red = channel();
        else if (word == "green")
            Color.Green = channel();
        else if (word == "blue")
            Color.Blue = channel();
        else
            return false;
        ColorGiven = true;
        return true;
    }

    bool PictureWord(const std::string& word, int32_t parameter) {
        auto length = [&] { return std::clamp(parameter, 0, 1 << 20); };
        if (word == "pngblip")
            Picture.Type = TZelRtfPictureType::Png;
        else if (word == "jpegblip")
            Picture.Type = TZelRtfPictureType::Jpeg;
        else if (word == "picw")
            Picture.Width = length();
        else if (word == "pich")
            Picture.Height = length();
        else if (word == "picwgoal")
            Picture.GoalWidth = length();
        else if (word == "pichgoal")
            Picture.GoalHeight = length();
        else if (word == "picscalex")
            Picture.ScaleX = std::clamp(parameter, 1, 1000);
        else if (word == "picscaley")
            Picture.ScaleY = std::clamp(parameter, 1, 1000);
        else if (word == "bin")
            ReadBinary(parameter);
        else
            return false;
        return true;
    }

    // "\binN": N raw bytes of picture data.
    void ReadBinary(int32_t count) {
        size_t n = std::min(size_t(std::max(count, 0)), Rtf.size() - Pos);
        Picture.Data.append(Rtf, Pos, n);
        Pos += n;
    }

    void CommitFont() {
        size_t start = FontName.find_first_not_of(' ');
        if (start != std::string::npos) {
            int codePage = Font.CodePage ? Font.CodePage : DocumentCodePage;
            Font.Name = ZelWideToUtf8(ZelCodePageToWide(FontName.substr(start), codePage));
            Fonts.push_back(Font);
            if (Font.CodePage != 0)
                FontCodePages[Font.Number] = Font.CodePage;
        }
        Font = {};
        FontName.clear();
    }

    // A byte of text: content in the code page of the current font, or part of a table.
    void AddByte(char byte, bool escaped = false) {
        switch (State().Destination) {
        case TDestination::Content:
            break;
        case TDestination::FontTable:
            if (byte == ';')
                CommitFont();
            else
                FontName += byte;
            return;
        case TDestination::ColorTable:
            if (byte == ';') {
                Colors.push_back(ColorGiven ? Color : TZelRtfColor{});
                Color = {};
                ColorGiven = false;
            }
            return;
        case TDestination::Picture:
            if (!escaped)
                AddPictureNibble(byte);
            return;
        default:
            return;
        }
        if (PendingFallback > 0) {
            --PendingFallback;
            return;
        }
        if (State().Hidden)
            return;
        int codePage = CurrentCodePage();
        if (PendingFormat != State().Format || codePage != PendingCodePage) {
            Flush();
            PendingFormat = State().Format;
            PendingCodePage = codePage;
        }
        PendingBytes += byte;
    }

    void AddPictureNibble(char c) {
        if (ZelHexDigitValue(c) < 0 || Picture.Data.size() >= MaxPictureBytes)
            return;
        int value = ZelHexDigitValue(c);
        if (PictureNibble < 0) {
            PictureNibble = value;
        } else {
            Picture.Data += char(PictureNibble * 16 + value);
            PictureNibble = -1;
        }
    }

    void AddUnit(char16_t unit) {
        if (!InContent())
            return;
        if (PendingFormat != State().Format) {
            Flush();
            PendingFormat = State().Format;
        }
        DecodeBytes();
        if (!ZelRtfLeavesOut(unit))
            Pending += unit;
    }

    int CurrentCodePage() const {
        if (FontCodePages.empty())
            return DocumentCodePage;
        const TZelRtfFormat& format = States.back().Format;
        auto found = FontCodePages.find(format.Font >= 0 ? format.Font : DefaultFont);
        return found == FontCodePages.end() ? DocumentCodePage : found->second;
    }

    void DecodeBytes() {
        if (PendingBytes.empty())
            return;
        for (char16_t c : ZelCodePageToWide(PendingBytes, PendingCodePage))
            if (!ZelRtfLeavesOut(c))
                Pending += c;
        PendingBytes.clear();
    }

    void Flush() {
        DecodeBytes();
        if (Pending.empty())
            return;
        SendParagraph();
        Sink.Text(Pending, PendingFormat);
        Pending.clear();
    }

    void SendParagraph() {
        if (State().Paragraph != SentParagraph) {
            SentParagraph = State().Paragraph;
            Sink.Paragraph(SentParagraph);
        }
    }

    void Break(bool paragraph) {
        if (!InContent())
            return;
        Flush();
        SendParagraph();
        if (paragraph)
            Sink.ParagraphBreak();
        else
            Sink.LineBreak();
    }

    static constexpr size_t MaxPictureBytes = 64u << 20;

    const std::string& Rtf;
    int DocumentCodePage;
    IZelRtfSink& Sink;
    size_t Pos = 0;
    std::vector<TState> States;
    size_t ExtraDepth = 0;
    bool StarPending = false;
    int32_t PendingFallback = 0;

    // Text not yet handed to the sink, in the format and code page it was read in.
    std::string PendingBytes;
    std::u16string Pending;
    TZelRtfFormat PendingFormat;
    int PendingCodePage = 0;
    TZelRtfParagraph SentParagraph;

    std::vector<TZelRtfFont> Fonts;
    std::unordered_map<int32_t, int> FontCodePages;
    TZelRtfFont Font;
    std::string FontName;
    int32_t DefaultFont = 0;
    std::vector<TZelRtfColor> Colors;
    TZelRtfColor Color;
    bool ColorGiven = false;
    TZelRtfPicture Picture;
    int PictureNibble = -1;
};

} // namespace

bool ZelRtfLeavesOut(char16_t c) {
    return (c < 0x20 && c != u'\t') || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0xFFFC;
}

void ZelReadRtf(const std::string& rtf, int codePage, IZelRtfSink& sink) {
    TReader(rtf, codePage, sink).Read();
}

std::vector<std::string> ZelSplitCustomParameters(const std::string& text) {
    std::vector<std::string> items;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    skipBlanks();
    if (i == text.size())
        return items;
    while (true) {
        std::string item;
        skipBlanks();
        if (i < text.size() && text[i] == '"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
                item += text[i];
            }
            if (i < text.size())
                ++i; // the closing quote
            while (i < text.size() && text[i] != ',')
                ++i;
        } else {
            size_t comma = std::min(text.find(',', i), text.size());
            item = text.substr(i, comma - i);
            while (!item.empty() && item.back() == ' ')
                item.pop_back();
            i = comma;
        }
        items.push_back(item);
        if (i >= text.size())
            break;
        ++i; // the comma
    }
    return items;
}
