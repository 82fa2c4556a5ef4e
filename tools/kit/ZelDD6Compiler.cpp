#include "ZelDD6Compiler.h"

#include "ZelDescriptionFile.h"

#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDicSlv2.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelLXQueryField.h"
#include "ZelLocale.h"
#include "ZelMemBlocksWriter.h"
#include "ZelURESearch.h"
#include "ZelUtils.h"
#include "ZelWideStrings.h"
#include "ZelXML.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <numeric>
#include <unistd.h>

namespace {

using TAttributes = std::vector<std::pair<std::u16string, std::u16string>>;

struct TSourceEntry {
    std::u16string Headword;
    int Ordinal = -1;
    int Category = -1;
    bool Multiword = false;
    std::u16string Fragment; // the entry's XML, escaped, in UTF-16
    int Number = 0;          // position in the source, from 1
};

struct TSourceLanguage {
    TZelLanguage Language = 0;
    std::string SoundsFolder;
    std::u16string Search;
    bool HasSearch = false;
    std::vector<TSourceEntry> Entries;
    std::vector<std::string> SoundFiles; // block index -> file
    std::map<std::string, int> SoundIndex;
};

struct TSourceOption {
    std::u16string Caption, Element, Hint;
    bool Checked = false;
    int Image = 0;
};

struct TSourceView {
    std::string Stylesheet;
    std::vector<TSourceOption> Options;
};

struct TSource {
    std::string Folder; // of the source file, with "/"
    std::string FileName;
    std::u16string Name;
    int CodePage = 1252;
    int LuStyle = 1;
    bool Sorted = true;
    bool Monolingual = false;
    bool CommaComparison = true;
    std::vector<TZelLanguage> Targets;
    std::vector<TSourceView> Views;
    std::vector<std::string> Resources;
    std::vector<std::pair<std::u16string, std::u16string>> Abbreviations;
    std::vector<TSourceLanguage> Languages;
};

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
    TSourceReader(TSource& source, const std::string& where) : Source(source), Where(where) {}

    void Read(const std::string& bytes) {
        ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
        parser->SetOnAttribute([this](const std::u16string& n, const std::u16string& v) {
            Pending.emplace_back(n, v);
        });
        parser->SetOnStartElement([this](const std::u16string& n) { Start(n); });
        parser->SetOnEndElement([this](const std::u16string& n) { End(n); });
        parser->SetOnCharData([this](const std::u16string& t) { Text(t); });
        parser->Parse(bytes);
    }

private:
    std::string Path() const {
        std::string path;
        for (const auto& e : Stack)
            path += "/" + U8(e);
        return path;
    }

    std::string Str(const TAttributes& a, const char16_t* name, const std::string& def = {}) {
        const std::u16string* v = Attribute(a, name);
        return v ? U8(*v) : def;
    }

    int Int(const TAttributes& a, const char16_t* name, int def, const std::string& where) {
        const std::u16string* v = Attribute(a, name);
        if (!v)
            return def;
        try {
            return int(ZelStrToInt(U8(*v)));
        } catch (const EZelConvertError& e) {
            Fail(where, e.what());
        }
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
        try {
            int64_t v = ZelStrToInt(code);
            if (v > 0 && v <= 0x3FF)
                return TZelLanguage(v);
        } catch (const EZelConvertError&) {
        }
        TZelLanguage lang = ZelLanguageOfIsoCode(code);
        if (lang == 0)
            Fail(where, "unknown language \"" + code + "\"");
        return lang;
    }

