#include "ZelDD6Ex.h"

#include "ZelCodePage.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"
#include "ZelUtils.h"
#include "ZelXML.h"

std::string ZelUserNotesFolder() {
    return ZelUserDataFolder() + "/VRD/NV/1.0";
}

namespace {

std::string Escaped(const std::u16string& text, bool attribute) {
    std::u16string out;
    ZelAppendXmlEscaped(out, text, attribute);
    return ZelWideToUtf8(out);
}

} // namespace

// ---------------------------------------------------------------------------------------

TZelDD6ExDicEntries::TZelDD6ExDicEntries(TZelDD6Ex& dic, std::string fileName)
    : Dic(&dic), Style(dic.GetLuStyle()), FileName(std::move(fileName)) {
    if (!ZelFileExists(FileName))
        return;
    try {
        Load();
    } catch (const EZelError& e) {
        Notes.clear();
        LoadError = e.what();
        ZelDialogs().ShowException(e);
    }
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

void TZelDD6ExDicEntries::Load() {
    std::string bytes = ZelReadWholeFile(FileName);
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
            Notes.push_back(note);
        }
        attributes.clear();
    });
    parser->SetOnCharData([&](const std::u16string& text) {
        // Only text inside a note counts; anything else under the root (comments, white
        // space, stray text) is skipped.
        if (stack.size() >= 2 && stack[1] == u"dicEntry" && !Notes.empty())
            Notes.back().Text += text;
    });
    parser->SetOnEndElement([&](const std::u16string&) { stack.pop_back(); });
    parser->Parse(bytes);
    for (TNote& note : Notes)
        if (note.Text.find_first_not_of(u" \t\r\n") == std::u16string::npos)
            note.Text.clear();
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
    const TNote& note = Current();
    int32_t invalid = Style == ZelLuStyleOrdinal ? 0 : -1;
    if (!note.LemmaOrd)
        return invalid;
    try {
        int64_t v = ZelStrToInt(ZelWideToUtf8(*note.LemmaOrd));
        return v >= INT32_MIN && v <= INT32_MAX ? int32_t(v) : invalid;
    } catch (const EZelConvertError&) {
        return invalid;
    }
}

uint8_t TZelDD6ExDicEntries::GetLuStyle() {
    return Style;
}

void TZelDD6ExDicEntries::Delete(int32_t index) {
    CheckWritable();
    if (index < 0 || index >= GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {index}));
    Notes.erase(Notes.begin() + index);
    if (Index >= GetCount())
        Index = GetCount() - 1;
    Modified = true;
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
    Modified = true;
    ++ChangeCount;
}

void TZelDD6ExDicEntries::SetEntryText(const std::u16string& text) {
    CheckWritable();
    Current();
    Notes[size_t(Index)].Text = text;
    Modified = true;
}

void TZelDD6ExDicEntries::Save() {
    if (!Modified)
        return;
    ZelWriteFileAtomic(FileName, Serialize(), true);
    Modified = false;
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
    std::string out;
    for (char16_t c : entry->GetEntryText()) {
        switch (c) {
        case u'\n':
            out += "<br />";
            break;
        case u'&':
            out += "&amp;";
            break;
        case u'<':
            out += "&lt;";
            break;
        case u'>':
            out += "&gt;";
            break;
        case u'\\':
            out += "<bs />";
            break;
        case u'{':
            out += "<bkb />";
            break;
        case u'}':
            out += "<bke />";
            break;
        default: {
            std::string byte;
            if (c >= 0x20 && ZelTryWideToCodePage(std::u16string_view(&c, 1), cp, byte))
                out += byte;
            else if (c >= 0x20 || c == u'\t')
                out += "&#" + std::to_string(unsigned(c)) + ";";
        }
        }
    }
    return out;
}

void TZelDD6Ex::DeleteLu(const std::u16string& text, int32_t ordinal, uint8_t catCode) {
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
