#include "ZelDD6Ex.h"

#include "ZelCodePage.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"
#include "ZelXML.h"

#include <algorithm>
#include <unicode/utf16.h>

std::string ZelUserNotesFolder() {
    return ZelUserDataFolder() + "/VRD/NV/1.0";
}

namespace {

std::string Escaped(const std::u16string& text, bool attribute) {
    std::u16string out;
    ZelAppendXmlEscaped(out, text, attribute);
    return ZelWideToUtf8(out);
}

// The number of a character reference at text[pos] ("&#55357;" or "&#xD83D;"), with the
// position after it; -1 when there is none.
int64_t ReadCharReference(const std::string& text, size_t pos, size_t& end) {
    if (text.compare(pos, 2, "&#") != 0)
        return -1;
    size_t i = pos + 2;
    bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    i += hex ? 1 : 0;
    int64_t value = 0;
    size_t digits = 0;
    for (; i < text.size() && digits < 8; ++i, ++digits) {
        int d = ZelHexDigitValue(text[i]);
        if (d < 0 || (!hex && d > 9))
            break;
        value = value * (hex ? 16 : 10) + d;
    }
    if (digits == 0 || i >= text.size() || text[i] != ';')
        return -1;
    end = i + 1;
    return value;
}

// Older writers stored a character outside the Basic Multilingual Plane as two references,
// one per UTF-16 unit, which XML does not allow. Joins such pairs into one reference and
// replaces a lone half by U+FFFD; true when anything changed.
bool RepairSurrogateReferences(std::string& text) {
    if (text.find("&#") == std::string::npos)
        return false;
    std::string out;
    out.reserve(text.size());
    bool changed = false;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = 0;
        int64_t high = ReadCharReference(text, pos, end);
        if (high < 0 || !U_IS_SURROGATE(high)) {
            out += text[pos++];
            continue;
        }
        changed = true;
        size_t after = 0;
        int64_t low = U16_IS_LEAD(high) ? ReadCharReference(text, end, after) : -1;
        if (low >= 0 && U16_IS_TRAIL(low)) {
            out += "&#" + std::to_string(U16_GET_SUPPLEMENTARY(high, low)) + ";";
            pos = after;
        } else {
            out += "&#65533;";
            pos = end;
        }
    }
    text = std::move(out);
    return changed;
}

bool SameKey(const std::u16string& lemma, const std::optional<std::u16string>& ordinal,
             const std::u16string& otherLemma, const std::optional<std::u16string>& otherOrdinal) {
    return lemma == otherLemma && ordinal == otherOrdinal;
}

void CheckHeadword(const std::u16string& text) {
    std::string bytes;
    if (!ZelTryWideToCodePage(text, ZelGetSystemCodePage(), bytes))
        throw EZelError(
            ZelFormat(ZelLoadStr(TZelResId::NoteHeadwordNotHeld), {ZelWideToUtf8(text)}));
}

bool IsHeld(const std::u16string& text) {
    std::string bytes;
    return ZelTryWideToCodePage(text, ZelGetSystemCodePage(), bytes);
}

} // namespace

// ---------------------------------------------------------------------------------------

TZelDD6ExDicEntries::TZelDD6ExDicEntries(TZelDD6Ex& dic, std::string fileName)
    : Dic(&dic), Style(dic.GetLuStyle()), Language(dic.GetSourceLang()),
      FileName(std::move(fileName)) {
    Reload();
}

TZelDD6ExDicEntries::~TZelDD6ExDicEntries() {
    try {
        Save();
    } catch (const std::exception& e) {
        ZelDialogs().ShowException(e);
    }
}

void* TZelDD6ExDicEntries::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelLu::IID)
        return static_cast<IZelLu*>(this);
    if (iid == IZelDD6ExEntries::IID)
        return static_cast<IZelDD6ExEntries*>(this);
    if (iid == IZelDD6ExEntryText::IID)
        return static_cast<IZelDD6ExEntryText*>(this);
    return TZelArrayCursor::QueryInterface(iid);
}

void TZelDD6ExDicEntries::Reload() {
    Notes.clear();
    LoadError.clear();
    NeedsRewrite = false;
    Index = -1;
    LoadedStamp = ZelFileStamp(FileName);
    if (!LoadedStamp.Exists)
        return;
    try {
        NeedsRewrite = ReadFile(Notes);
    } catch (const EZelError& e) {
        Notes.clear();
        LoadError = e.what();
        ZelDialogs().ShowException(e);
    }
}

