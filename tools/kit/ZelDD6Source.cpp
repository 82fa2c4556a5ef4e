#include "ZelDD6Source.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelHelpers.h"
#include "ZelIniFile.h"
#include "ZelLocale.h"
#include "ZelStreams.h"
#include "ZelUtils.h"
#include "ZelXML.h"

namespace {

using TAttributes = std::vector<std::pair<std::u16string, std::u16string>>;

std::string U8(const std::u16string& s) {
    return ZelWideToUtf8(s);
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw EZelError(where + ": " + what);
}

const std::u16string* Attribute(const TAttributes& attributes, const char16_t* name) {
    for (const auto& [n, v] : attributes)
        if (n == name)
            return &v;
    return nullptr;
}

// Reads the source's elements; entry contents are rebuilt as XML text.
class TSourceReader {
public:
    explicit TSourceReader(TZelDD6Source& source) : Source(source) {}

    void Read(const std::string& bytes) {
        Parser = CoXml().CreateParser();
        Parser->SetOnAttribute([this](const std::u16string& n, const std::u16string& v) {
            Pending.emplace_back(n, v);
        });
        Parser->SetOnStartElement([this](const std::u16string& n) { Start(n); });
        Parser->SetOnEndElement([this](const std::u16string& n) { End(n); });
        Parser->SetOnCharData([this](const std::u16string& t) { Text(t); });
        Parser->Parse(bytes);
        // An entity the reader may not expand (an external one) ends the events early: the
        // source is refused rather than compiled in part.
        if (std::string error = Parser->GetError(); !error.empty())
            Fail(Source.Path, error);
    }

private:
    std::string Path() const {
        std::string path;
        for (const auto& e : Stack)
            path += "/" + U8(e);
        return path;
    }

    // The source and the line being read.
    std::string Here() const { return Source.Path + ":" + std::to_string(Parser->GetLineNumber()); }

    std::string Str(const TAttributes& a, const char16_t* name, const std::string& def = {}) {
        const std::u16string* v = Attribute(a, name);
        return v ? U8(*v) : def;
    }

    std::u16string Wide(const TAttributes& a, const char16_t* name) {
        const std::u16string* v = Attribute(a, name);
        return v ? *v : std::u16string();
    }

    // A whole number from low to high; def when the attribute is absent.
    int Int(const TAttributes& a, const char16_t* name, int def, int low, int high,
            const std::string& where) {
        const std::u16string* v = Attribute(a, name);
        if (!v)
            return def;
        std::optional<int64_t> value = ZelParseInteger(U8(*v));
        if (!value || *value < low || *value > high)
            Fail(where, U8(name) + " must be a whole number from " + std::to_string(low) + " to " +
                            std::to_string(high) + ", not \"" + U8(*v) + "\"");
        return int(*value);
    }

    bool Bool(const TAttributes& a, const char16_t* name, bool def, const std::string& where) {
        const std::u16string* v = Attribute(a, name);
        if (!v)
            return def;
        std::string t = U8(*v);
        if (t == "true" || t == "yes" || t == "1")
            return true;
        if (t == "false" || t == "no" || t == "0")
            return false;
        Fail(where, "\"" + t + "\" is not yes or no");
    }

    std::vector<TZelLanguage> Languages(const std::string& codes, const std::string& where) {
        std::vector<TZelLanguage> langs;
        for (const std::string& code : ZelParseCommaText(codes))
            langs.push_back(LanguageOf(code, where));
        return langs;
    }

    static TZelLanguage LanguageOf(const std::string& code, const std::string& where) {
        std::optional<int64_t> v = ZelParseInteger(code);
        if (v && *v > 0 && *v <= 0x3FF)
            return TZelLanguage(*v);
        TZelLanguage lang = ZelLanguageOfIsoCode(code);
        if (lang == 0)
            Fail(where, "unknown language \"" + code + "\"");
        return lang;
    }

