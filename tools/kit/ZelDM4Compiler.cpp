#include "ZelDM4Compiler.h"

#include "ZelDescriptionFile.h"

#include "ZelAutomatonWriter.h"
#include "ZelCodePage.h"
#include "ZelDD6Source.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelLocale.h"
#include "ZelMorphModuleFile.h"
#include "ZelMorphTokenizer.h"
#include "ZelStagedOutput.h"
#include "ZelUtils.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct TReading {
    std::string Form;  // the normalised form in the code page: the automaton's input
    std::string Lemma; // in the code page
    int Code = 0;
    int DescriptionId = 0;
    bool operator<(const TReading& o) const {
        return std::tie(Lemma, Code, Form, DescriptionId) <
               std::tie(o.Lemma, o.Code, o.Form, o.DescriptionId);
    }
};

struct TLexicon {
    std::string FileName = "morphology";
    std::string Name;
    TZelLanguage Language = 0;
    int CodePage = 1252;
    int LuStyle = 0;
    std::string Vowels, Consonants;
    std::vector<std::string> Descriptions; // id - 1
    std::vector<TReading> Readings;        // distinct, in first-seen order
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw EZelError(where + ": " + what);
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

std::string Strict(const std::u16string& text, int codePage, const std::string& where) {
    std::string out;
    size_t bad = 0;
    if (!ZelTryWideToCodePage(text, codePage, out, &bad))
        Fail(where, "the character " + ZelFormat("U+%.4X", {int(text[bad])}) +
                        " cannot be written in code page " + std::to_string(codePage));
    return out;
}

int CodeOf(const std::string& text, const std::string& where) {
    for (int code = 0; code < 14; ++code)
        if (ZelCatIdList().GetCatId(code) == text)
            return code;
    try {
        int64_t v = ZelStrToInt(text);
        if (v >= 0 && v <= 255 - '0')
            return int(v);
    } catch (const EZelConvertError&) {
    }
    Fail(where, "\"" + text + "\" is neither a category nor a number from 0 to 207");
}

// The form as the analyser sees it: tokens lower-cased and separated by single spaces.
std::string NormalisedForm(TZelMorphTokenizer& tokenizer, const std::u16string& form, int codePage,
                           const std::string& where) {
    tokenizer.Tokenize(form);
    if (tokenizer.BoundaryCount() == 0)
        Fail(where, "an empty form");
    std::u16string_view output = tokenizer.Token(0);
    output.remove_suffix(1); // the separator after the last token
    std::string normalised = Strict(std::u16string(output), codePage, where);
    if (normalised.size() > size_t(TZelMorphModuleFile::MaxFormLength))
        Fail(where, "a form longer than " + std::to_string(TZelMorphModuleFile::MaxFormLength) +
                        " characters");
    return normalised;
}

TLexicon ReadLexicon(const std::string& path) {
    TLexicon lexicon;
    std::string text = ZelReadWholeFile(path);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    std::map<std::string, int> descriptionIds;
    std::set<std::tuple<std::string, std::string, int, int>> seen;
    TZelMorphTokenizer tokenizer;
    bool headerDone = false;
    std::vector<std::string> lines = ZelSplitLines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        std::string where = path + ":" + std::to_string(n + 1);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '@') {
            if (headerDone)
                Fail(where, "settings (@name=value) must come before the readings");
            size_t equals = line.find('=');
            if (equals == std::string::npos)
                Fail(where, "a setting is written @name=value");
            std::string name = line.substr(1, equals - 1);
            std::string value = line.substr(equals + 1);
            try {
                if (name == "file") {
                    ZelCheckPlainFileName(value, where + ": @file");
                    lexicon.FileName = value;
                } else if (name == "name")
                    lexicon.Name = value;
                else if (name == "language") {
                    lexicon.Language = ZelLanguageOfIsoCode(value);
                    if (lexicon.Language == 0)
                        lexicon.Language = TZelLanguage(ZelStrToInt(value));
                } else if (name == "codepage")
                    lexicon.CodePage = int(ZelStrToInt(value));
                else if (name == "lustyle")
                    lexicon.LuStyle = int(ZelStrToInt(value));
                else if (name == "vowels")
                    lexicon.Vowels = value;
                else if (name == "consonants")
                    lexicon.Consonants = value;
                else
                    Fail(where, "unknown setting \"" + name + "\"");
            } catch (const EZelConvertError& e) {
                Fail(where, e.what());
            }
            continue;
        }
        if (!headerDone) {
            headerDone = true;
            if (lexicon.Language == 0)
                Fail(path, "the lexicon needs @language");
            if (!ZelIsCodePageSupported(lexicon.CodePage))
                Fail(path, "code page " + std::to_string(lexicon.CodePage) + " is not supported");
            if (lexicon.LuStyle != 0 && lexicon.LuStyle != 1)
                Fail(path, "@lustyle must be 0 or 1");
        }
        std::vector<std::string> fields = SplitTabs(line);
        if (fields.size() != 4)
            Fail(where, "a reading is four fields separated by tabs: form, lemma, code, "
                        "description");
        TReading r;
        r.Form = NormalisedForm(tokenizer, ZelUtf8ToWide(fields[0]), lexicon.CodePage, where);
        r.Lemma = Strict(ZelUtf8ToWide(fields[1]), lexicon.CodePage, where);
        if (r.Lemma.empty())
            Fail(where, "an empty lemma");
        r.Code = CodeOf(fields[2], where);
        if (!fields[3].empty()) {
            auto [it, added] = descriptionIds.emplace(fields[3], int(descriptionIds.size()) + 1);
            if (added) {
                if (it->second > 255)
                    Fail(where, "more than 255 different descriptions");
                lexicon.Descriptions.push_back(fields[3]);
            }
            r.DescriptionId = it->second;
        }
        if (seen.emplace(r.Form, r.Lemma, r.Code, r.DescriptionId).second)
            lexicon.Readings.push_back(r);
    }
    if (lexicon.Readings.empty())
        Fail(path, "no readings");
    return lexicon;
}

