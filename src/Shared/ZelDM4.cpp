#include "ZelDM4.h"

#include "ZelCodePage.h"
#include "ZelDescriptionFile.h"
#include "ZelDialogs.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelMorphModuleFile.h"
#include "ZelResStrings.h"
#include "ZelTokenKind.h"
#include "ZelUtils.h"

#include <algorithm>

TZelDM4::TZelDM4(const std::string& id, const std::string& path)
    : TZelDM4(id, path, TZelDescriptionFile::Read(path)) {}

TZelDM4::TZelDM4(const std::string& id, const std::string& path,
                 const TZelDescriptionFile& description)
    : TZelDicMorph(id, TZelLanguage(description.Integer("SLWC", std::nullopt, 0, 0xFFFF))),
      Path(path) {
    CodePage = description.CodePage();
    LuStyle = uint8_t(description.Integer("LuStyle", std::nullopt, 0, 2));
    auto text = [&](const char* name) {
        return ZelCodePageToWide(description.Text(name), CodePage);
    };
    Consonants = text("Consonants");
    Name = text("Name");
    Vowels = text("Vowels");
    Descriptions = ZelSplitLines(ZelReadWholeFile(ZelChangeFileExt(path, "") + "_info.kv0"));
}

void* TZelDM4::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicMorphEx::IID)
        return static_cast<IZelDicMorphEx*>(this);
    if (iid == IZelWordChecker::IID)
        return static_cast<IZelWordChecker*>(this);
    return TZelDicMorph::QueryInterface(iid);
}

std::u16string TZelDM4::GetConsonants() {
    return Consonants.empty() ? TZelDicMorph::GetConsonants() : Consonants;
}

std::u16string TZelDM4::GetVowels() {
    return Vowels.empty() ? TZelDicMorph::GetVowels() : Vowels;
}

std::string TZelDM4::InfoDescription(int32_t id) const {
    if (id == 0)
        return {};
    int32_t last = std::min<int32_t>(255, int32_t(Descriptions.size()) - 1);
    if (id >= 1 && id <= last)
        return Descriptions[size_t(id)];
    return ZelFormat(ZelLoadStr(TZelResId::InfoIdNotFound), {id});
}

IZelMorphModule& TZelDM4::GetModule() {
    if (!Module) {
        ZelRef<TZelMorphModuleFile> module = ZelMake<TZelMorphModuleFile>();
        // The description file found at start-up is the one the identifier names.
        module->SetFileName(ZelUtf8ToWide(Path));
        Module = module;
    }
    return *Module;
}

namespace {

bool IsNounReading(IZelSentenceItem& item) {
    return item.GetKind() == ZelItemReading && item.GetCatSuffix() == " [n]";
}

// Whether every reading of a word is a noun ("children", "John").
bool OnlyNouns(IZelSentenceItem& word) {
    if (word.GetKind() != ZelItemAlternatives)
        return IsNounReading(word);
    for (int32_t i = 0; i < word.GetCount(); ++i)
        if (!IsNounReading(*word.GetItem(i)))
            return false;
    return word.GetCount() > 0;
}

} // namespace

void TZelDM4::PreferPossessives(IZelSentenceItem& sentence) {
    if (sentence.GetKind() != ZelItemSequence)
        return;
    for (int32_t i = 2; i < sentence.GetCount(); ++i) {
        // The word, the apostrophe, the "s".
        ZelRef<IZelSentenceItem> word = sentence.GetItem(i);
        std::u16string apostrophe = sentence.GetItem(i - 1)->GetWordForm();
        if (word->GetKind() != ZelItemAlternatives ||
            (apostrophe != u"'" && apostrophe != u"\u2019") || !OnlyNouns(*sentence.GetItem(i - 2)))
            continue;
        for (int32_t r = 1; r < word->GetCount(); ++r) {
            ZelRef<IZelSentenceItem> reading = word->GetItem(r);
            if (reading->GetLemma() != u"'s")
                continue;
            for (int32_t k = r; k > 0; --k) // moved to the front, the others kept in order
                word->SetItem(k, word->GetItem(k - 1));
            word->SetItem(0, reading);
            break;
        }
    }
}

int32_t TZelDM4::RankOf(const std::u16string& lemma) {
    if (!RanksRead) {
        RanksRead = true;
        std::string path = ZelChangeFileExt(Path, "") + "_rank.kv0";
        if (ZelFileExists(path)) {
            std::vector<std::string> lines = ZelSplitLines(ZelReadWholeFile(path));
            for (const std::string& line : lines)
                if (!line.empty())
                    Ranks.emplace(ZelCodePageToWide(line, CodePage), int32_t(Ranks.size()) + 1);
        }
    }
    auto found = Ranks.find(lemma);
    return found == Ranks.end() ? 0 : found->second;
}

const TZelDM4::TLemmaSlot& TZelDM4::LemmaOf(IZelMorphInfo& leaf) {
    constexpr uint32_t slotBits = 12;
    if (LemmaCache.empty())
        LemmaCache.resize(size_t(1) << slotBits);
    int32_t offset = leaf.GetInfoOffset();
    TLemmaSlot& slot = LemmaCache[(uint32_t(offset) * 2654435761u) >> (32 - slotBits)];
    if (slot.InfoOffset != offset || offset <= 0) {
        slot.InfoOffset = offset;
        slot.Lemma = leaf.GetLemma();
        slot.Rank = RankOf(slot.Lemma);
    }
    return slot;
}

