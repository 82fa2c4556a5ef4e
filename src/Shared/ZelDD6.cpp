#include "ZelDD6.h"

#include "ZelCodePage.h"
#include "ZelDescriptionFile.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelFormat.h"
#include "ZelHelpers.h"
#include "ZelIniFile.h"
#include "ZelResStrings.h"
#include "ZelSound.h"
#include "ZelUtils.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_map>

#include <unicode/uchar.h>

namespace {

[[noreturn]] void RaiseFileFormat(const std::string& file, const std::string& what) {
    throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::FileNamed), {file, what}));
}

std::vector<TZelLanguage> LanguageGroups(const std::string& text) {
    std::vector<TZelLanguage> langs;
    for (size_t i = 0; i + 5 <= text.size(); i += 5) {
        std::optional<int64_t> number = ZelParseInteger(text.substr(i, 5));
        int64_t v = number.value_or(-1);
        if (v < 0 || v > 0xFFFF)
            throw EZelConvertError(
                ZelFormat(ZelLoadStr(TZelResId::NotAnInteger), {text.substr(i, 5)}));
        langs.push_back(TZelLanguage(v));
    }
    return langs;
}

} // namespace

std::string ZelLangFilePart(TZelLanguage language) {
    return ZelFormat("%.4x", {int(language)});
}

TZelDD6Description ZelReadDD6Description(const std::string& path) {
    return ZelParseDD6Description(ZelReadWholeFile(path), path);
}

TZelDD6Description ZelParseDD6Description(const std::string& text, const std::string& path) {
    TZelDescriptionFile file(text, path);
    TZelDD6Description d;
    d.Sorted = file.Boolean("LuSorted", true);
    d.CodePage = file.CodePage();
    d.LuStyle = uint8_t(file.Integer("LuStyle", std::nullopt, 0, 2));
    d.Monolingual = file.Boolean("Monolingual", false);
    // Every entry is rendered through a view, so a dictionary has at least one.
    d.ViewCount = int32_t(file.Integer("ViewCount", 1, 1, 99));
    if (std::optional<std::string> name = file.Find("Name"))
        d.Name = ZelCodePageToWide(*name, d.CodePage);
    for (const char* key : {"SLWCL", "TLWCL"}) {
        std::optional<std::string> groups = file.Find(key);
        if (!groups)
            continue;
        try {
            (key[0] == 'S' ? d.SourceLangs : d.TargetLangs) = LanguageGroups(*groups);
        } catch (const EZelConvertError& e) {
            file.RaiseBadValue(key, e.what());
        }
    }
    return d;
}

TZelViewOptions ZelReadViewOptions(const std::string& path) {
    TZelViewOptions options;
    if (!ZelFileExists(path))
        return options;
    int lineNo = 0;
    for (const std::string& line : ZelSplitLines(ZelReadWholeFile(path))) {
        ++lineNo;
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        std::vector<std::string> fields = ZelParseCommaText(line);
        if (fields.size() < 5)
            RaiseFileFormat(path, ZelFormat(ZelLoadStr(TZelResId::ViewOptionFiveFields), {lineNo}));
        TZelViewOption option;
        option.Caption = fields[0];
        std::optional<bool> checked = ZelParseBoolText(fields[1]);
        if (checked)
            option.Checked = *checked;
        else
            RaiseFileFormat(
                path, ZelFormat(ZelLoadStr(TZelResId::ViewOptionBadBoolean), {lineNo, fields[1]}));
        option.ElementName = ZelCodePageToWide(fields[2], ZelGetSystemCodePage());
        option.Hint = fields[3];
        try {
            option.ImageIndex = int32_t(ZelStrToInt(fields[4]));
        } catch (const EZelConvertError& e) {
            RaiseFileFormat(path,
                            ZelFormat(ZelLoadStr(TZelResId::ViewOptionLine), {lineNo, e.what()}));
        }
        options.push_back(option);
    }
    return options;
}

