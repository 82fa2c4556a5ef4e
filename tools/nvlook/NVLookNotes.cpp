// nvlook note: the user's own notes on headwords, in the pair's annotations dictionary.
#include "NVLook.h"

#include "ZelDD6Ex.h"

#include <cstdio>

namespace nvlook {

namespace {

// The annotations of the pair (the headword's language guessed unless --pair is given).
ZelRef<IZelDic> Annotations(const TOptions& options, const std::u16string& headword) {
    TPair pair = PairFor(options, headword);
    for (const ZelRef<IZelDic>& dic : EntryDictionaries(pair))
        if (ZelQuery<IZelDicEditable>(dic))
            return dic;
    throw EZelError("No annotations dictionary installed for " + LanguageCode(pair.Source) + "-" +
                    LanguageCode(pair.Target));
}

std::u16string Headword(const std::string& text) {
    std::u16string headword = FromUtf8(text);
    if (headword.empty())
        throw TUsageError("A note needs a headword");
    return headword;
}

} // namespace

int NoteAdd(const TOptions& options, const std::string& text, const std::string& note) {
    std::u16string headword = Headword(text);
    ZelRef<IZelDic> dic = Annotations(options, headword);
    ZelRef<IZelDicEditable> editable = ZelQuery<IZelDicEditable>(dic);
    ZelRef<IZelArrayCursor> at = editable->FindOrAddLu(headword, 1, 0);
    at->SetIndex(0);
    ZelQuery<IZelDD6ExEntryText>(at)->SetEntryText(FromUtf8(note));
    editable->SaveChanges();
    return 0;
}

int NoteShow(const TOptions& options, const std::string& text) {
    std::u16string headword = Headword(text);
    ZelRef<IZelDic> dic = Annotations(options, headword);
    ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
    if (!found || found->GetCount() == 0) {
        std::fprintf(stderr, "nvlook: no note on \"%s\"\n", Printable(headword).c_str());
        return 1;
    }
    std::vector<TJson> json;
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(found);
    for (int32_t i = 0; i < found->GetCount(); ++i) {
        found->SetIndex(i);
        std::string note = Rendered(*dic, *lu, options.Styled);
        if (options.Json)
            json.push_back(
                {{"headword", Utf8(lu->GetWideText())}, {"note", note.substr(0, note.size() - 1)}});
        else
            std::fputs(note.c_str(), stdout);
    }
    if (options.Json)
        PrintJsonArray(json);
    return 0;
}

// Deletes every note found for the headword, whatever ordinal it was stored with.
int NoteDelete(const TOptions& options, const std::string& text) {
    std::u16string headword = Headword(text);
    ZelRef<IZelDic> dic = Annotations(options, headword);
    ZelRef<IZelDicEditable> editable = ZelQuery<IZelDicEditable>(dic);
    ZelRef<IZelArrayCursor> found = dic->LookupLu(headword, headword, -1, 0);
    if (!found || found->GetCount() == 0) {
        std::fprintf(stderr, "nvlook: no note on \"%s\" to delete\n", Printable(headword).c_str());
        return 1;
    }
    ZelRef<IZelLu> lu = ZelQuery<IZelLu>(found);
    std::vector<std::pair<std::u16string, int32_t>> notes;
    for (int32_t i = 0; i < found->GetCount(); ++i) {
        found->SetIndex(i);
        notes.emplace_back(lu->GetWideText(), lu->GetOrdinal());
    }
    for (const auto& [word, ordinal] : notes)
        editable->DeleteLu(word, ordinal, 0);
    editable->SaveChanges();
    return 0;
}

} // namespace nvlook