std::string CommonPrefix(const std::vector<const TReading*>& readings) {
    std::string prefix = readings.front()->Form;
    for (const TReading* r : readings) {
        size_t n = 0;
        while (n < prefix.size() && n < r->Form.size() && prefix[n] == r->Form[n])
            ++n;
        prefix.resize(n);
    }
    return prefix;
}

// The shortest stem worth sharing: a stem as short as "g" (for "go" and "gave") or "a" (for
// "am" and "are") sends every word with that beginning into its endings, and analysis tries
// them all.
constexpr size_t ShortestStem = 3;

// Splits the forms of a lemma into groups with a stem of ShortestStem bytes at least, or
// with a single form, by longer and longer prefixes: "be", "been", "being" | "am" | "are" |
// "is" | "was" | "were".
void StemGroups(const std::vector<const TReading*>& readings,
                std::vector<std::vector<const TReading*>>& groups) {
    size_t shared = CommonPrefix(readings).size();
    bool oneForm = std::all_of(readings.begin(), readings.end(), [&](const TReading* r) {
        return r->Form == readings.front()->Form;
    });
    if (shared >= ShortestStem || oneForm) {
        groups.push_back(readings);
        return;
    }
    // A form no longer than the shared prefix is a group of its own.
    std::map<std::string, std::vector<const TReading*>> longer;
    for (const TReading* r : readings)
        longer[r->Form.substr(0, shared + 1)].push_back(r);
    for (const auto& [beginning, group] : longer)
        StemGroups(group, groups);
}

std::string InfoString(const std::string& lemma, int code) {
    return lemma + char('0' + code);
}