std::string ZelRtfBytes(const std::u16string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char16_t c : text) {
        if (c < 256) {
            out += char(c);
        } else {
            out += "\\u";
            out += std::to_string(unsigned(c));
            out += " ?";
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------
// Per-language data

TZelSourceFullangData::TZelSourceFullangData(TZelDD6Master& master, TZelLanguage language)
    : Master(master), Language(language) {}

TZelSourceFullangData::~TZelSourceFullangData() = default;

std::string TZelSourceFullangData::HeadwordFile() const {
    return Master.GetBasePath() + FilePart() + "_lu.ddata";
}

std::string TZelSourceFullangData::EntryFile() const {
    return Master.GetBasePath() + FilePart() + "_le.ddata";
}

std::string TZelSourceFullangData::MultiwordFilterFile() const {
    return Master.GetIndexPrefix() + FilePart() + "_sei.ddata";
}

std::string TZelSourceFullangData::SoundFile() const {
    return Master.GetAudioPrefix() + FilePart() + "_audio.ddata";
}

const ZelRef<IZelMemBlocks>& TZelSourceFullangData::GetHeadwords() {
    if (!Headwords) {
        ZelRef<IZelMemBlocks> headwords = ZelOpenMemBlocksFile(HeadwordFile());
        ZelRef<IZelMemBlocks> entries = ZelOpenMemBlocksFile(EntryFile());
        if (headwords->GetCount() != entries->GetCount())
            throw EZelStreamError(
                ZelFormat(ZelLoadStr(TZelResId::InvalidStreamFormatInFile), {EntryFile()}));
        Headwords = headwords;
        Entries = entries;
    }
    return Headwords;
}

const ZelRef<IZelMemBlocks>& TZelSourceFullangData::GetEntries() {
    GetHeadwords();
    return Entries;
}

TZelLXQueryFields& TZelSourceFullangData::GetQueryFields() {
    if (!QueryFields) {
        QueryParameter =
            std::make_unique<TZelQueryFieldParameterForDD6>(Master.GetIndexPrefix() + FilePart());
        QueryFields = std::make_unique<TZelLXQueryFields>(
            [](TZelQueryFieldParameter* p, int32_t index, const TZelIniFile& ini) {
                return std::make_unique<TZelLXQueryFieldForDD6>(p, index, ini);
            },
            QueryParameter.get());
        std::string path = Master.GetBasePath() + FilePart() + "_search.kv0";
        if (ZelFileExists(path))
            QueryFields->LoadFromFile(path);
    }
    return *QueryFields;
}

ZelRef<IZelMemBlocks> TZelSourceFullangData::GetSounds() {
    if (!Sounds) {
        std::string path = SoundFile();
        if (CheckFileAvailable(path))
            Sounds = ZelOpenMemBlocksFile(path);
    }
    return Sounds;
}

TZelViewOptions& TZelSourceFullangData::GetViewOptions(int32_t view) {
    ZEL_ASSERT(view >= 0 && view < Master.GetDescription().ViewCount);
    if (ViewOptions.empty())
        ViewOptions.resize(size_t(Master.GetDescription().ViewCount));
    auto& slot = ViewOptions[size_t(view)];
    if (!slot)
        slot = std::make_unique<TZelViewOptions>(ZelReadViewOptions(
            Master.GetBasePath() + FilePart() + ZelFormat("_vo_%.2d.kv0", {view})));
    return *slot;
}

// ---------------------------------------------------------------------------------------
// Shared data

TZelDD6Master::TZelDD6Master(const std::string& installName, const std::string& indexFolder,
                             const std::string& audioFolder, const std::string& descriptionPath)
    : InstallName(installName) {
    BasePath = ZelChangeFileExt(descriptionPath, "");
    std::string name = ZelExtractFileName(BasePath);
    IndexPrefix = indexFolder + name;
    AudioPrefix = audioFolder + name;
    Description = ZelReadDD6Description(descriptionPath);
    for (TZelLanguage language : Description.SourceLangs)
        Sources.push_back(std::make_unique<TZelSourceFullangData>(*this, language));
    for (int32_t view = 0; view < Description.ViewCount; ++view) {
        ZelRef<IZelXslProcessor> processor = CoXml().CreateXslProcessor();
        processor->SetStyleURL(BasePath + ZelFormat("_rtf_%.2d.xsl", {view}));
        Processors.push_back(processor);
    }
    ReadAbbreviations();
}

TZelDD6Master::~TZelDD6Master() {
    if (SoundStarted)
        ZelSoundPlayer().StopAll();
}

TZelSourceFullangData* TZelDD6Master::GetSourceData(TZelLanguage language) {
    for (auto& data : Sources)
        if (ZelPrimaryLang(data->GetLanguage()) == ZelPrimaryLang(language))
            return data.get();
    return nullptr;
}

void TZelDD6Master::ReadAbbreviations() {
    std::string path = BasePath + "_abbr.kv0";
    if (!ZelFileExists(path))
        return;
    // The expansion of the first line with a name serves every line with it.
    std::unordered_map<std::string, size_t> firstLine;
    for (const std::string& line : ZelSplitLines(ZelReadWholeFile(path))) {
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string name = line.substr(0, equals);
        auto [first, isNew] = firstLine.emplace(name, Abbreviations.size());
        Expansions.push_back(isNew ? line.substr(equals + 1) : Expansions[first->second]);
        Abbreviations.push_back(std::move(name));
        MaxAbbreviationLength = std::max(MaxAbbreviationLength, Abbreviations.back().size());
    }
}

size_t TZelDD6Master::LowerBound(std::string_view bytes) const {
    size_t low = 0, high = Abbreviations.size();
    while (low < high) {
        size_t mid = low + (high - low) / 2;
        if (std::string_view(Abbreviations[mid]) < bytes)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

std::string TZelDD6Master::FindAbbreviation(const std::string& abbreviation) const {
    size_t i = LowerBound(abbreviation);
    if (i < Abbreviations.size() && Abbreviations[i] == abbreviation)
        return Expansions[i];
    return {};
}

void TZelDD6Master::FindAbbreviations(const std::u16string& text,
                                      const TZelAddRangeProc& addRange) const {
    if (Abbreviations.empty())
        return;
    auto isSeparator = [](char16_t c) { return c == u' ' || c == u'\'' || c == u'(' || c == u'['; };
    auto isLetterOrDigit = [](char16_t c) { return u_isalpha(c) || u_isdigit(c); };
    int cp = Description.CodePage;
    size_t p = 0;
    for (;;) {
        while (p < text.size() && isSeparator(text[p]))
            ++p;
        if (p >= text.size())
            return;
        // One character more than the longest abbreviation orders the rest of the text
        // among them exactly as the whole rest would, and keeps the scan linear.
        std::string rest =
            ZelWideToCodePage(std::u16string_view(text).substr(p, MaxAbbreviationLength + 1), cp);
        bool wholeRest = p + MaxAbbreviationLength + 1 > text.size();
        size_t at = LowerBound(rest);
        if (wholeRest && at < Abbreviations.size() && Abbreviations[at] == rest) {
            addRange(int32_t(p), int32_t(text.size() - p));
            p = text.size();
        } else {
            for (size_t i = at; i-- > 0;) {
                const std::string& abbr = Abbreviations[i];
                std::u16string wide = ZelCodePageToWide(abbr, cp);
                if (wide.empty())
                    break;
                int order = std::string_view(rest).substr(0, abbr.size()).compare(abbr);
                if (order < 0)
                    continue; // the abbreviation sorts after the text
                size_t end = p + wide.size();
                if (order == 0 && end <= text.size() &&
                    (end == text.size() || !isLetterOrDigit(text[end]))) {
                    addRange(int32_t(p), int32_t(wide.size()));
                    p = end;
                    break;
                }
                if (wide[0] != text[p])
                    break;
            }
        }
        while (p < text.size() && !isSeparator(text[p]))
            ++p;
    }
}

IZelXslProcessor& TZelDD6Master::GetProcessor(int32_t view) {
    ZEL_ASSERT(view >= 0 && view < int32_t(Processors.size()));
    return *Processors[size_t(view)];
}

// ---------------------------------------------------------------------------------------
// The dictionary of one language pair

TZelDD6::TZelDD6(const ZelRef<TZelDD6Master>& master, TZelLanguage source, TZelLanguage target)
    : TZelDic(source, target), Master(master) {
    TZelSourceFullangData* data = Master->GetSourceData(source);
    ZEL_ASSERT(data);
    MultiwordFilterExists = ZelFileExists(data->MultiwordFilterFile());
}

TZelDD6::~TZelDD6() {
    if (auto* cursor = dynamic_cast<TZelLuCursorOnMemBlocks*>(Entries.get()))
        cursor->Detach();
}

TZelSourceFullangData& TZelDD6::SourceData() {
    return *Master->GetSourceData(GetSourceLang());
}

std::u16string TZelDD6::GetAbbreviation(const std::u16string& abbreviation) {
    int cp = Master->GetDescription().CodePage;
    std::string bytes;
    if (!ZelTryWideToCodePage(abbreviation, cp, bytes))
        return {};
    return ZelCodePageToWide(Master->FindAbbreviation(bytes), cp);
}

ZelRef<IZelArrayCursor> TZelDD6::CreateEntries() {
    return ZelMake<TZelDD6DicEntries>(*this, SourceData());
}

ZelRef<IZelArrayCursor> TZelDD6::GetEntries() {
    if (!Entries)
        Entries = CreateEntries();
    return Entries;
}

ZelRef<IZelArrayCursorFilter> TZelDD6::GetLuFilter() {
    if (!LuFilter)
        LuFilter = ZelMake<TZelArrayCursorFilterOnFileMap>(SourceData().MultiwordFilterFile(),
                                                           GetEntries());
    return LuFilter;
}

std::string TZelDD6::GetId() {
    std::string id = Master->GetInstallName() + "_" + GetLangAbbrev2(GetSourceLang());
    if (IsBilingual())
        id += GetLangAbbrev2(GetTargetLang());
    return id;
}

std::u16string TZelDD6::GetName() {
    int cp = ZelGetSystemCodePage();
    return Master->GetDescription().Name + u" (" +
           ZelCodePageToWide(GetNativeLangName(GetSourceLang()), cp) + u" - " +
           ZelCodePageToWide(GetNativeLangName(GetTargetLang()), cp) + u")";
}

TZelLXQueryFields* TZelDD6::GetQueryFields() {
    return &SourceData().GetQueryFields();
}

int32_t TZelDD6::GetViewOptionCount(int32_t view) {
    return int32_t(SourceData().GetViewOptions(view).size());
}

TZelViewOption* TZelDD6::GetViewOption(int32_t view, int32_t option) {
    TZelViewOptions& options = SourceData().GetViewOptions(view);
    if (option < 0 || option >= int32_t(options.size()))
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {option}));
    return &options[size_t(option)];
}

void TZelDD6::PlayAudio(int32_t sound) {
    if (Master->SoundStarted)
        ZelSoundPlayer().StopAll();
    ZelRef<IZelMemBlocks> sounds = SourceData().GetSounds();
    if (!sounds)
        return;
    if (sound < 0 || sound >= sounds->GetCount())
        throw EZelListError(ZelFormat(ZelLoadStr(TZelResId::ListIndexOutOfBounds), {sound}));
    ZelSoundPlayer().Play(sounds, sound);
    Master->SoundStarted = true;
}

bool TZelDD6::FindLu(IZelArrayCursor& cursor, IZelLu& key, int32_t& index) {
    return FindLuInCursor(cursor, key, index);
}

ZelRef<IZelArrayCursor> TZelDD6::LookupLu(const std::u16string& text,
                                          const std::u16string& alternative, int32_t ordinal,
                                          uint8_t catCode) {
    return LookupLuInEntries(text, alternative, ordinal, catCode);
}

std::string TZelDD6::GetEntryXml(IZelLu& lu) {
    ZelRef<IZelDicEntries> entries = ZelQuery<IZelDicEntries>(&lu);
    ZEL_ASSERT(entries);
    return std::string(entries->GetEntryBlock().View());
}

namespace {
// The encoding name a document declares for a dictionary's code page.
std::string EncodingName(int codePage) {
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + std::to_string(codePage);
    if (codePage >= 28591 && codePage <= 28606)
        return "ISO-8859-" + std::to_string(codePage - 28590);
    if (codePage == ZelCpUtf8)
        return "UTF-8";
    return "IBM" + std::to_string(codePage);
}
} // namespace

std::string TZelDD6::BuildEntryDocument(IZelLu& lu, int32_t view) {
    std::string doc = "<?xml version=\"1.0\" encoding=\"" +
                      EncodingName(Master->GetDescription().CodePage) + "\"?><body>";
    if (view >= 0) {
        doc += "<view-options>";
        for (const TZelViewOption& option : SourceData().GetViewOptions(view))
            if (option.Checked) {
                doc += '<';
                doc += ZelWideToCodePage(option.ElementName, ZelGetSystemCodePage());
                doc += "-checked />";
            }
        doc += "</view-options>";
    }
    doc += GetEntryXml(lu);
    doc += "</body>";
    return doc;
}

std::string TZelDD6::GetEntryRtf(IZelLu& lu, int32_t view) {
    try {
        return RenderEntry(lu, view);
    } catch (const EZelXmlError& e) {
        // Name the entry: the message alone would not tell which of thousands is wrong.
        throw EZelXmlError(GetId() + ", entry \"" + ZelWideToUtf8(lu.GetWideText()) +
                           "\": " + e.what());
    }
}

std::string TZelDD6::RenderEntry(IZelLu& lu, int32_t view) {
    ZelRef<IZelDic> owner = lu.GetDic();
    IZelDic& dic = owner ? *owner : *this;
    std::string document = BuildEntryDocument(lu, view);

    TZelEnumQueryFieldHelper& marker = Master->GetMarker();
    std::vector<TZelLXQueryField*> fields;
    if (TZelLXQueryFields* list = dic.GetQueryFields())
        for (int32_t i = 0; i < list->GetCount(); ++i)
            fields.push_back(&list->Get(i));
    marker.SetFields(fields);
    TZelDD6Master* master = Master.get();
    marker.SetAbbreviationFinder([master](const std::u16string& text, const TZelAddRangeProc& add) {
        master->FindAbbreviations(text, add);
    });
    marker.SetEvent(dic.GetOnFieldText());
    std::u16string xml = marker.Render(document);
    marker.SetEvent(nullptr);

    ZelRef<IZelXmlDOM> dom = CoXml().CreateDOM();
    TZelBufferStream stream(xml.data(), int64_t(xml.size() * sizeof(char16_t)));
    dom->LoadFromStream(stream, true);
    for (TZelViewOption& option : SourceData().GetViewOptions(view))
        option.Present = dom->HasNode(option.ElementName);

    IZelXslProcessor& processor = Master->GetProcessor(view);
    std::string folder = ZelExtractFileDir(Master->GetBasePath()) + "/";
    processor.SetParameter(u"dicPath", ZelUtf8ToWide(folder));
    processor.SetParameter(
        u"gl", ZelUtf8ToWide(std::to_string(ZelPrimaryLang(ZelGetInterfaceLanguage()))));
    processor.SetParameter(u"sl",
                           ZelUtf8ToWide(std::to_string(ZelPrimaryLang(dic.GetSourceLang()))));
    processor.SetParameter(u"tl",
                           ZelUtf8ToWide(std::to_string(ZelPrimaryLang(dic.GetTargetLang()))));
    return ZelRtfBytes(processor.Transform(*dom));
}

void TZelDD6::EnumFieldValues(IZelLu& lu, const std::vector<int32_t>& fields,
                              const TZelFieldTextEvent& callback) {
    TZelLXQueryFields* list = GetQueryFields();
    std::vector<TZelLXQueryField*> watched;
    for (int32_t index : fields)
        watched.push_back(&list->Get(index));
    TZelEnumQueryFieldHelper& marker = Master->GetMarker();
    marker.SetFields(watched);
    marker.SetAbbreviationFinder(nullptr);
    marker.SetEvent(callback);
    std::string document = BuildEntryDocument(lu, -1);
    marker.Enumerate(document);
    marker.SetEvent(nullptr);
}

// ---------------------------------------------------------------------------------------

TZelDD6DicEntries::TZelDD6DicEntries(TZelDD6& dic, TZelSourceFullangData& data)
    : TZelLuCursorOnMemBlocks(dic.GetMaster()->GetDescription().CodePage, &dic, data.GetHeadwords(),
                              data.HeadwordFile()),
      EntryBlocks(data.GetEntries()) {}

void* TZelDD6DicEntries::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicEntries::IID)
        return static_cast<IZelDicEntries*>(this);
    return TZelLuCursorOnMemBlocks::QueryInterface(iid);
}

