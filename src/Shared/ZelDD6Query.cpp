#include "ZelDD6Query.h"

#include "ZelCodePage.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelXML.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------
// Index files

std::string TZelQueryFieldParameterForDD6::FileName(const char* kind, int32_t index) const {
    return Prefix + ZelFormat("_%s%.2d.ddata", {kind, index});
}

TZelWideStringsOnMemBlocks::TZelWideStringsOnMemBlocks(ZelRef<IZelMemBlocks> blocks)
    : Blocks(std::move(blocks)) {
    Compare = [](const std::u16string& a, const std::u16string& b, uint32_t) {
        return a < b ? -1 : (a == b ? 0 : 1);
    };
    Duplicates = TZelDuplicates::Ignore;
    Normalization = TZelNormalization::None;
    Sorted = true;
}

std::u16string TZelWideStringsOnMemBlocks::Get(int32_t index) const {
    return ZelUtf8ToWide(Blocks->GetBlock(index).View());
}

TZelLXQueryFieldForDD6::TZelLXQueryFieldForDD6(TZelQueryFieldParameter* parameter, int32_t index,
                                               const TZelIniFile& ini)
    : TZelLXQueryField(parameter, index, ini) {}

const TZelQueryFieldParameterForDD6& TZelLXQueryFieldForDD6::DD6Parameter() const {
    auto* p = dynamic_cast<TZelQueryFieldParameterForDD6*>(Parameter);
    ZEL_ASSERT(p);
    return *p;
}

std::string TZelLXQueryFieldForDD6::GetIndexFileName() {
    return DD6Parameter().FileName("i", Index);
}

std::string TZelLXQueryFieldForDD6::GetWordIndexFileName() {
    return DD6Parameter().FileName("wi", Index);
}

std::string TZelLXQueryFieldForDD6::GetWordListFileName() {
    return DD6Parameter().FileName("wl", Index);
}

ZelRef<IZelMemBlocks> TZelLXQueryFieldForDD6::OpenIfExists(const std::string& path,
                                                           ZelRef<IZelMemBlocks>& cache) {
    if (!cache && ZelFileExists(path))
        cache = ZelOpenMemBlocksFile(path);
    return cache;
}

ZelRef<IZelMemBlocks> TZelLXQueryFieldForDD6::GetIndexBlocks() {
    return OpenIfExists(GetIndexFileName(), IndexBlocks);
}

ZelRef<IZelMemBlocks> TZelLXQueryFieldForDD6::GetWordIndexBlocks() {
    return OpenIfExists(GetWordIndexFileName(), WordIndexBlocks);
}

TZelWideStrings* TZelLXQueryFieldForDD6::GetWordList() {
    ZEL_ASSERT(Kind == qkX || Kind == qkT);
    if (!WordList) {
        ZelRef<IZelMemBlocks> blocks;
        if (OpenIfExists(GetWordListFileName(), blocks))
            WordList = std::make_unique<TZelWideStringsOnMemBlocks>(blocks);
    }
    return WordList.get();
}

// ---------------------------------------------------------------------------------------
// The marker

namespace {

// Moves pos past one unit of the XML text: a character or entity (returns 1) or a tag
// (returns 0).
int SkipUnit(const std::u16string& xml, size_t& pos) {
    ZEL_ASSERT(pos < xml.size());
    char16_t c = xml[pos];
    if (c == u'&' || c == u'<') {
        size_t end = xml.find(c == u'&' ? u';' : u'>', pos);
        ZEL_ASSERT(end != std::u16string::npos);
        pos = end + 1;
        return c == u'&' ? 1 : 0;
    }
    ++pos;
    return 1;
}

} // namespace

TZelEnumQueryFieldHelper::TZelEnumQueryFieldHelper() : Parser(CoXml().CreateParser()) {
    Parser->SetOnAttribute(
        [this](const std::u16string& n, const std::u16string& v) { OnAttribute(n, v); });
    Parser->SetOnStartElement([this](const std::u16string& n) { OnStartElement(n); });
    Parser->SetOnCharData([this](const std::u16string& t) { OnCharData(t); });
    Parser->SetOnEndElement([this](const std::u16string& n) { OnEndElement(n); });
}

void TZelEnumQueryFieldHelper::SetFields(std::vector<TZelLXQueryField*> fields) {
    Fields = std::move(fields);
    Captures.assign(Fields.size(), TCapture{});
}

void TZelEnumQueryFieldHelper::Walk(std::string_view document) {
    Captures.assign(Fields.size(), TCapture{});
    PendingAttributes.clear();
    Parser->Parse(document);
}