    void Start(const std::u16string& name) {
        TAttributes attributes = std::move(Pending);
        Pending.clear();
        if (Entry) {
            StartInEntry(name, attributes);
            return;
        }
        std::string parent = Path();
        Stack.push_back(name);
        std::string where = Here() + ": <" + U8(name) + ">";
        if (parent.empty() && name == u"dd6")
            ReadDictionary(attributes, where);
        else if (parent == "/dd6" && name == u"view")
            Source.Views.push_back({Str(attributes, u"stylesheet"), {}});
        else if (parent == "/dd6/view" && name == u"option")
            ReadOption(attributes, where);
        else if (parent == "/dd6" && name == u"resource")
            ReadResource(attributes, where);
        else if (parent == "/dd6" && name == u"abbreviations")
            ;
        else if (parent == "/dd6/abbreviations" && name == u"abbr")
            ReadAbbreviation(attributes, where);
        else if (parent == "/dd6" && name == u"language")
            ReadLanguage(attributes, where);
        else if (parent == "/dd6/language" && name == u"search")
            ReadSearch(attributes);
        else if (parent == "/dd6/language" && name == u"entry")
            ReadEntry(attributes);
        else
            Fail(where, "unexpected element under " + (parent.empty() ? std::string("/") : parent));
    }

    void StartInEntry(const std::u16string& name, const TAttributes& attributes) {
        Entry->Fragment += u"<" + name;
        for (const auto& [n, v] : attributes) {
            std::u16string value = v;
            if (n == u"sound")
                value = ZelUtf8ToWide(std::to_string(SoundIndexOf(U8(v))));
            Entry->Fragment += u" " + n + u"=\"";
            ZelAppendXmlEscaped(Entry->Fragment, value, true);
            Entry->Fragment += u"\"";
        }
        Entry->Fragment += u">";
        Stack.push_back(name);
    }

    void ReadDictionary(const TAttributes& attributes, const std::string& where) {
        Source.FileName = Str(attributes, u"file", "dictionary");
        ZelCheckPlainFileName(Source.FileName, where + " file");
        Source.Name = Wide(attributes, u"name");
        Source.CodePage = Int(attributes, u"codepage", 1252, 1, 65535, where);
        if (!ZelIsCodePageSupported(Source.CodePage))
            Fail(where, "code page " + std::to_string(Source.CodePage) + " is not supported");
        Source.LuStyle = Int(attributes, u"lustyle", 1, 0, 2, where);
        Source.Sorted = Bool(attributes, u"sorted", true, where);
        Source.Monolingual = Bool(attributes, u"monolingual", false, where);
        std::string comparison = Str(attributes, u"comparison", "comma");
        if (comparison != "comma" && comparison != "whole")
            Fail(where, "comparison must be \"comma\" or \"whole\"");
        Source.CommaComparison = comparison == "comma";
        Source.Targets = Languages(Str(attributes, u"targets"), where);
    }

    void ReadOption(const TAttributes& attributes, const std::string& where) {
        TZelDD6SourceOption option;
        option.Caption = Wide(attributes, u"caption");
        option.Element = Wide(attributes, u"element");
        option.Hint = Wide(attributes, u"hint");
        option.Checked = Bool(attributes, u"checked", false, where);
        option.Image = Int(attributes, u"image", 0, 0, 9999, where);
        if (option.Element.empty())
            Fail(where, "an option needs an element");
        Source.Views.back().Options.push_back(option);
    }

    void ReadResource(const TAttributes& attributes, const std::string& where) {
        std::string file = Str(attributes, u"file");
        ZelCheckPlainFileName(file, where + " file");
        Source.Resources.push_back(file);
    }

    void ReadAbbreviation(const TAttributes& attributes, const std::string& where) {
        const std::u16string* s = Attribute(attributes, u"short");
        const std::u16string* l = Attribute(attributes, u"long");
        if (!s || !l || s->empty())
            Fail(where, "an abbreviation needs short and long");
        Source.Abbreviations.emplace_back(*s, *l);
    }

    void ReadLanguage(const TAttributes& attributes, const std::string& where) {
        TZelDD6SourceLanguage language;
        language.Language = LanguageOf(Str(attributes, u"code"), where);
        language.SoundsFolder = Str(attributes, u"sounds");
        Source.Languages.push_back(std::move(language));
    }