ZelRef<IZelSentenceItem> TZelDM4::Analyze(const std::u16string& text) {
    ZelRef<IZelMorphInfo> tree = GetModule().Analyze(text);
    if (!tree)
        return nullptr;
    ZelRef<IZelSentenceItem> sentence = Convert(text, *tree);
    if (ZelMayHoldAddress(text))
        ZelReadAddresses(*sentence, GetSourceLang());
    if (ZelMayHoldNumber(text))
        ZelReadNumbers(*sentence, GetSourceLang());
    if (ZelPrimaryLang(GetSourceLang()) == ZelLangEnglish)
        PreferPossessives(*sentence);
    return sentence;
}

ZelRef<IZelSentenceItem> TZelDM4::Convert(const std::u16string& text, IZelMorphInfo& node) {
    TZelLanguage language = GetSourceLang();
    switch (node.GetKind()) {
    case ZelMorphLeaf: {
        ZelRef<IZelSentenceItem> reading = ZelMake<TZelSentenceItem>(ZelItemReading, language);
        const TLemmaSlot& lemma = LemmaOf(node);
        reading->SetLemma(lemma.Lemma);
        reading->SetRank(lemma.Rank);
        int32_t code = node.GetLemmaCode();
        if (LuStyle == ZelLuStyleCategory) {
            reading->SetCatCode(uint8_t(code));
            // A category says nothing of homographs: every homograph may be meant.
            reading->SetOrdinal(-1);
        } else if (LuStyle == ZelLuStyleOrdinal) {
            reading->SetOrdinal(code);
        }
        int32_t start = std::clamp<int32_t>(node.GetStart(), 0, int32_t(text.size()));
        int32_t length = std::clamp<int32_t>(node.GetLength(), 0, int32_t(text.size()) - start);
        reading->SetStart(node.GetStart());
        reading->SetLength(node.GetLength());
        reading->SetWordForm(text.substr(size_t(start), size_t(length)));
        if (!reading->GetLemma().empty())
            reading->SetKnown(1);
        reading->AddDescription(InfoDescription(node.GetInfoId()));
        return reading;
    }
    case ZelMorphAlternatives: {
        ZEL_ASSERT(node.GetCount() > 0);
        ZelRef<IZelSentenceItem> result = Convert(text, *node.GetItem(0));
        for (int32_t i = 1; i < node.GetCount(); ++i) {
            ZelRef<IZelSentenceItem> r = Convert(text, *node.GetItem(i));
            if (r->GetKind() != ZelItemReading) {
                result = MergeAlternatives(result, r);
                continue;
            }
            if (ZelRef<IZelSentenceItem> same =
                    result->GetKind() == ZelItemReading
                        ? (result->GetLemma() == r->GetLemma() &&
                                   result->GetOrdinal() == r->GetOrdinal() &&
                                   result->GetCatCode() == r->GetCatCode()
                               ? result
                               : nullptr)
                        : result->Find(r->GetLemma(), r->GetOrdinal(), r->GetCatCode()))
                same->AddDescription(r->GetDescription());
            else
                result = MergeAlternatives(result, r);
        }
        return result;
    }
    default: {
        ZelRef<IZelSentenceItem> sequence = ZelMake<TZelSentenceItem>(ZelItemSequence, language);
        for (int32_t i = 0; i < node.GetCount(); ++i)
            sequence->Add(Convert(text, *node.GetItem(i)));
        return sequence;
    }
    }
}

bool TZelDM4::WordExists(const char16_t* text, int32_t length) {
    return WordExists(std::u16string(text, size_t(std::max(length, 0))));
}

// A candidate of the speller counts only when one word covers all of it: the module's own
// test stops at the first word, which would accept "don't" for "don".
bool TZelDM4::WordExists(const std::u16string& text) {
    return GetModule().IsWholeWord(text);
}

void TZelDM4::EnumWordForms(uint8_t kind, const TZelVariant& argument,
                            IZelEnumWordFormsCallback& callback) {
    static const uint8_t selections[] = {ZelEnumAllForms, ZelEnumFormsOfLength, ZelEnumLemmaForms};
    if (kind > 2)
        throw EZelArgumentError(ZelFormat(ZelLoadStr(TZelResId::UnknownFormsKind), {int(kind)}));
    TZelWordFormExtractor extractor(*this, callback);
    GetModule().EnumWordForms(selections[kind], argument, extractor);
}

bool TZelDM4::FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) {
    ZelRef<IZelLu> element = ZelQuery<IZelLu>(&cursor);
    ZEL_ASSERT(element);
    ZelRef<IZelDic> owner = element->GetDic();
    IZelDic& dic = owner ? *owner : *this;
    std::string text = key.GetText();
    return SearchSorted(
        cursor, [&](IZelArrayCursor&) { return dic.CompareLuLoose(*element, text); }, index);
}

bool TZelWordFormExtractor::AcceptInfo(int32_t infoId, int32_t) {
    return Callback.AcceptDescription(Dic.InfoDescription(infoId));
}

bool TZelWordFormExtractor::WordForm(const std::u16string& form) {
    Callback.WordForm(form);
    return true;
}

// ---------------------------------------------------------------------------------------

void* TZelDM4Builder::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicBuilder::IID)
        return static_cast<IZelDicBuilder*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

bool TZelDM4Builder::AddInstalled(IZelDicList& list) {
    return ScanInstalledDics({TypeId}, [&](const std::string& name, TZelSettingsKey& key) {
        std::string path;
        try {
            path = key.ReadString("").value_or("");
        } catch (const EZelSettingsError&) {
        }
        if (!CheckFileAvailable(path))
            return false;
        try {
            list.Add(ZelMake<TZelDM4>(name, path));
        } catch (const EZelError& e) {
            // A morphology that cannot be read is reported; the program goes on without it.
            ZelDialogs().ShowException(e);
            return false;
        }
        return true;
    });
}