void TZelDD6ExDicEntries::RefreshIfChanged() {
    if (!Pending.empty() || ZelFileStamp(FileName) == LoadedStamp)
        return;
    Reload();
    ++ChangeCount;
}

bool TZelDD6ExDicEntries::ReadFile(std::vector<TNote>& notes) {
    std::string bytes = ZelReadWholeFile(FileName);
    bool repaired = RepairSurrogateReferences(bytes);
    {
        // Well-formedness first: the event walk below stops quietly at an error.
        ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
        TZelBufferStream stream(bytes.data(), int64_t(bytes.size()));
        try {
            dom->LoadFromStream(stream, false);
        } catch (const EZelXmlError& e) {
            throw EZelXmlError(FileName + ": " + e.what());
        }
    }
    notes.clear();
    std::vector<std::u16string> stack;
    std::vector<std::pair<std::u16string, std::u16string>> attributes;
    ZelRef<IZelXmlParser> parser = CoXml().CreateParser();
    parser->SetOnAttribute(
        [&](const std::u16string& n, const std::u16string& v) { attributes.emplace_back(n, v); });
    parser->SetOnStartElement([&](const std::u16string& name) {
        stack.push_back(name);
        if (stack.size() == 2 && stack[0] == u"dicEntries" && name == u"dicEntry") {
            TNote note;
            for (const auto& [n, v] : attributes) {
                if (n == u"lemma")
                    note.Lemma = v;
                else if (n == u"lemmaOrd")
                    note.LemmaOrd = v;
            }
            notes.push_back(note);
        }
        attributes.clear();
    });
    parser->SetOnCharData([&](const std::u16string& text) {
        // Only text inside a note counts; anything else under the root (comments, white
        // space, stray text) is skipped.
        if (stack.size() >= 2 && stack[1] == u"dicEntry" && !notes.empty())
            notes.back().Text += text;
    });
    parser->SetOnEndElement([&](const std::u16string&) { stack.pop_back(); });
    parser->Parse(bytes);
    // Read whole or not at all: a file read in part must never be written back.
    if (std::string error = parser->GetError(); !error.empty())
        throw EZelXmlError(FileName + ": " + error);
    for (TNote& note : notes)
        if (note.Text.find_first_not_of(u" \t\r\n") == std::u16string::npos)
            note.Text.clear();
    bool unsorted = false;
    SortNotes(notes, unsorted);
    return unsorted || repaired;
}

int32_t TZelDD6ExDicEntries::OrdinalOf(const TNote& note) const {
    int32_t invalid = Style == ZelLuStyleOrdinal ? 0 : -1;
    if (!note.LemmaOrd)
        return invalid;
    return ZelParseInt32(ZelWideToUtf8(*note.LemmaOrd)).value_or(invalid);
}

// The dictionary's order of headwords: loosely, then exactly, then by ordinal.
int TZelDD6ExDicEntries::CompareNotes(const TNote& a, const TNote& b) const {
    int cp = ZelGetSystemCodePage();
    std::string textA = ZelWideToCodePage(a.Lemma, cp);
    std::string textB = ZelWideToCodePage(b.Lemma, cp);
    if (int r = ZelCompareSystemTexts(Language, textA, textB, true))
        return r;
    if (int r = ZelCompareSystemTexts(Language, textA, textB, false))
        return r;
    if (Style != ZelLuStyleOrdinal)
        return 0;
    int32_t ordinalA = OrdinalOf(a), ordinalB = OrdinalOf(b);
    return ordinalA < ordinalB ? -1 : (ordinalA > ordinalB ? 1 : 0);
}

void TZelDD6ExDicEntries::SortNotes(std::vector<TNote>& notes, bool& wasUnsorted) const {
    auto less = [this](const TNote& a, const TNote& b) { return CompareNotes(a, b) < 0; };
    wasUnsorted = !std::is_sorted(notes.begin(), notes.end(), less);
    if (wasUnsorted)
        std::stable_sort(notes.begin(), notes.end(), less);
}

void TZelDD6ExDicEntries::Apply(std::vector<TNote>& notes, const TEdit& edit) const {
    const TNote& key = edit.Note;
    auto found = std::find_if(notes.begin(), notes.end(), [&](const TNote& n) {
        return SameKey(n.Lemma, n.LemmaOrd, key.Lemma, key.LemmaOrd);
    });
    if (edit.Kind == TEditKind::Delete) {
        if (found != notes.end())
            notes.erase(found);
        return;
    }
    if (found == notes.end()) {
        // After every equal headword, as the look-up expects a new note.
        auto at = std::upper_bound(
            notes.begin(), notes.end(), key,
            [this](const TNote& a, const TNote& b) { return CompareNotes(a, b) < 0; });
        found = notes.insert(at, TNote{key.Lemma, key.LemmaOrd, u""});
    }
    if (edit.Kind == TEditKind::SetText)
        found->Text = key.Text;
}