// The lemmas of the frequency list that the lexicon holds, commonest first, as the rank
// file's lines in the lexicon's code page.
std::string RankList(const std::string& frequenciesPath, const TLexicon& lexicon, int& ranked) {
    std::set<std::string> known;
    for (const TReading& r : lexicon.Readings)
        known.insert(r.Lemma);
    std::set<std::string> listed;
    std::string out;
    std::vector<std::string> lines = ZelSplitLines(ZelReadWholeFile(frequenciesPath));
    for (size_t n = 0; n < lines.size(); ++n) {
        if (lines[n].empty() || lines[n][0] == '#')
            continue;
        std::vector<std::string> fields = SplitTabs(lines[n]);
        if (fields.size() != 2)
            Fail(frequenciesPath + ":" + std::to_string(n + 1),
                 "a frequency line is a lemma and its count separated by a tab");
        // Lemmas are kept in the lexicon's code page, as the readings hold them.
        // A lemma the page cannot hold is none of the lexicon's.
        std::string lemma;
        if (ZelTryWideToCodePage(ZelUtf8ToWide(fields[0]), lexicon.CodePage, lemma) &&
            known.count(lemma) && listed.insert(lemma).second)
            out += lemma + "\r\n";
    }
    ranked = int(listed.size());
    return out;
}

} // namespace

TZelDM4CompileReport ZelCompileDM4(const std::string& lexiconPath, const std::string& outputFolder,
                                   bool check, const std::string& frequenciesPath) {
    TLexicon lexicon = ReadLexicon(lexiconPath);
    TZelDM4CompileReport report;
    report.Readings = int(lexicon.Readings.size());
    report.Descriptions = int(lexicon.Descriptions.size());

    // The readings of each lemma, in lemma order.
    std::map<std::pair<std::string, int>, std::vector<const TReading*>> lemmas;
    for (const TReading& r : lexicon.Readings)
        lemmas[{r.Lemma, r.Code}].push_back(&r);
    report.Lemmas = int(lemmas.size());

    TZelAutomatonWriter writer;
    std::map<std::vector<std::pair<std::string, int>>, int16_t> paradigms;
    for (const auto& [key, readings] : lemmas) {
        // One stem per group of forms with a common prefix: the whole lemma when its forms
        // share one of a few letters, otherwise groups split by longer and longer prefixes
        // (StemGroups). A multi-word unit whose forms differ in the first word ("give up",
        // "gave up") is first split by its first word.
        std::map<std::string, std::vector<const TReading*>> byFirstWord;
        std::string prefix = CommonPrefix(readings);
        bool unit = key.first.find(' ') != std::string::npos;
        for (const TReading* r : readings) {
            size_t blank = r->Form.find(' ');
            bool split = unit && blank != std::string::npos && prefix.size() < blank;
            byFirstWord[split ? r->Form.substr(0, blank) : std::string()].push_back(r);
        }
        std::vector<std::vector<const TReading*>> groups;
        for (const auto& [firstWord, group] : byFirstWord)
            StemGroups(group, groups);
        for (const std::vector<const TReading*>& group : groups) {
            // A stem ends inside a token: the walk does not carry a stem over a blank.
            std::string stem = CommonPrefix(group);
            while (!stem.empty() && stem.back() == ' ')
                stem.pop_back();
            std::vector<std::pair<std::string, int>> endings;
            for (const TReading* r : group)
                endings.emplace_back(r->Form.substr(stem.size()), r->DescriptionId);
            std::sort(endings.begin(), endings.end());
            auto [it, added] = paradigms.emplace(endings, int16_t(paradigms.size() + 1));
            if (added) {
                if (paradigms.size() > size_t(INT16_MAX))
                    Fail(lexiconPath, "more than 32767 different paradigms");
                for (const auto& [ending, id] : endings)
                    writer.AddTransition(it->second, ending, "", int16_t(id), 0);
            }
            writer.AddTransition(-1, stem, InfoString(key.first, key.second), 0, it->second);
            ++report.Stems;
        }
    }
    report.Paradigms = int(paradigms.size());

    // Written and proved in a staging folder; the output folder changes only after that.
    TZelStagedOutput output(outputFolder);
    std::string base = output.Folder() + lexicon.FileName;
    writer.Write(base);
    int system = ZelGetSystemCodePage();
    std::string info = "\r\n";
    for (const std::string& d : lexicon.Descriptions)
        info +=
            Strict(ZelUtf8ToWide(d), system, lexiconPath + ": description \"" + d + "\"") + "\r\n";
    ZelWriteFileAtomic(base + "_info.kv0", info);
    int cp = lexicon.CodePage;
    TZelDescriptionWriter description;
    description.Add("Name", Strict(ZelUtf8ToWide(lexicon.Name), cp, lexiconPath + ": name"));
    description.Add("SLWC", std::to_string(lexicon.Language));
    description.Add("CodePage", std::to_string(cp));
    description.Add("LuStyle", std::to_string(lexicon.LuStyle));
    description.Add("Vowels", Strict(ZelUtf8ToWide(lexicon.Vowels), cp, lexiconPath + ": vowels"));
    description.Add("Consonants",
                    Strict(ZelUtf8ToWide(lexicon.Consonants), cp, lexiconPath + ": consonants"));
    ZelWriteFileAtomic(base + ".dm4", description.Text());
    if (!frequenciesPath.empty())
        ZelWriteFileAtomic(base + "_rank.kv0", RankList(frequenciesPath, lexicon, report.Ranked));
    if (check)
        ZelCheckDM4(lexiconPath, base + ".dm4");
    std::string name = lexicon.FileName;
    output.Commit([&](const std::string& file) {
        for (const char* suffix : {".dm4", "_auto.kv2", "_data.kv2", "_info.kv0", "_rank.kv0"})
            if (file == name + suffix)
                return true;
        return false;
    });
    report.DescriptionPath = output.Output() + lexicon.FileName + ".dm4";
    return report;
}

