#include "ZelRtfReader.h"

#include "ZelCodePage.h"

#include <cctype>
#include <cstdlib>

namespace {

struct TState {
    TZelRtfFormat Format;
    bool Skip = false;        // inside a destination whose text is not content
    int32_t FallbackSkip = 1; // \ucN: characters that follow \uN as its fallback
};

class TReader {
public:
    TReader(const std::string& rtf, int codePage, IZelRtfSink& sink)
        : Rtf(rtf), CodePage(codePage), Sink(sink) {}

    void Read() {
        States.push_back({});
        while (Pos < Rtf.size()) {
            char c = Rtf[Pos];
            if (c == '{') {
                ++Pos;
                Flush();
                States.push_back(States.back());
                continue;
            }
            if (c == '}') {
                ++Pos;
                EndGroup();
            } else if (c == '\\') {
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++Pos;
            } else {
                ++Pos;
                AddBytes(std::string(1, c));
            }
        }
        Flush();
    }

private:
    TState& State() { return States.back(); }

    void AddBytes(const std::string& bytes) {
        if (State().Skip) {
            if (Destination >= 0 && DestinationWord == "colortbl" && bytes == ";") {
                Colors.push_back(Color);
                Color = {};
            } else if (Destination >= 0 && CollectText) {
                DestinationText += bytes;
            }
            return;
        }
        if (PendingFallback > 0) {
            --PendingFallback;
            return;
        }
        Pending += ZelCodePageToWide(bytes, CodePage);
    }

    void AddUnit(char16_t unit) {
        if (!State().Skip)
            Pending += unit;
    }

    void Flush() {
        if (!Pending.empty())
            Sink.Text(Pending, State().Format);
        Pending.clear();
    }

    void EndGroup() {
        Flush();
        if (Destination == int32_t(States.size()) - 1) {
            FinishDestination();
            Destination = -1;
        }
        if (States.size() > 1)
            States.pop_back();
    }

    // The text of a "\*\customXxx" group is its argument.
    void FinishDestination() {
        std::string argument = DestinationText;
        size_t start = argument.find_first_not_of(' ');
        argument = start == std::string::npos ? "" : argument.substr(start);
        auto length = [&](const std::string& text) { return int32_t(std::atoi(text.c_str())); };
        if (DestinationWord == "customRef") {
            Sink.HotSpot(TZelRtfHotSpot::Reference, "", length(argument));
        } else if (DestinationWord == "customAbbr") {
            Sink.HotSpot(TZelRtfHotSpot::Abbreviation, "", length(argument));
        } else if (DestinationWord == "customSound") {
            size_t comma = argument.find(',');
            Sink.HotSpot(TZelRtfHotSpot::Sound, argument.substr(0, comma),
                         comma == std::string::npos ? 1 : length(argument.substr(comma + 1)));
        } else if (DestinationWord == "customImage") {
            Sink.HotSpot(TZelRtfHotSpot::Image, argument, 0);
        } else if (DestinationWord == "colortbl") {
            Sink.ColorTable(Colors);
        }
    }

    void ControlWord() {
        ++Pos; // the backslash
        if (Pos >= Rtf.size())
            return;
        char c = Rtf[Pos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++Pos;
            ControlSymbol(c);
            return;
        }
        size_t start = Pos;
        while (Pos < Rtf.size() && std::isalpha(static_cast<unsigned char>(Rtf[Pos])))
            ++Pos;
        std::string word = Rtf.substr(start, Pos - start);
        bool hasParameter = false;
        int32_t parameter = 0;
        size_t digits = Pos;
        if (Pos < Rtf.size() &&
            (Rtf[Pos] == '-' || std::isdigit(static_cast<unsigned char>(Rtf[Pos])))) {
            ++Pos;
            while (Pos < Rtf.size() && std::isdigit(static_cast<unsigned char>(Rtf[Pos])))
                ++Pos;
            parameter = int32_t(std::strtol(Rtf.substr(digits, Pos - digits).c_str(), nullptr, 10));
            hasParameter = true;
        }
        if (Pos < Rtf.size() && Rtf[Pos] == ' ')
            ++Pos; // the delimiter belongs to the control word
        Apply(word, hasParameter, parameter);
    }