std::string TZelDD6ExDicEntries::Serialize() const {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<dicEntries>\n";
    for (const TNote& note : Notes) {
        out += "  <dicEntry lemma=\"" + Escaped(note.Lemma, true) + "\"";
        if (note.LemmaOrd)
            out += " lemmaOrd=\"" + Escaped(*note.LemmaOrd, true) + "\"";
        out += ">" + Escaped(note.Text, false) + "</dicEntry>\n";
    }
    return out + "</dicEntries>\n";
}

const TZelDD6ExDicEntries::TNote& TZelDD6ExDicEntries::Current() const {
    if (Index < 0 || Index >= int32_t(Notes.size()))
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {Index}));
    return Notes[size_t(Index)];
}

void TZelDD6ExDicEntries::CheckWritable() const {
    if (!LoadError.empty())
        throw EZelError(ZelFormat(ZelLoadStr(TZelResId::NotesUnreadable), {FileName}));
}

ZelRef<IZelDic> TZelDD6ExDicEntries::GetDic() {
    return Dic ? ZelRef<IZelDic>(static_cast<IZelDic*>(Dic)) : nullptr;
}

std::string TZelDD6ExDicEntries::GetText() {
    return ZelWideToCodePage(Current().Lemma, ZelGetSystemCodePage());
}

int32_t TZelDD6ExDicEntries::GetOrdinal() {
    return OrdinalOf(Current());
}

uint8_t TZelDD6ExDicEntries::GetLuStyle() {
    return Style;
}

void TZelDD6ExDicEntries::Delete(int32_t index) {
    CheckWritable();
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    Pending.push_back({TEditKind::Delete, Notes[size_t(index)]});
    Notes.erase(Notes.begin() + index);
    if (Index >= GetCount())
        Index = GetCount() - 1;
    ++ChangeCount;
}

void TZelDD6ExDicEntries::Insert(int32_t index, IZelLu& lu) {
    CheckWritable();
    TNote note;
    note.Lemma = lu.GetWideText();
    if (lu.GetOrdinal() >= 1)
        note.LemmaOrd = ZelUtf8ToWide(std::to_string(lu.GetOrdinal()));
    size_t at = index < 0 ? 0 : std::min(size_t(index), Notes.size());
    Notes.insert(Notes.begin() + long(at), note);
    Pending.push_back({TEditKind::Add, note});
    ++ChangeCount;
}

void TZelDD6ExDicEntries::SetEntryText(const std::u16string& text) {
    CheckWritable();
    Current();
    TNote& note = Notes[size_t(Index)];
    note.Text = text;
    Pending.push_back({TEditKind::SetText, note});
}

void TZelDD6ExDicEntries::Save() {
    if (Pending.empty() && !NeedsRewrite)
        return;
    CheckWritable();
    // Under the lock, the edits go onto the file as it is now: whatever another program
    // saved in between stays.
    TZelFileLock lock(FileName);
    std::vector<TNote> current;
    if (ZelFileStamp(FileName).Exists)
        ReadFile(current);
    for (const TEdit& edit : Pending)
        Apply(current, edit);
    Notes = std::move(current);
    ZelWriteFileAtomic(FileName, Serialize(), true);
    Pending.clear();
    NeedsRewrite = false;
    LoadedStamp = ZelFileStamp(FileName);
    if (Index >= GetCount())
        Index = GetCount() - 1;
    // Entry numbers held elsewhere may now point at other notes.
    ++ChangeCount;
}

// ---------------------------------------------------------------------------------------

TZelDD6Ex::TZelDD6Ex(const ZelRef<TZelDD6Master>& master, TZelLanguage source, TZelLanguage target)
    : TZelDD6(master, source, target) {}

TZelDD6Ex::~TZelDD6Ex() {
    if (auto* cursor = dynamic_cast<TZelDD6ExDicEntries*>(CachedEntries().get())) {
        cursor->Detach();
        try {
            cursor->Save();
        } catch (const std::exception& e) {
            ZelDialogs().ShowException(e);
        }
    }
}

void* TZelDD6Ex::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicEditable::IID)
        return static_cast<IZelDicEditable*>(this);
    return TZelDD6::QueryInterface(iid);
}

std::string TZelDD6Ex::GetNotesFileName() {
    return ZelUserNotesFolder() + "/" + ZelExtractFileName(GetBasePath()) +
           ZelLangFilePart(GetSourceLang()) + "_des.xml";
}