namespace {

// Collects the forms generated for one lemma.
class TFormCollector : public IZelMorphEnumCallback {
public:
    bool AcceptInfo(int32_t, int32_t) override { return true; }
    bool Progress(int32_t, int32_t) override { return true; }
    bool WordForm(const std::u16string& form) override {
        Forms.insert(form);
        return true;
    }
    std::set<std::u16string> Forms;
};

// Whether the reading tree holds, over the whole text, a reading of the lemma.
bool HasReading(IZelMorphInfo& node, const std::u16string& lemma, int code, int description,
                int32_t length) {
    if (node.GetKind() == ZelMorphLeaf)
        return node.GetStart() == 0 && node.GetLength() == length && node.GetLemma() == lemma &&
               node.GetLemmaCode() == code && node.GetInfoId() == description;
    if (node.GetKind() == ZelMorphAlternatives)
        for (int32_t i = 0; i < node.GetCount(); ++i)
            if (HasReading(*node.GetItem(i), lemma, code, description, length))
                return true;
    if (node.GetKind() == ZelMorphSequence && node.GetCount() == 1)
        return HasReading(*node.GetItem(0), lemma, code, description, length);
    return false;
}

} // namespace

void ZelCheckDM4(const std::string& lexiconPath, const std::string& descriptionPath) {
    TLexicon lexicon = ReadLexicon(lexiconPath);
    ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
    module->SetFileName(ZelUtf8ToWide(descriptionPath));
    int cp = lexicon.CodePage;
    std::map<std::pair<std::string, int>, std::set<std::u16string>> expected;
    for (const TReading& r : lexicon.Readings) {
        std::u16string form = ZelCodePageToWide(r.Form, cp);
        std::u16string lemma = ZelCodePageToWide(r.Lemma, cp);
        ZelRef<IZelMorphInfo> tree = module->Analyze(form);
        if (!tree || !HasReading(*tree, lemma, r.Code, r.DescriptionId, int32_t(form.size())))
            throw EZelError(lexiconPath + ": \"" + ZelWideToUtf8(form) + "\" (" +
                            ZelWideToUtf8(lemma) + ") is not found by analysis");
        expected[{r.Lemma, r.Code}].insert(ZelWrittenForm(form));
    }
    for (const auto& [key, forms] : expected) {
        TFormCollector collector;
        std::u16string lemma = ZelCodePageToWide(key.first, cp);
        module->EnumWordForms(ZelEnumLemmaForms, TZelVariant::TArray{lemma, key.second}, collector);
        if (collector.Forms != forms)
            throw EZelError(lexiconPath + ": the forms generated for \"" + ZelWideToUtf8(lemma) +
                            "\" differ from the lexicon's");
    }
    if (module->GetWordCount() != int32_t(lexicon.Readings.size()))
        throw EZelError(lexiconPath + ": the automaton accepts " +
                        std::to_string(module->GetWordCount()) + " readings, the lexicon has " +
                        std::to_string(lexicon.Readings.size()));
}
