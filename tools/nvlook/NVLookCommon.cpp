#include "NVLook.h"

#include "ZelCodePage.h"
#include "ZelDicRegistry.h"
#include "ZelFiles.h"
#include "ZelHelpers.h"
#include "ZelRtfReader.h"
#include "ZelSentenceItem.h"
#include "ZelTerminalSink.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <sys/stat.h>
#include <unicode/uchar.h>
#include <unistd.h>

namespace nvlook {

void PrintJsonArray(const std::vector<TJson>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out +=
            (i ? ",\n  " : "\n  ") + items[i].dump(-1, ' ', false, TJson::error_handler_t::replace);
    out += items.empty() ? "]\n" : "\n]\n";
    std::fputs(out.c_str(), stdout);
}

TZelLanguage LanguageOf(const std::string& code) {
    if (code == "it")
        return ZelLangItalian;
    if (code == "en")
        return ZelLangEnglish;
    throw TUsageError("Unknown language \"" + Printable(code) + "\" (it or en)");
}

std::string LanguageCode(TZelLanguage language) {
    return language == ZelLangItalian ? "it" : language == ZelLangEnglish ? "en" : "?";
}

TPair PairOf(const std::string& text) {
    if (text.size() != 5 || text[2] != '-')
        throw TUsageError("A pair is written it-en or en-it");
    return {LanguageOf(text.substr(0, 2)), LanguageOf(text.substr(3))};
}

std::string Utf8(const std::u16string& text) {
    return ZelWideToUtf8(text);
}

std::u16string FromUtf8(const std::string& text) {
    return ZelUtf8ToWide(text);
}

std::string Printable(const std::u16string& text) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        char32_t c = ZelNextCodePoint(text, pos);
        if (c == U'\n') {
            out += "\\n";
        } else if (c == U'\t') {
            out += "\\t";
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(c));
            out += escape;
        } else {
            ZelAppendUtf8(out, c);
        }
    }
    return out;
}

std::string Printable(const std::string& utf8) {
    return Printable(ZelUtf8ToWide(utf8));
}

std::string FromSystem(const std::string& bytes) {
    return ZelWideToUtf8(ZelCodePageToWide(bytes, ZelGetSystemCodePage()));
}

ZelRef<IZelDicMorph> Morphology(TZelLanguage language) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = list->GetDic(i);
        ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(dic);
        if (morph && dic->GetSourceLang() == language)
            return morph;
    }
    return nullptr;
}

ZelRef<IZelDicMorph> RequireMorphology(TZelLanguage language) {
    ZelRef<IZelDicMorph> morph = Morphology(language);
    if (!morph)
        throw EZelError("No morphology installed for " + LanguageCode(language));
    return morph;
}

bool HasLetter(const std::u16string& text) {
    for (char16_t c : text)
        if (u_isalpha(c))
            return true;
    return false;
}

ZelRef<IZelSentenceItem> FirstReading(const ZelRef<IZelSentenceItem>& item) {
    return item->GetKind() == ZelItemAlternatives && item->GetCount() ? item->GetItem(0) : item;
}

std::vector<ZelRef<IZelSentenceItem>> Readings(const ZelRef<IZelSentenceItem>& item) {
    std::vector<ZelRef<IZelSentenceItem>> readings;
    if (item->GetKind() == ZelItemAlternatives)
        for (int32_t r = 0; r < item->GetCount(); ++r)
            readings.push_back(item->GetItem(r));
    else
        readings.push_back(item);
    return readings;
}

namespace {

// The words of a text the morphology knows as words of its language: a reading with no
// part of speech (a number, an address, an English word quoted in Italian) says nothing
// about the language the text is in.
int WordsOfTheLanguage(IZelDicMorph& morph, const std::u16string& text) {
    ZelRef<IZelSentenceItem> sentence = morph.Analyze(text);
    int known = 0;
    for (int32_t i = 0; sentence && i < sentence->GetCount(); ++i) {
        ZelRef<IZelSentenceItem> reading = FirstReading(sentence->GetItem(i));
        if (HasLetter(reading->GetWordForm()) && reading->GetKnown() && reading->GetCatCode())
            ++known;
    }
    return known;
}

} // namespace

TPair GuessPair(const std::u16string& text) {
    int best = -1;
    TPair pair;
    for (TPair candidate :
         {TPair{ZelLangItalian, ZelLangEnglish}, TPair{ZelLangEnglish, ZelLangItalian}}) {
        ZelRef<IZelDicMorph> morph = Morphology(candidate.Source);
        if (!morph)
            continue;
        int known = WordsOfTheLanguage(*morph, text);
        if (known > best) {
            best = known;
            pair = candidate;
        }
    }
    return pair;
}

TPair PairFor(const TOptions& options, const std::u16string& text) {
    return options.PairGiven ? options.Pair : GuessPair(text);
}

std::vector<ZelRef<IZelDic>> EntryDictionaries(const TPair& pair) {
    ZelRef<TZelInterfaceList> list = ZelMake<TZelInterfaceList>();
    CollectDics(pair.Source, pair.Target, *list, IZelDic::IID);
    std::vector<ZelRef<IZelDic>> dics;
    for (int32_t i = 0; i < list->GetCount(); ++i) {
        ZelRef<IZelDic> dic = ZelQuery<IZelDic>(list->Get(i));
        if (dic && !ZelQuery<IZelDicMorph>(dic) && dic->HasLuList())
            dics.push_back(dic);
    }
    return dics;
}

ZelRef<IZelDic> DictionaryById(const std::string& id) {
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        if (list->GetDic(i)->GetId() == id)
            return list->GetDic(i);
    throw TUsageError("No dictionary \"" + Printable(id) + "\" (see nvlook dicts)");
}

std::string Rendered(IZelDic& dic, IZelLu& lu, bool styled) {
    TZelTerminalSink sink(styled);
    ZelReadRtf(dic.GetEntryRtf(lu, 0), ZelGetSystemCodePage(), sink);
    return sink.Result();
}

void CheckStandardInput() {
    struct stat st {};
    if (fstat(STDIN_FILENO, &st) == 0 && S_ISDIR(st.st_mode))
        throw EZelError("The standard input is a folder, not a text");
}

std::string ReadDocument(const std::string& name) {
    if (name != "-")
        return ZelReadWholeFile(name);
    CheckStandardInput();
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (std::cin.bad())
        throw EZelError("The standard input could not be read");
    return text;
}

} // namespace nvlook