ZelRef<IZelArrayCursor> TZelDD6Ex::CreateEntries() {
    return ZelMake<TZelDD6ExDicEntries>(*this, GetNotesFileName());
}

TZelDD6ExDicEntries& TZelDD6Ex::Cursor() {
    return dynamic_cast<TZelDD6ExDicEntries&>(*GetEntries());
}

std::string TZelDD6Ex::GetEntryXml(IZelLu& lu) {
    ZelRef<IZelDD6ExEntryText> entry = ZelQuery<IZelDD6ExEntryText>(&lu);
    ZEL_ASSERT(entry);
    int cp = GetMaster()->GetDescription().CodePage;
    std::u16string text = entry->GetEntryText();
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        size_t start = pos;
        char32_t c = ZelNextCodePoint(text, pos);
        switch (c) {
        case U'\n':
            out += "<br />";
            break;
        case U'&':
            out += "&amp;";
            break;
        case U'<':
            out += "&lt;";
            break;
        case U'>':
            out += "&gt;";
            break;
        case U'\\':
            out += "<bs />";
            break;
        case U'{':
            out += "<bkb />";
            break;
        case U'}':
            out += "<bke />";
            break;
        default: {
            // One reference per character (never per UTF-16 unit); what XML cannot hold (other
            // control characters, lone surrogates, U+FFFE, U+FFFF) is left out.
            bool xmlChar = c == U'\t' || (c >= 0x20 && c <= 0xD7FF) ||
                           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
            if (!xmlChar)
                break;
            std::string byte;
            if (c >= 0x20 && ZelTryWideToCodePage(
                                 std::u16string_view(text).substr(start, pos - start), cp, byte))
                out += byte;
            else
                out += "&#" + std::to_string(uint32_t(c)) + ";";
        }
        }
    }
    return out;
}

ZelRef<IZelArrayCursor> TZelDD6Ex::LookupLu(const std::u16string& text,
                                            const std::u16string& alternative, int32_t ordinal,
                                            uint8_t catCode) {
    if (!IsHeld(alternative.empty() ? text : alternative))
        return nullptr;
    Cursor().RefreshIfChanged();
    return TZelDD6::LookupLu(text, alternative, ordinal, catCode);
}

void TZelDD6Ex::DeleteLu(const std::u16string& text, int32_t ordinal, uint8_t catCode) {
    CheckHeadword(text);
    if (GetLuStyle() != ZelLuStyleOrdinal)
        return;
    ZEL_ASSERT(ordinal >= 0);
    ZelRef<TZelLu> key = ZelMake<TZelLu>(ZelRef<IZelDic>(this), text, ordinal, catCode);
    TZelDD6ExDicEntries& cursor = Cursor();
    int32_t index = 0;
    ZEL_ASSERT(FindLu(cursor, *key, index));
    std::string keyText = key->GetText();
    for (int32_t i = index; i < cursor.GetCount(); ++i) {
        cursor.SetIndex(i);
        if (CompareLuLoose(cursor, keyText) != 0)
            break;
        if (CompareLus(cursor, *key) == 0) {
            cursor.Delete(i);
            break;
        }
    }
}

void TZelDD6Ex::SaveChanges() {
    if (CachedEntries())
        Cursor().Save();
}

ZelRef<IZelArrayCursor> TZelDD6Ex::FindOrAddLu(const std::u16string& text, int32_t ordinal,
                                               uint8_t catCode) {
    if (text.empty())
        return nullptr;
    CheckHeadword(text);
    ZelRef<IZelArrayCursor> found = LookupLu(text, text, ordinal, catCode);
    if (found) {
        ZEL_ASSERT(found->GetCount() == 1);
        return found;
    }
    if (GetLuStyle() != ZelLuStyleOrdinal)
        return nullptr;
    TZelDD6ExDicEntries& cursor = Cursor();
    ZelRef<TZelLu> key = ZelMake<TZelLu>(ZelRef<IZelDic>(this), text, ordinal, catCode);
    int32_t index = 0;
    if (FindLu(cursor, *key, index)) {
        std::string keyText = key->GetText();
        while (index < cursor.GetCount()) {
            cursor.SetIndex(index);
            if (CompareLuLoose(cursor, keyText) != 0 || CompareLus(cursor, *key) >= 0)
                break;
            ++index;
        }
    }
    cursor.Insert(index, *key);
    found = LookupLu(text, text, ordinal, catCode);
    ZEL_ASSERT(found && found->GetCount() == 1);
    return found;
}