    void Start(const std::u16string& name) {
        TAttributes attributes = std::move(Pending);
        Pending.clear();
        if (Entry) {
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
            return;
        }
        std::string parent = Path();
        Stack.push_back(name);
        std::string where = Where + ": <" + U8(name) + ">";
        if (parent.empty() && name == u"dd6") {
            Source.FileName = Str(attributes, u"file", "dictionary");
            Source.Name = Attribute(attributes, u"name") ? *Attribute(attributes, u"name") : u"";
            Source.CodePage = Int(attributes, u"codepage", 1252, where);
            Source.LuStyle = Int(attributes, u"lustyle", 1, where);
            Source.Sorted = Bool(attributes, u"sorted", true, where);
            Source.Monolingual = Bool(attributes, u"monolingual", false, where);
            std::string comparison = Str(attributes, u"comparison", "comma");
            if (comparison != "comma" && comparison != "whole")
                Fail(where, "comparison must be \"comma\" or \"whole\"");
            Source.CommaComparison = comparison == "comma";
            Source.Targets = Languages(Str(attributes, u"targets"), where);
        } else if (parent == "/dd6" && name == u"view") {
            Source.Views.push_back({Str(attributes, u"stylesheet"), {}});
        } else if (parent == "/dd6/view" && name == u"option") {
            TSourceOption option;
            option.Caption =
                Attribute(attributes, u"caption") ? *Attribute(attributes, u"caption") : u"";
            option.Element =
                Attribute(attributes, u"element") ? *Attribute(attributes, u"element") : u"";
            option.Hint = Attribute(attributes, u"hint") ? *Attribute(attributes, u"hint") : u"";
            option.Checked = Bool(attributes, u"checked", false, where);
            option.Image = Int(attributes, u"image", 0, where);
            if (option.Element.empty())
                Fail(where, "an option needs an element");
            Source.Views.back().Options.push_back(option);
        } else if (parent == "/dd6" && name == u"resource") {
            Source.Resources.push_back(Str(attributes, u"file"));
        } else if (parent == "/dd6" && name == u"abbreviations") {
        } else if (parent == "/dd6/abbreviations" && name == u"abbr") {
            const std::u16string* s = Attribute(attributes, u"short");
            const std::u16string* l = Attribute(attributes, u"long");
            if (!s || !l || s->empty())
                Fail(where, "an abbreviation needs short and long");
            Source.Abbreviations.emplace_back(*s, *l);
        } else if (parent == "/dd6" && name == u"language") {
            TSourceLanguage language;
            language.Language = LanguageOf(Str(attributes, u"code"), where);
            language.SoundsFolder = Str(attributes, u"sounds");
            Source.Languages.push_back(std::move(language));
        } else if (parent == "/dd6/language" && name == u"search") {
            TSourceLanguage& language = Source.Languages.back();
            language.HasSearch = true;
            if (const std::u16string* file = Attribute(attributes, u"file"))
                language.Search = ZelUtf8ToWide(ZelReadWholeFile(Source.Folder + U8(*file)));
        } else if (parent == "/dd6/language" && name == u"entry") {
            TSourceLanguage& language = Source.Languages.back();
            TSourceEntry entry;
            entry.Number = int(language.Entries.size()) + 1;
            std::string entryWhere = Where + ": entry " + std::to_string(entry.Number);
            const std::u16string* headword = Attribute(attributes, u"headword");
            if (!headword || headword->empty())
                Fail(entryWhere, "an entry needs a headword");
            entry.Headword = *headword;
            entryWhere += " (\"" + U8(entry.Headword) + "\")";
            entry.Ordinal = Int(attributes, u"ordinal", -1, entryWhere);
            if (const std::u16string* cat = Attribute(attributes, u"category"))
                entry.Category = CategoryOf(U8(*cat), entryWhere);
            entry.Multiword = Bool(attributes, u"multiword", false, entryWhere);
            language.Entries.push_back(std::move(entry));
            Entry = &Source.Languages.back().Entries.back();
            EntryDepth = Stack.size();
        } else {
            Fail(where, "unexpected element under " + (parent.empty() ? std::string("/") : parent));
        }
    }

    void End(const std::u16string& name) {
        if (Entry && Stack.size() == EntryDepth) {
            Entry = nullptr;
        } else if (Entry) {
            Entry->Fragment += u"</" + name + u">";
        }
        Stack.pop_back();
    }

    void Text(const std::u16string& text) {
        if (Entry) {
            ZelAppendXmlEscaped(Entry->Fragment, text, false);
        } else if (Path() == "/dd6/language/search") {
            Source.Languages.back().Search += text;
        }
    }

    static int CategoryOf(const std::string& name, const std::string& where) {
        for (int code = 1; code < 14; ++code)
            if (ZelCatIdList().GetCatId(code) == name)
                return code;
        try {
            int64_t v = ZelStrToInt(name);
            if (v >= 1 && v <= 255)
                return int(v);
        } catch (const EZelConvertError&) {
        }
        Fail(where, "unknown category \"" + name + "\"");
    }

