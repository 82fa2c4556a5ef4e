#include "ZelDD6Compiler.h"

#include "ZelCodePage.h"
#include "ZelDD6.h"
#include "ZelDD6Source.h"
#include "ZelDescriptionFile.h"
#include "ZelDicSlv2.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelLXQueryField.h"
#include "ZelLocale.h"
#include "ZelMemBlocksWriter.h"
#include "ZelStagedOutput.h"
#include "ZelURESearch.h"
#include "ZelUtils.h"
#include "ZelWideStrings.h"
#include "ZelXML.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <numeric>

namespace {

std::string U8(const std::u16string& s) {
    return ZelWideToUtf8(s);
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw EZelError(where + ": " + what);
}

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
        size_t next = bad;
        char32_t c = ZelNextCodePoint(rest, next);
        out += "&#" + std::to_string(uint32_t(c)) + ";";
        rest = rest.substr(next);
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

// Whether a file of the output folder is one this compiler writes for the dictionary: the
// description, stylesheets, abbreviations, and per language (four hexadecimal digits) the
// headwords, entries, multi-word filter, sounds, query fields, display options and indexes.
bool IsCompilerOutput(const std::string& name, const std::string& file) {
    if (file.compare(0, name.size(), name) != 0)
        return false;
    std::string rest = file.substr(name.size());
    auto digits = [&](size_t at, size_t n, bool hex) {
        if (rest.size() < at + n)
            return false;
        for (size_t i = at; i < at + n; ++i)
            if (!(hex ? ZelHexDigitValue(rest[i]) >= 0 : rest[i] >= '0' && rest[i] <= '9'))
                return false;
        return true;
    };
    if (rest == ".dd6" || rest == "_abbr.kv0")
        return true;
    if (rest.size() == 11 && rest.compare(0, 5, "_rtf_") == 0 && digits(5, 2, false) &&
        rest.compare(7, 4, ".xsl") == 0)
        return true;
    if (!digits(0, 4, true))
        return false;
    std::string tail = rest.substr(4);
    for (const char* fixed :
         {"_lu.ddata", "_le.ddata", "_sei.ddata", "_audio.ddata", "_search.kv0"})
        if (tail == fixed)
            return true;
    auto numbered = [&](const char* prefix, const char* suffix) {
        std::string p = prefix, x = suffix;
        return tail.size() == p.size() + 2 + x.size() && tail.compare(0, p.size(), p) == 0 &&
               std::isdigit(uint8_t(tail[p.size()])) && std::isdigit(uint8_t(tail[p.size() + 1])) &&
               tail.compare(p.size() + 2, x.size(), x) == 0;
    };
    return numbered("_vo_", ".kv0") || numbered("_i", ".ddata") || numbered("_wi", ".ddata") ||
           numbered("_wl", ".ddata");
}

struct TRecord {
    std::string Bytes;      // headword record as stored
    std::string SystemText; // headword in the system code page
    std::string LooseKey, ExactKey;
    int Ordinal = -1;
    const TZelDD6SourceEntry* Entry = nullptr;
};

std::vector<TRecord> SortedRecords(const TZelDD6Source& source,
                                   const TZelDD6SourceLanguage& language,
                                   const std::string& where) {
    int cp = source.CodePage;
    int system = ZelGetSystemCodePage();
    std::map<std::u16string, int> homographs;
    std::vector<TRecord> records;
    for (const TZelDD6SourceEntry& entry : language.Entries) {
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
ZelRef<TZelDD6> OpenCompiled(const TZelDD6Source& source, const ZelRef<TZelDD6Master>& master,
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

// Calls visit(entry number, text) for every occurrence of a field in every entry, entry
// by entry: the texts come from the reader's own walk of the entries.
template <class Visit> void ForEachFieldText(TZelDD6& dic, int32_t field, Visit&& visit) {
    ZelRef<IZelArrayCursor> entries = dic.GetEntries();
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
    for (int32_t i = 0; i < entries->GetCount(); ++i) {
        entries->SetIndex(i);
        dic.EnumFieldValues(*lu, {field},
                            [&](int32_t, const std::u16string& text, const TZelAddRangeProc&) {
                                visit(uint32_t(i), text);
                                return false;
                            });
    }
}

// Adds an entry number to an index list unless the entry is there already (entries come
// in ascending order).
void AddEntry(std::vector<uint32_t>& list, uint32_t entry) {
    if (list.empty() || list.back() != entry)
        list.push_back(entry);
}

// Writes the word list and word index of every field of kind "X" or "T": each distinct
// word of the field's occurrences (split as queries split them), sorted by character code,
// and for each word the ascending numbers of the entries holding it.
int WriteWordIndexes(TZelDD6& dic) {
    TZelLXQueryFields* fields = dic.GetQueryFields();
    int written = 0;
    for (int32_t f = 0; f < fields->GetCount(); ++f) {
        TZelLXQueryField& field = fields->Get(f);
        if (field.Kind != qkX && field.Kind != qkT)
            continue;
        std::map<std::u16string, std::vector<uint32_t>> index;
        ForEachFieldText(dic, f, [&](uint32_t entry, const std::u16string& text) {
            auto words = ZelNewCodeOrderList();
            SplitQueryWords(&field, text, *words, u"");
            for (int32_t w = 0; w < words->GetCount(); ++w)
                AddEntry(index[words->At(w)], entry);
        });
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

// The compiled patterns of a field's values; an error names the value and the field.
std::vector<TZelURESearch> ValuePatterns(const TZelLXQueryField& field,
                                         const TZelQueryValues& values) {
    std::vector<TZelURESearch> patterns(values.Patterns.size());
    for (size_t v = 0; v < patterns.size(); ++v) {
        try {
            patterns[v].Compile(ZelCodePageToWide(values.Patterns[v], ZelGetSystemCodePage()),
                                ZelRegexCaseSensitive);
        } catch (const EZelError& e) {
            throw EZelError("The pattern of the value \"" + values.Names[v] + "\" of the field " +
                            field.Name + " is not valid: " + e.what());
        }
    }
    return patterns;
}

// Writes the value index of every field of kind "C" or "X" that offers values: for each
// value, the ascending numbers of the entries with an occurrence of the field matching the
// value's pattern (case-sensitive, as the query checks it without the index).
int WriteValueIndexes(TZelDD6& dic) {
    TZelLXQueryFields* fields = dic.GetQueryFields();
    int written = 0;
    for (int32_t f = 0; f < fields->GetCount(); ++f) {
        TZelLXQueryField& field = fields->Get(f);
        const TZelQueryValues* values = field.GetValues();
        if ((field.Kind != qkC && field.Kind != qkX) || !values)
            continue;
        std::vector<TZelURESearch> patterns = ValuePatterns(field, *values);
        std::vector<std::vector<uint32_t>> index(patterns.size());
        ForEachFieldText(dic, f, [&](uint32_t entry, const std::u16string& text) {
            for (size_t v = 0; v < patterns.size(); ++v) {
                int32_t start = 0, end = 0;
                if (patterns[v].FindText(text, start, end))
                    AddEntry(index[v], entry);
            }
        });
        TZelMemBlocksWriter writer;
        for (const auto& list : index)
            writer.AddIntegers(list);
        writer.WriteFile(field.GetIndexFileName());
        ++written;
    }
    return written;
}

} // namespace

namespace {

void WriteStylesheets(const TZelDD6Source& source, const std::string& base) {
    for (size_t v = 0; v < source.Views.size(); ++v)
        ZelWriteFileAtomic(base + ZelFormat("_rtf_%.2d.xsl", {int(v)}),
                           ZelReadWholeFile(source.Folder + source.Views[v].Stylesheet));
}

void WriteResources(const TZelDD6Source& source, const std::string& folder) {
    for (const std::string& resource : source.Resources)
        ZelWriteFileAtomic(folder + resource, ZelReadWholeFile(source.Folder + resource));
}

void WriteAbbreviations(const TZelDD6Source& source, const std::string& base) {
    if (source.Abbreviations.empty())
        return;
    std::vector<std::pair<std::string, std::string>> abbr;
    for (const auto& [s, l] : source.Abbreviations) {
        std::string where = source.Path + ": abbreviation \"" + U8(s) + "\"";
        std::string shortBytes = Strict(s, source.CodePage, where);
        std::string longBytes = Strict(l, source.CodePage, where);
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

// The headwords and entries of a language, and the filter of its single-word headwords
// when it has multi-word ones; the number of entries.
int WriteHeadwordsAndEntries(const TZelDD6Source& source, const TZelDD6SourceLanguage& language,
                             const std::string& prefix, const std::string& where) {
    std::vector<TRecord> records = SortedRecords(source, language, where);
    TZelMemBlocksWriter headwords, entries;
    std::vector<uint32_t> singleWords;
    bool anyMultiword = false;
    for (size_t i = 0; i < records.size(); ++i) {
        headwords.Add(records[i].Bytes);
        entries.Add(XmlInCodePage(records[i].Entry->Fragment, source.CodePage));
        if (records[i].Entry->Multiword)
            anyMultiword = true;
        else
            singleWords.push_back(uint32_t(i));
    }
    headwords.WriteFile(prefix + "_lu.ddata");
    entries.WriteFile(prefix + "_le.ddata");
    if (anyMultiword) {
        std::string filter(singleWords.size() * 4, '\0');
        for (size_t i = 0; i < singleWords.size(); ++i)
            ZelWriteLE32(reinterpret_cast<uint8_t*>(filter.data()) + i * 4, singleWords[i]);
        ZelWriteFileAtomic(prefix + "_sei.ddata", filter);
    }
    return int(records.size());
}

void WriteViewOptions(const TZelDD6Source& source, const std::string& prefix,
                      const std::string& where) {
    int system = ZelGetSystemCodePage();
    for (size_t v = 0; v < source.Views.size(); ++v) {
        if (source.Views[v].Options.empty())
            continue;
        std::string text;
        for (const TZelDD6SourceOption& o : source.Views[v].Options) {
            std::string ow = where + ": option \"" + U8(o.Caption) + "\"";
            text += Quoted(Strict(o.Caption, system, ow)) + "," + (o.Checked ? "True" : "False") +
                    "," + Quoted(Strict(o.Element, system, ow)) + "," +
                    Quoted(Strict(o.Hint, system, ow)) + "," + std::to_string(o.Image) + "\r\n";
        }
        ZelWriteFileAtomic(prefix + ZelFormat("_vo_%.2d.kv0", {int(v)}), text);
    }
}

// The recorded pronunciations of a language; how many.
int WriteSounds(const TZelDD6Source& source, const TZelDD6SourceLanguage& language,
                const std::string& prefix) {
    if (language.SoundFiles.empty())
        return 0;
    TZelMemBlocksWriter sounds;
    for (const std::string& file : language.SoundFiles) {
        std::string path = source.Folder + language.SoundsFolder +
                           (language.SoundsFolder.empty() ? "" : "/") + file;
        std::string wave = ZelReadWholeFile(path);
        if (!IsWave(wave))
            Fail(path, "not a wave file");
        sounds.Add(wave);
    }
    sounds.WriteFile(prefix + "_audio.ddata");
    return int(language.SoundFiles.size());
}

void WriteLanguage(const TZelDD6Source& source, const TZelDD6SourceLanguage& language,
                   const std::string& base, TZelDD6CompileReport& report) {
    std::string where = source.Path + ": language " + GetLangAbbrev2(language.Language);
    std::string prefix = base + ZelLangFilePart(language.Language);
    report.Entries += WriteHeadwordsAndEntries(source, language, prefix, where);
    if (language.HasSearch)
        ZelWriteFileAtomic(prefix + "_search.kv0",
                           Strict(language.Search, ZelGetSystemCodePage(), where + ": <search>"));
    WriteViewOptions(source, prefix, where);
    report.Sounds += WriteSounds(source, language, prefix);
}

std::string WriteDescription(const TZelDD6Source& source, const std::string& base) {
    std::string languages, targets;
    for (const TZelDD6SourceLanguage& language : source.Languages)
        languages += ZelFormat("%.5d", {int(language.Language)});
    for (TZelLanguage t : source.Targets)
        targets += ZelFormat("%.5d", {int(t)});
    TZelDescriptionWriter description;
    description.Add("Name", Strict(source.Name, source.CodePage, source.Path + ": name"));
    description.Add("CodePage", std::to_string(source.CodePage));
    description.Add("LuStyle", std::to_string(source.LuStyle));
    description.Add("LuSorted", source.Sorted ? "True" : "False");
    description.Add("Monolingual", source.Monolingual ? "1" : "0");
    description.Add("ViewCount", std::to_string(source.Views.size()));
    description.Add("SLWCL", languages);
    description.Add("TLWCL", targets);
    ZelWriteFileAtomic(base + ".dd6", description.Text());
    return base + ".dd6";
}

// Opens what was written the way the program does, proves the headword order, and writes
// the indexes the query fields need.
void ProveAndIndex(const TZelDD6Source& source, const std::string& folder,
                   const std::string& description, TZelDD6CompileReport& report) {
    ZelRef<TZelDD6Master> master = ZelMake<TZelDD6Master>("CHECK", folder, folder, description);
    for (const TZelDD6SourceLanguage& language : source.Languages) {
        ZelRef<TZelDD6> dic = OpenCompiled(source, master, language.Language);
        if (source.Sorted)
            Verify(*dic);
        report.WordIndexes += WriteWordIndexes(*dic);
        report.ValueIndexes += WriteValueIndexes(*dic);
    }
}

} // namespace

TZelDD6CompileReport ZelCompileDD6(const std::string& sourcePath, const std::string& outputFolder) {
    TZelDD6Source source = ZelReadDD6Source(sourcePath);
    TZelStagedOutput output(outputFolder);
    std::string base = output.Folder() + source.FileName;
    TZelDD6CompileReport report;
    WriteStylesheets(source, base);
    WriteResources(source, output.Folder());
    WriteAbbreviations(source, base);
    for (const TZelDD6SourceLanguage& language : source.Languages)
        WriteLanguage(source, language, base, report);
    std::string description = WriteDescription(source, base);
    ProveAndIndex(source, output.Folder(), description, report);
    // Everything is written and proved: only now does the output folder change.
    output.Commit([&](const std::string& file) { return IsCompilerOutput(source.FileName, file); });
    report.DescriptionPath = output.Output() + source.FileName + ".dd6";
    return report;
}