    void ReadSearch(const TAttributes& attributes) {
        TZelDD6SourceLanguage& language = Source.Languages.back();
        language.HasSearch = true;
        if (const std::u16string* file = Attribute(attributes, u"file"))
            language.Search = ZelUtf8ToWide(ZelReadWholeFile(Source.Folder + U8(*file)));
    }

    void ReadEntry(const TAttributes& attributes) {
        TZelDD6SourceLanguage& language = Source.Languages.back();
        TZelDD6SourceEntry entry;
        entry.Number = int(language.Entries.size()) + 1;
        entry.Line = Parser->GetLineNumber();
        std::string where = Here() + ": entry " + std::to_string(entry.Number);
        const std::u16string* headword = Attribute(attributes, u"headword");
        if (!headword || headword->empty())
            Fail(where, "an entry needs a headword");
        entry.Headword = *headword;
        where += " (\"" + U8(entry.Headword) + "\")";
        entry.Ordinal = Int(attributes, u"ordinal", -1, 0, 255, where);
        if (const std::u16string* cat = Attribute(attributes, u"category"))
            entry.Category = CategoryOf(U8(*cat), where);
        entry.Multiword = Bool(attributes, u"multiword", false, where);
        language.Entries.push_back(std::move(entry));
        Entry = &Source.Languages.back().Entries.back();
        EntryDepth = Stack.size();
    }

    void End(const std::u16string& name) {
        if (Entry && Stack.size() == EntryDepth)
            Entry = nullptr;
        else if (Entry)
            Entry->Fragment += u"</" + name + u">";
        Stack.pop_back();
    }

    void Text(const std::u16string& text) {
        if (Entry)
            ZelAppendXmlEscaped(Entry->Fragment, text, false);
        else if (Path() == "/dd6/language/search")
            Source.Languages.back().Search += text;
    }

    static int CategoryOf(const std::string& name, const std::string& where) {
        for (int code = 1; code < 14; ++code)
            if (ZelCatIdList().GetCatId(code) == name)
                return code;
        std::optional<int64_t> v = ZelParseInteger(name);
        if (v && *v >= 1 && *v <= 255)
            return int(*v);
        Fail(where, "unknown category \"" + name + "\"");
    }

    int SoundIndexOf(const std::string& file) {
        TZelDD6SourceLanguage& language = Source.Languages.back();
        auto [it, added] = language.SoundIndex.emplace(file, int(language.SoundFiles.size()));
        if (added)
            language.SoundFiles.push_back(file);
        return it->second;
    }

    TZelDD6Source& Source;
    ZelRef<IZelXmlParser> Parser;
    TAttributes Pending;
    std::vector<std::u16string> Stack;
    TZelDD6SourceEntry* Entry = nullptr;
    size_t EntryDepth = 0;
};

} // namespace

void ZelCheckPlainFileName(const std::string& name, const std::string& where) {
    bool control = false;
    for (char c : name)
        control = control || uint8_t(c) < 0x20 || c == 0x7F;
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos || control)
        Fail(where, "\"" + name +
                        "\" is not a plain file name (an output file stays in the "
                        "output folder)");
}

TZelDD6Source ZelReadDD6Source(const std::string& path) {
    TZelDD6Source source;
    source.Path = path;
    std::string folder = ZelExtractFileDir(path);
    source.Folder = folder.empty() ? std::string() : folder + "/";
    std::string bytes = ZelReadWholeFile(path);
    {
        // Well-formedness first, with the line of the first error.
        ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
        TZelBufferStream stream(bytes.data(), int64_t(bytes.size()));
        try {
            dom->LoadFromStream(stream, true);
        } catch (const EZelXmlError& e) {
            Fail(path, e.what());
        }
    }
    TSourceReader(source).Read(bytes);
    if (source.Languages.empty())
        Fail(path, "no <language> with entries");
    if (source.Views.empty())
        Fail(path, "a dictionary needs at least one <view> with its stylesheet");
    return source;
}