    int SoundIndexOf(const std::string& file) {
        TSourceLanguage& language = Source.Languages.back();
        auto [it, added] = language.SoundIndex.emplace(file, int(language.SoundFiles.size()));
        if (added)
            language.SoundFiles.push_back(file);
        return it->second;
    }

    TSource& Source;
    std::string Where;
    TAttributes Pending;
    std::vector<std::u16string> Stack;
    TSourceEntry* Entry = nullptr;
    size_t EntryDepth = 0;
};

std::string CharacterName(char16_t c) {
    return ZelFormat("U+%.4X", {int(c)});
}

// Text that must be held exactly by the code page (headwords, names, abbreviations).
std::string Strict(const std::u16string& text, int codePage, const std::string& where) {
    std::string out;
    size_t bad = 0;
    if (!ZelTryWideToCodePage(text, codePage, out, &bad))
        Fail(where, "the character " + CharacterName(text[bad]) + " \"" + U8(text.substr(bad, 1)) +
                        "\" cannot be written in code page " + std::to_string(codePage));
    return out;
}

// XML text: a character the code page cannot hold becomes a character reference.
std::string XmlInCodePage(const std::u16string& xml, int codePage) {
    std::string out;
    std::u16string rest = xml;
    for (;;) {
        std::string part;
        size_t bad = 0;
        if (ZelTryWideToCodePage(rest, codePage, part, &bad))
            return out + part;
        out += part;
        char32_t c = rest[bad];
        size_t units = 1;
        if (c >= 0xD800 && c < 0xDC00 && bad + 1 < rest.size()) {
            c = 0x10000 + ((c - 0xD800) << 10) + (rest[bad + 1] - 0xDC00);
            units = 2;
        }
        out += "&#" + std::to_string(uint32_t(c)) + ";";
        rest = rest.substr(bad + units);
    }
}