    void ControlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            AddBytes(std::string(1, c));
            break;
        case '\'': {
            if (Pos + 2 <= Rtf.size()) {
                char byte = char(std::strtol(Rtf.substr(Pos, 2).c_str(), nullptr, 16));
                Pos += 2;
                AddBytes(std::string(1, byte));
            }
            break;
        }
        case '*':
            StarPending = true;
            break;
        case '~':
            AddUnit(u'\u00A0');
            break;
        case '-':
            break; // optional hyphen
        case '_':
            AddUnit(u'\u2011');
            break;
        default:
            break;
        }
    }

    void Apply(const std::string& word, bool hasParameter, int32_t parameter) {
        TZelRtfFormat& f = State().Format;
        bool on = !hasParameter || parameter != 0;
        if (StarPending) {
            StarPending = false;
            BeginDestination(word, word.rfind("custom", 0) == 0);
            return;
        }
        if (word == "fonttbl" || word == "stylesheet" || word == "info" || word == "pict") {
            BeginDestination(word, false);
        } else if (word == "colortbl") {
            BeginDestination(word, false);
            Color = {};
        } else if (word == "red" && Destination >= 0) {
            Color.Red = uint8_t(parameter);
        } else if (word == "green" && Destination >= 0) {
            Color.Green = uint8_t(parameter);
        } else if (word == "blue" && Destination >= 0) {
            Color.Blue = uint8_t(parameter);
        } else if (word == "b") {
            Flush(), f.Bold = on;
        } else if (word == "i") {
            Flush(), f.Italic = on;
        } else if (word == "ul") {
            Flush(), f.Underline = on;
        } else if (word == "ulnone") {
            Flush(), f.Underline = false;
        } else if (word == "cf") {
            Flush(), f.Color = parameter;
        } else if (word == "highlight" || word == "cb") {
            Flush(), f.Highlight = parameter;
        } else if (word == "fs") {
            Flush(), f.FontSize = parameter;
        } else if (word == "lang") {
            Flush(), f.Language = parameter;
        } else if (word == "plain") {
            Flush(), f = TZelRtfFormat{};
        } else if (word == "par") {
            Flush(), Sink.ParagraphBreak();
        } else if (word == "line") {
            Flush(), Sink.LineBreak();
        } else if (word == "tab") {
            AddUnit(u'\t');
        } else if (word == "uc") {
            State().FallbackSkip = parameter;
        } else if (word == "u") {
            AddUnit(char16_t(parameter < 0 ? parameter + 65536 : parameter));
            PendingFallback = State().FallbackSkip;
        }
    }

    // A group whose text is no content: a table, or a hot spot's argument.
    void BeginDestination(const std::string& word, bool collectText) {
        Flush();
        State().Skip = true;
        if (Destination < 0) {
            Destination = int32_t(States.size()) - 1;
            DestinationWord = word;
            DestinationText.clear();
            CollectText = collectText;
        }
    }

    const std::string& Rtf;
    int CodePage;
    IZelRtfSink& Sink;
    size_t Pos = 0;
    std::vector<TState> States;
    std::u16string Pending;
    int32_t PendingFallback = 0;
    bool StarPending = false;
    int32_t Destination = -1; // the depth of the destination group being read
    std::string DestinationWord, DestinationText;
    bool CollectText = false;
    TZelRtfColor Color;
    std::vector<TZelRtfColor> Colors;
};

} // namespace

void ZelReadRtf(const std::string& rtf, int codePage, IZelRtfSink& sink) {
    TReader(rtf, codePage, sink).Read();
}