std::u16string TZelEnumQueryFieldHelper::Render(std::string_view document) {
    Output = u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>";
    Emitting = true;
    PendingText.clear();
    Walk(document);
    FlushText();
    Emitting = false;
    return std::exchange(Output, std::u16string());
}

void TZelEnumQueryFieldHelper::Enumerate(std::string_view document) {
    Output.clear();
    Emitting = false;
    try {
        Walk(document);
    } catch (const TStop&) {
    }
}

bool TZelEnumQueryFieldHelper::Watches(size_t field, const std::u16string& name) const {
    const auto& names = Fields[field]->Fields;
    return std::find(names.begin(), names.end(), name) != names.end();
}

void TZelEnumQueryFieldHelper::OnAttribute(const std::u16string& name,
                                           const std::u16string& value) {
    PendingAttributes += u" " + name + u"=\"";
    ZelAppendXmlEscaped(PendingAttributes, value, true);
    PendingAttributes += u"\"";
}

void TZelEnumQueryFieldHelper::OnStartElement(const std::u16string& name) {
    FlushText();
    if (Emitting)
        Output += u"<" + name + PendingAttributes + u">";
    PendingAttributes.clear();
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (!Watches(i, name))
            continue;
        if (Captures[i].Depth == 0) {
            Captures[i].Text.clear();
            Captures[i].Start = Output.size();
        }
        ++Captures[i].Depth;
    }
}

void TZelEnumQueryFieldHelper::OnCharData(const std::u16string& text) {
    for (auto& capture : Captures)
        if (capture.Depth > 0)
            capture.Text += text;
    if (Emitting)
        PendingText += text;
}

void TZelEnumQueryFieldHelper::FlushText() {
    if (PendingText.empty())
        return;
    size_t from = Output.size();
    ZelAppendXmlEscaped(Output, PendingText, false);
    Hits.clear();
    if (Finder)
        Finder(PendingText,
               [this](int32_t start, int32_t length) { AddRange(Hits, start, length); });
    PendingText.clear();
    WrapHits(from, u"abbr");
}

void TZelEnumQueryFieldHelper::OnEndElement(const std::u16string& name) {
    FlushText();
    for (size_t i = 0; i < Fields.size(); ++i) {
        if (!Watches(i, name))
            continue;
        TCapture& capture = Captures[i];
        ZEL_ASSERT(capture.Depth > 0);
        if (--capture.Depth > 0)
            continue;
        Hits.clear();
        if (Event) {
            bool stop =
                Event(Fields[i]->Index, capture.Text,
                      [this](int32_t start, int32_t length) { AddRange(Hits, start, length); });
            if (stop) {
                ZEL_ASSERT(!Emitting);
                throw TStop{};
            }
        }
        if (Emitting)
            WrapHits(capture.Start, u"em");
    }
    if (Emitting)
        Output += u"</" + name + u">";
}

void TZelEnumQueryFieldHelper::WrapHits(size_t from, const std::u16string& tag) {
    // Positions count characters only, so the tags inserted for one range do not move the
    // next.
    for (const auto& [start, length] : Hits)
        WrapRange(Output, from, start, length, tag);
}

void TZelEnumQueryFieldHelper::AddRange(std::vector<std::pair<int32_t, int32_t>>& ranges,
                                        int32_t start, int32_t length) {
    int32_t end = start + length;
    for (size_t i = 0; i < ranges.size(); ++i) {
        auto& r = ranges[i];
        int32_t rEnd = r.first + r.second;
        if (start < r.first) {
            if (r.first < end)
                r = {start, std::max(end, rEnd) - start};
            else
                ranges.insert(ranges.begin() + long(i), {start, length});
            return;
        }
        if (start < rEnd) {
            r.second = std::max(end, rEnd) - r.first;
            return;
        }
    }
    ranges.emplace_back(start, length);
}

void TZelEnumQueryFieldHelper::WrapRange(std::u16string& xml, size_t from, int32_t start,
                                         int32_t length, const std::u16string& tag) {
    ZEL_ASSERT(start >= 0 && length >= 0);
    const std::u16string open = u"<" + tag + u">";
    const std::u16string close = u"</" + tag + u">";
    size_t pos = from;
    for (int32_t counted = 0; counted < start;)
        counted += SkipUnit(xml, pos);
    while (pos < xml.size() && xml[pos] == u'<')
        SkipUnit(xml, pos);
    xml.insert(pos, open);
    pos += open.size();
    for (int32_t counted = 0; counted < length;) {
        ZEL_ASSERT(pos < xml.size());
        if (xml[pos] == u'<') {
            xml.insert(pos, close);
            pos += close.size();
            SkipUnit(xml, pos);
            xml.insert(pos, open);
            pos += open.size();
            continue;
        }
        counted += SkipUnit(xml, pos);
    }
    xml.insert(pos, close);
}