std::string Quoted(const std::string& field) {
    std::string out = "\"";
    for (char c : field)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

bool IsWave(const std::string& bytes) {
    return bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 &&
           bytes.compare(8, 4, "WAVE") == 0;
}

void RemoveEarlierOutput(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> doomed;
    while (dirent* e = readdir(dir)) {
        std::string file = e->d_name;
        if (file == name + ".dd6" ||
            (file.compare(0, name.size(), name) == 0 && file.size() > name.size() &&
             (file[name.size()] == '_' || std::isxdigit(uint8_t(file[name.size()])))))
            doomed.push_back(folder + file);
    }
    closedir(dir);
    for (const auto& f : doomed)
        unlink(f.c_str());
}

struct TRecord {
    std::string Bytes;      // headword record as stored
    std::string SystemText; // headword in the system code page
    std::string LooseKey, ExactKey;
    int Ordinal = -1;
    const TSourceEntry* Entry = nullptr;
};

std::vector<TRecord> SortedRecords(const TSource& source, const TSourceLanguage& language,
                                   const std::string& where) {
    int cp = source.CodePage;
    int system = ZelGetSystemCodePage();
    std::map<std::u16string, int> homographs;
    std::vector<TRecord> records;
    for (const TSourceEntry& entry : language.Entries) {
        std::string entryWhere =
            where + ": entry " + std::to_string(entry.Number) + " (\"" + U8(entry.Headword) + "\")";
        TRecord r;
        r.Entry = &entry;
        r.Bytes = Strict(entry.Headword, cp, entryWhere);
        r.SystemText = ConvertCodePage(r.Bytes, cp, system);
        int tail = -1;
        if (source.LuStyle == 0) {
            if (entry.Category < 1)
                Fail(entryWhere, "a dictionary of style 0 needs a category for every entry");
            tail = entry.Category;
        } else if (source.LuStyle == 1) {
            int count = ++homographs[entry.Headword];
            r.Ordinal = entry.Ordinal >= 0 ? entry.Ordinal : count;
            if (r.Ordinal > 255)
                Fail(entryWhere, "an ordinal must be 0 to 255");
            tail = r.Ordinal;
        }
        if (tail >= 0)
            r.Bytes += char(tail);
        std::string loose = source.CommaComparison ? ZelUpToComma(r.SystemText) : r.SystemText;
        r.LooseKey = ZelCollationKey(language.Language, ZelCodePageToWide(loose, system),
                                     TZelCollationStrength::Loose);
        r.ExactKey = ZelCollationKey(language.Language, ZelCodePageToWide(r.SystemText, system),
                                     TZelCollationStrength::Exact);
        records.push_back(std::move(r));
    }
    if (source.Sorted)
        std::stable_sort(records.begin(), records.end(), [&](const TRecord& a, const TRecord& b) {
            if (int c = a.LooseKey.compare(b.LooseKey))
                return c < 0;
            if (int c = a.ExactKey.compare(b.ExactKey))
                return c < 0;
            if (source.LuStyle == 1)
                return a.Ordinal < b.Ordinal;
            return false;
        });
    return records;
}

// The compiled dictionary of one language, opened the way the program opens it.
ZelRef<TZelDD6> OpenCompiled(const TSource& source, const ZelRef<TZelDD6Master>& master,
                             TZelLanguage language) {
    if (source.CommaComparison)
        return ZelMake<TZelDicSlv2>(master, language, language);
    return ZelMake<TZelDD6>(master, language, language);
}

// Checks that a search finds every headword where it was written.
void Verify(TZelDD6& dic) {
    ZelRef<IZelArrayCursor> entries = dic.GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    for (int32_t i = 0; i < entries->GetCount(); ++i) {
        entries->SetIndex(i);
        ZelRef<TZelLu> key = ZelMake<TZelLu>(ZelRef<IZelDic>(&dic), lu->GetWideText(),
                                             lu->GetOrdinal(), lu->GetCatCode());
        int32_t found = -1;
        if (!dic.FindLu(*entries, *key, found) || found > i)
            throw EZelError("The compiled headwords are not in search order at \"" +
                            U8(key->GetWideText()) + "\"");
    }
}

// Writes the word list and word index of every field of kind "X" or "T": each distinct
// word of the field's occurrences (split as queries split them), sorted by character code,
// and for each word the ascending numbers of the entries holding it. The field texts come
// from the reader's own walk of the entries.
int WriteWordIndexes(TZelDD6& dic) {
    TZelLXQueryFields* fields = dic.GetQueryFields();
    ZelRef<IZelArrayCursor> entries = dic.GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    int written = 0;
    for (int32_t f = 0; f < fields->GetCount(); ++f) {
        TZelLXQueryField& field = fields->Get(f);
        if (field.Kind != qkX && field.Kind != qkT)
            continue;
        std::map<std::u16string, std::vector<uint32_t>> index;
        for (int32_t i = 0; i < entries->GetCount(); ++i) {
            entries->SetIndex(i);
            auto words = ZelNewCodeOrderList();
            dic.EnumFieldValues(*lu, {f},
                                [&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
                                    SplitQueryWords(&field, text, *words, u"");
                                    return false;
                                });
            for (int32_t w = 0; w < words->GetCount(); ++w)
                index[words->At(w)].push_back(uint32_t(i));
        }
        TZelMemBlocksWriter wordList, wordIndex;
        for (const auto& [word, list] : index) {
            wordList.Add(ZelWideToUtf8(word));
            wordIndex.AddIntegers(list);
        }
        wordList.WriteFile(field.GetWordListFileName());
        wordIndex.WriteFile(field.GetWordIndexFileName());
        ++written;
    }
    return written;
}

// Writes the value index of every field of kind "C" or "X" that offers values: for each
// value, the ascending numbers of the entries with an occurrence of the field matching the
// value's pattern (case-sensitive, as the query checks it without the index).
int WriteValueIndexes(TZelDD6& dic) {
    TZelLXQueryFields* fields = dic.GetQueryFields();
    ZelRef<IZelArrayCursor> entries = dic.GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    int written = 0;
    for (int32_t f = 0; f < fields->GetCount(); ++f) {
        TZelLXQueryField& field = fields->Get(f);
        const TZelQueryValues* values = field.GetValues();
        if ((field.Kind != qkC && field.Kind != qkX) || !values)
            continue;
        std::vector<TZelURESearch> patterns(values->Patterns.size());
        for (size_t v = 0; v < patterns.size(); ++v) {
            std::u16string pattern = ZelCodePageToWide(values->Patterns[v], ZelGetSystemCodePage());
            try {
                patterns[v].Compile(pattern, ZelRegexCaseSensitive);
            } catch (const EZelError& e) {
                std::string message = "The pattern of the value \"";
                message += values->Names[v];
                message += "\" of the field ";
                message += field.Name;
                message += " is not valid: ";
                message += e.what();
                throw EZelError(message);
            }
        }
        std::vector<std::vector<uint32_t>> index(patterns.size());
        for (int32_t i = 0; i < entries->GetCount(); ++i) {
            entries->SetIndex(i);
            std::vector<bool> matched(patterns.size(), false);
            dic.EnumFieldValues(*lu, {f},
                                [&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
                                    for (size_t v = 0; v < patterns.size(); ++v) {
                                        int32_t start = 0, end = 0;
                                        if (!matched[v] && patterns[v].FindText(text, start, end))
                                            matched[v] = true;
                                    }
                                    return false;
                                });
            for (size_t v = 0; v < patterns.size(); ++v)
                if (matched[v])
                    index[v].push_back(uint32_t(i));
        }
        TZelMemBlocksWriter writer;
        for (const auto& list : index)
            writer.AddIntegers(list);
        writer.WriteFile(field.GetIndexFileName());
        ++written;
    }
    return written;
}

} // namespace