TZelMemBlock TZelDD6DicEntries::GetEntryBlock() {
    return EntryBlocks->GetBlock(Index);
}

// ---------------------------------------------------------------------------------------

TZelDD6Builder::TZelDD6Builder(std::string typeId, TZelDD6Factory factory)
    : TypeId(std::move(typeId)), Factory(std::move(factory)) {}

void* TZelDD6Builder::QueryInterface(const ZelGuid& iid) {
    if (iid == IZelDicBuilder::IID)
        return static_cast<IZelDicBuilder*>(this);
    return TZelInterfacedObject::QueryInterface(iid);
}

void ZelAddDD6Dictionaries(const ZelRef<TZelDD6Master>& master, const TZelDD6Factory& factory,
                           IZelDicList& list) {
    const TZelDD6Description& d = master->GetDescription();
    for (auto [source, target] : ZelDicLanguagePairs(d.SourceLangs, d.TargetLangs, d.Monolingual))
        list.Add(factory(master, source, target));
}

bool TZelDD6Builder::AddInstalled(IZelDicList& list) {
    return ScanInstalledDics({TypeId}, [&](const std::string& name, TZelSettingsKey& key) {
        std::optional<TZelDD6Installation> install = ReadDD6Installation(key);
        if (!install)
            return false;
        ZelRef<TZelDD6Master> master = ZelMake<TZelDD6Master>(
            name, install->IndexFolder, install->AudioFolder, install->DescriptionPath);
        ZelAddDD6Dictionaries(master, Factory, list);
        return true;
    });
}