TZelDD6CompileReport ZelCompileDD6(const std::string& sourcePath, const std::string& outputFolder) {
    TSource source;
    std::string folder = ZelExtractFileDir(sourcePath);
    source.Folder = folder.empty() ? std::string() : folder + "/";
    std::string bytes = ZelReadWholeFile(sourcePath);
    {
        // Well-formedness first, with the line of the first error.
        ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
        TZelBufferStream stream(bytes.data(), int64_t(bytes.size()));
        try {
            dom->LoadFromStream(stream, true);
        } catch (const EZelXmlError& e) {
            Fail(sourcePath, e.what());
        }
    }
    TSourceReader(source, sourcePath).Read(bytes);
    if (source.Languages.empty())
        Fail(sourcePath, "no <language> with entries");
    if (source.LuStyle < 0 || source.LuStyle > 2)
        Fail(sourcePath, "lustyle must be 0, 1 or 2");
    if (!ZelIsCodePageSupported(source.CodePage))
        Fail(sourcePath, "code page " + std::to_string(source.CodePage) + " is not supported");
    if (source.Views.empty())
        Fail(sourcePath, "a dictionary needs at least one <view> with its stylesheet");

    std::string out =
        outputFolder.empty() || outputFolder.back() == '/' ? outputFolder : outputFolder + "/";
    ZelCreateFolders(outputFolder);
    RemoveEarlierOutput(out, source.FileName);
    std::string base = out + source.FileName;
    int cp = source.CodePage;
    int system = ZelGetSystemCodePage();
    TZelDD6CompileReport report;

    for (size_t v = 0; v < source.Views.size(); ++v) {
        const TSourceView& view = source.Views[v];
        ZelWriteFileAtomic(base + ZelFormat("_rtf_%.2d.xsl", {int(v)}),
                           ZelReadWholeFile(source.Folder + view.Stylesheet));
    }
    for (const std::string& resource : source.Resources) {
        if (resource.empty() || resource[0] == '/' || resource.find("..") != std::string::npos)
            Fail(sourcePath, "a resource must be a file beside the source: \"" + resource + "\"");
        ZelWriteFileAtomic(out + resource, ZelReadWholeFile(source.Folder + resource));
    }

    if (!source.Abbreviations.empty()) {
        std::vector<std::pair<std::string, std::string>> abbr;
        for (const auto& [s, l] : source.Abbreviations) {
            std::string where = sourcePath + ": abbreviation \"" + U8(s) + "\"";
            std::string shortBytes = Strict(s, cp, where);
            std::string longBytes = Strict(l, cp, where);
            if (shortBytes.find_first_of("=\r\n") != std::string::npos ||
                longBytes.find_first_of("\r\n") != std::string::npos)
                Fail(where, "an abbreviation cannot hold \"=\" or a line break");
            abbr.emplace_back(shortBytes, longBytes);
        }
        std::stable_sort(abbr.begin(), abbr.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::string text;
        for (const auto& [s, l] : abbr)
            text += s + "=" + l + "\r\n";
        ZelWriteFileAtomic(base + "_abbr.kv0", text);
    }

    std::string languages;
    for (const TSourceLanguage& language : source.Languages) {
        languages += ZelFormat("%.5d", {int(language.Language)});
        std::string where = sourcePath + ": language " + GetLangAbbrev2(language.Language);
        std::string prefix = base + ZelLangFilePart(language.Language);
        std::vector<TRecord> records = SortedRecords(source, language, where);
        TZelMemBlocksWriter headwords, entries;
        std::vector<uint32_t> singleWords;
        bool anyMultiword = false;
        for (size_t i = 0; i < records.size(); ++i) {
            headwords.Add(records[i].Bytes);
            entries.Add(XmlInCodePage(records[i].Entry->Fragment, cp));
            if (records[i].Entry->Multiword)
                anyMultiword = true;
            else
                singleWords.push_back(uint32_t(i));
        }
        headwords.WriteFile(prefix + "_lu.ddata");
        entries.WriteFile(prefix + "_le.ddata");
        report.Entries += int(records.size());
        if (anyMultiword) {
            std::string filter;
            for (uint32_t e : singleWords)
                for (int k = 0; k < 4; ++k)
                    filter += char((e >> (8 * k)) & 0xFF);
            ZelWriteFileAtomic(prefix + "_sei.ddata", filter);
        }
        if (language.HasSearch)
            ZelWriteFileAtomic(prefix + "_search.kv0",
                               Strict(language.Search, system, where + ": <search>"));
        for (size_t v = 0; v < source.Views.size(); ++v) {
            if (source.Views[v].Options.empty())
                continue;
            std::string text;
            for (const TSourceOption& o : source.Views[v].Options) {
                std::string ow = where + ": option \"" + U8(o.Caption) + "\"";
                text += Quoted(Strict(o.Caption, system, ow)) + "," +
                        (o.Checked ? "True" : "False") + "," +
                        Quoted(Strict(o.Element, system, ow)) + "," +
                        Quoted(Strict(o.Hint, system, ow)) + "," + std::to_string(o.Image) + "\r\n";
            }
            ZelWriteFileAtomic(prefix + ZelFormat("_vo_%.2d.kv0", {int(v)}), text);
        }
        if (!language.SoundFiles.empty()) {
            TZelMemBlocksWriter sounds;
            for (const std::string& file : language.SoundFiles) {
                std::string path = source.Folder + language.SoundsFolder +
                                   (language.SoundsFolder.empty() ? "" : "/") + file;
                std::string wave = ZelReadWholeFile(path);
                if (!IsWave(wave))
                    Fail(path, "not a wave file");
                sounds.Add(wave);
            }
            sounds.WriteFile(out + source.FileName + ZelLangFilePart(language.Language) +
                             "_audio.ddata");
            report.Sounds += int(language.SoundFiles.size());
        }
    }

    std::string targets;
    for (TZelLanguage t : source.Targets)
        targets += ZelFormat("%.5d", {int(t)});
    TZelDescriptionWriter description;
    description.Add("Name", Strict(source.Name, cp, sourcePath + ": name"));
    description.Add("CodePage", std::to_string(cp));
    description.Add("LuStyle", std::to_string(source.LuStyle));
    description.Add("LuSorted", source.Sorted ? "True" : "False");
    description.Add("Monolingual", source.Monolingual ? "1" : "0");
    description.Add("ViewCount", std::to_string(source.Views.size()));
    description.Add("SLWCL", languages);
    description.Add("TLWCL", targets);
    report.DescriptionPath = base + ".dd6";
    ZelWriteFileAtomic(report.DescriptionPath, description.Text());
    ZelRef<TZelDD6Master> master =
        ZelMake<TZelDD6Master>("CHECK", out, out, report.DescriptionPath);
    for (const TSourceLanguage& language : source.Languages) {
        ZelRef<TZelDD6> dic = OpenCompiled(source, master, language.Language);
        if (source.Sorted)
            Verify(*dic);
        report.WordIndexes += WriteWordIndexes(*dic);
        report.ValueIndexes += WriteValueIndexes(*dic);
    }
    return report;
}
