#include "ZelDD6.h"
#include "ZelCodePage.h"
#include "ZelDD6Compiler.h"
#include "ZelDicSlv2.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelMemBlocksWriter.h"
#include "ZelResStrings.h"
#include "ZelSound.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TCompiled {
    TTempDir Dir;
    std::string Description;
    std::string Out() const { return Dir.File("out") + "/"; }
    ZelRef<TZelDD6Master> Open(const std::string& name = "DD6KNV1") const {
        return ZelMake<TZelDD6Master>(name, Out(), Out(), Description);
    }
};

std::unique_ptr<TCompiled> Compile(const char* source = "nvmini.xml") {
    auto c = std::make_unique<TCompiled>();
    c->Description = CompileDD6Fixture(c->Dir, source);
    return c;
}

// Positions the dictionary's headword cursor on a headword (and ordinal) and returns the
// cursor's lexical unit.
ZelRef<IZelLu> At(IZelDic& dic, const std::u16string& headword, int32_t ordinal = -1) {
    ZelRef<IZelArrayCursor> found = dic.LookupLu(headword, headword, ordinal, 0);
    EXPECT_TRUE(found) << ZelWideToUtf8(headword);
    if (!found)
        return nullptr;
    found->SetIndex(0);
    return ZelQuery<IZelLu>(found);
}

class TRecordingPlayer : public TZelSoundPlayer {
public:
    void Play(const ZelRef<IZelMemBlocks>& sounds, int32_t index) override {
        Events.push_back("play " + std::to_string(index) + " " +
                         std::to_string(sounds->GetBlockSize(index)));
    }
    void StopAll() override { Events.push_back("stop"); }
    std::vector<std::string> Events;
};

} // namespace

TEST(DD6, OneDictionaryServesBothDirections) {
    auto c = Compile();
    ZelRef<TZelDD6Master> master = c->Open();
    EXPECT_EQ(master->GetDescription().SourceLangs, (std::vector<TZelLanguage>{9, 16}));
    ZelRef<TZelDicList> list = ZelMake<TZelDicList>();
    ZelAddDD6Dictionaries(
        master,
        [](const ZelRef<TZelDD6Master>& m, TZelLanguage s, TZelLanguage t) {
            return ZelMake<TZelDD6>(m, s, t);
        },
        *list);
    ASSERT_EQ(list->GetCount(), 2);
    ZelRef<IZelDic> enit = list->GetDic(0);
    ZelRef<IZelDic> iten = list->GetDic(1);
    EXPECT_EQ(enit->GetId(), "DD6KNV1_ENIT");
    EXPECT_EQ(iten->GetId(), "DD6KNV1_ITEN");
    EXPECT_EQ(enit->GetName(), u"Mini Norvel (English - italiano)");
    EXPECT_TRUE(enit->IsBilingual());
    EXPECT_TRUE(enit->HasLuList());
    EXPECT_TRUE(enit->IsLuSorted());
    EXPECT_EQ(enit->GetLuStyle(), 1);
    EXPECT_EQ(enit->GetBasePath(), c->Out() + "nvmini");
    EXPECT_EQ(Headwords(*iten), (std::vector<std::string>{"casa/1", "città/1"}));
    // Loose order first (resume with Résumé, bank with "bank, river"), then exact, then
    // ordinal.
    EXPECT_EQ(Headwords(*enit),
              (std::vector<std::string>{"apple/1", "bank/1", "bank/2", "bank, river/1", "look up/1",
                                        "resume/1", "Résumé/1", "zebra/1"}));
    EXPECT_TRUE(enit->HasMultiwordFilter());
    EXPECT_FALSE(iten->HasMultiwordFilter());
    ZelRef<IZelArrayCursorFilter> single = enit->GetLuFilter();
    EXPECT_EQ(single->GetCount(), 7);
    EXPECT_EQ(enit->GetLuFilter(), single);
}

TEST(DD6, MonolingualIdentifierAndUnsortedSearch) {
    auto c = Compile("notes.xml");
    ZelRef<TZelDD6Master> master = c->Open("DD6KNVGN1");
    ZelRef<TZelDicList> list = ZelMake<TZelDicList>();
    ZelAddDD6Dictionaries(
        master,
        [](const ZelRef<TZelDD6Master>& m, TZelLanguage s, TZelLanguage t) {
            return ZelMake<TZelDD6>(m, s, t);
        },
        *list);
    ASSERT_EQ(list->GetCount(), 1);
    ZelRef<IZelDic> gn = list->GetDic(0);
    EXPECT_EQ(gn->GetId(), "DD6KNVGN1_EN");
    EXPECT_FALSE(gn->IsBilingual());
    EXPECT_FALSE(gn->IsLuSorted());
    EXPECT_EQ(Headwords(*gn), (std::vector<std::string>{"verbs/1", "articles/1"}));
    int32_t index = -1;
    ZelRef<IZelArrayCursor> entries = gn->GetEntries();
    EXPECT_TRUE(gn->FindLu(*entries, *ZelMake<TZelLu>(gn, u"Articles", -1, 0), index));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(gn->GetViewOptionCount(0), 0);
}

TEST(DD6, RenderingProducesRtfWithHotSpots) {
    auto c = Compile();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(c->Open(), 9, 16);
    ZelSetInterfaceLanguage(0x10);
    std::string rtf = enit->GetEntryRtf(*At(*enit, u"bank, river"), 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b bank, river} {\\*\\customRef 15}sponda \\u8211 ? argine }");
    rtf = enit->GetEntryRtf(*At(*enit, u"Résumé"), 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b r\xe9sum\xe9} {\\*\\customRef 10}curriculum }");
    rtf = enit->GetEntryRtf(*At(*enit, u"bank", 2), 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b bank} {\\*\\customSound 0,1}*[b\xe6\\u331 ?k] "
                   "{\\*\\customRef 4}riva }");
    rtf = enit->GetEntryRtf(*At(*enit, u"apple"), 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b apple} {\\*\\customRef 11}mela & pomo [sl=9 tl=16 gl=16 "
                   "path=" +
                       c->Out() + "]}");
    rtf = enit->GetEntryRtf(*At(*enit, u"zebra"), 0);
    EXPECT_EQ(rtf,
              "{\\rtf1\\ansi {\\b zebra} {\\*\\customRef 6}zebra {\\*\\customImage zebra.jpg} }");
    ZelSetInterfaceLanguage(0x09);
}

TEST(DD6, ViewOptionsShapeTheDocumentAndTheRendering) {
    auto c = Compile();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(c->Open(), 9, 16);
    ASSERT_EQ(enit->GetViewOptionCount(0), 3);
    TZelViewOption* examples = enit->GetViewOption(0, 0);
    TZelViewOption* phon = enit->GetViewOption(0, 1);
    EXPECT_EQ(examples->Caption, "Examples");
    EXPECT_EQ(phon->Hint, "Show, \"how\" it sounds");
    EXPECT_EQ(phon->ImageIndex, 3);
    EXPECT_THROW(enit->GetViewOption(0, 3), EZelListError);
    EXPECT_THROW(enit->GetViewOptionCount(1), EZelAssertion);

    ZelRef<IZelLu> bank2 = At(*enit, u"bank", 2);
    std::string expected = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><body><view-options>"
                           "<examples-checked /><phon-checked /></view-options><hw>bank</hw>";
    EXPECT_EQ(enit->BuildEntryDocument(*bank2, 0).substr(0, expected.size()), expected);
    EXPECT_EQ(enit->BuildEntryDocument(*bank2, -1).find("view-options"), std::string::npos);

    enit->GetEntryRtf(*bank2, 0);
    EXPECT_FALSE(examples->Present); // this entry has no examples
    phon->Checked = false;
    std::string rtf = enit->GetEntryRtf(*bank2, 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b bank} {\\*\\customRef 4}riva }");
    phon->Checked = true;

    // Checking an option shows its part; RTF's special characters come out escaped.
    ZelRef<IZelLu> zebra = At(*enit, u"zebra");
    EXPECT_EQ(enit->GetEntryRtf(*zebra, 0).find("braces"), std::string::npos);
    enit->GetViewOption(0, 2)->Checked = true;
    EXPECT_NE(enit->GetEntryRtf(*zebra, 0).find("{\\i \\{braces\\} \\\\ back}"), std::string::npos);
    EXPECT_TRUE(enit->GetViewOption(0, 2)->Present);
}

TEST(DD6, AbbreviationsAreFoundAtTheStartOfWords) {
    auto c = Compile();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(c->Open(), 9, 16);
    EXPECT_EQ(enit->GetAbbreviation(u"fig."), u"figurative");
    EXPECT_EQ(enit->GetAbbreviation(u"Fig."), u"figure");
    EXPECT_EQ(enit->GetAbbreviation(u"fig"), u"");
    EXPECT_EQ(enit->GetAbbreviation(u"n\u0141"), u"");
    std::string rtf = enit->GetEntryRtf(*At(*enit, u"bank", 1), 0);
    EXPECT_EQ(rtf, "{\\rtf1\\ansi {\\b bank} {\\*\\customRef 5}banca {\\i see "
                   "{\\*\\customAbbr 4}Fig. 3 ({\\*\\customAbbr 4}fig. use), not Figures}}");
}

// A large abbreviation table loads in time that grows with its size (it used to search
// every earlier name for each line); the first line with a name gives its expansion.
TEST(DD6, LargeAbbreviationTablesLoadQuickly) {
    auto c = Compile();
    std::string table;
    for (int i = 0; i < 100000; ++i) {
        table += "a" + std::to_string(100000 + i) + ".=expansion " + std::to_string(i) + "\r\n";
        if (i == 7)
            table += "a100007.=a later line\r\n";
    }
    WriteBytes(c->Out() + "nvmini_abbr.kv0", table);
    auto start = std::chrono::steady_clock::now();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(c->Open(), 9, 16);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(enit->GetAbbreviation(u"a100007."), u"expansion 7");
    EXPECT_EQ(enit->GetAbbreviation(u"a199999."), u"expansion 99999");
}

TEST(DD6, SoundsPlayOneAtATime) {
    auto c = Compile();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(c->Open(), 9, 16);
    auto player = std::make_shared<TRecordingPlayer>();
    auto previous = ZelSetSoundPlayer(player);
    enit->PlayAudio(0);
    enit->PlayAudio(1);
    EXPECT_THROW(enit->PlayAudio(2), EZelListError);
    enit.reset();
    ZelSetSoundPlayer(previous);
    // Each sound is the whole wave image: header (44 bytes) and samples.
    EXPECT_EQ(player->Events,
              (std::vector<std::string>{"play 0 144", "stop", "play 1 244", "stop", "stop"}));
}

TEST(DD6, DescriptionDefaultsAndErrors) {
    TTempDir dir;
    std::string path = dir.File("d.dd6");
    WriteBytes(path, "LuStyle=1\nSLWCL=0000900\nname=first\nNAME=second\n");
    TZelDD6Description d = ZelReadDD6Description(path);
    EXPECT_TRUE(d.Sorted);
    EXPECT_EQ(d.CodePage, 1252);
    EXPECT_EQ(d.ViewCount, 1);
    EXPECT_FALSE(d.Monolingual);
    EXPECT_EQ(d.Name, u"first");
    EXPECT_EQ(d.SourceLangs, (std::vector<TZelLanguage>{9}));
    WriteBytes(path, "LuStyle=1\nLuSorted=0\nMonolingual=\n");
    EXPECT_FALSE(ZelReadDD6Description(path).Sorted);
    EXPECT_FALSE(ZelReadDD6Description(path).Monolingual);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"LuStyle=one\n", "LuStyle: 'one' is not a valid integer value"},
        {"Name=x\n", "LuStyle: the value is missing"},
        {"LuStyle=1\nCodePage=12345\n", "CodePage: Code page 12345 is not supported"},
        {"LuStyle=1\nLuSorted=maybe\n", "LuSorted: 'maybe' is not a valid boolean value"},
        {"LuStyle=1\nSLWCL=00009xxxxx\n", "SLWCL: 'xxxxx' is not a valid integer value"},
        // Every entry renders through a view: a dictionary without one is refused at open.
        {"LuStyle=1\nViewCount=0\n", "ViewCount: '0' is not from 1 to 99"},
    };
    for (const auto& [text, reason] : cases) {
        WriteBytes(path, text);
        EXPECT_THROW_MSG(ZelReadDD6Description(path), EZelConvertError, path + ": " + reason);
    }
}

TEST(DD6, BadFilesGiveClearErrorsNamingThem) {
    auto c = Compile();
    std::string lu = c->Out() + "nvmini0009_lu.ddata";
    std::string bytes = ReadBytes(lu);
    WriteBytes(lu, bytes.substr(0, bytes.size() / 2));
    ZelRef<TZelDD6Master> master = c->Open();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(master, 9, 16);
    try {
        ZelRef<IZelArrayCursor> entries = enit->GetEntries();
        ZelRef<IZelLu> luOf = ZelQuery<IZelLu>(entries);
        for (int32_t i = 0; i < entries->GetCount(); ++i) {
            entries->SetIndex(i);
            luOf->GetText();
        }
        FAIL() << "a truncated headword file was read";
    } catch (const EZelStreamError& e) {
        EXPECT_EQ(std::string(e.what()), "Invalid stream format (" + lu + ")");
    }
    // The other direction is untouched.
    ZelRef<TZelDD6> iten = ZelMake<TZelDD6>(master, 16, 9);
    EXPECT_EQ(iten->GetEntries()->GetCount(), 2);

    // A headword file and an entry file of different lengths.
    TZelMemBlocksWriter one;
    one.Add("x\x01");
    one.WriteFile(c->Out() + "nvmini0010_le.ddata");
    ZelRef<TZelDD6> broken = ZelMake<TZelDD6>(c->Open(), 16, 9);
    EXPECT_THROW_MSG(broken->GetEntries(), EZelStreamError,
                     "Invalid stream format (" + c->Out() + "nvmini0010_le.ddata)");

    // A stylesheet that does not parse fails the opening, naming the file.
    WriteBytes(c->Out() + "nvmini_rtf_00.xsl", "<xsl:stylesheet");
    try {
        c->Open();
        FAIL();
    } catch (const EZelXmlError& e) {
        EXPECT_NE(std::string(e.what()).find("nvmini_rtf_00.xsl"), std::string::npos) << e.what();
    }
}

TEST(DD6, EntriesThatAreNotWellFormedFailOnlyThemselves) {
    auto c = Compile();
    ZelRef<TZelDD6Master> master = c->Open();
    ZelRef<TZelDD6> enit = ZelMake<TZelDD6>(master, 9, 16);
    ZelRef<IZelLu> apple = At(*enit, u"apple");
    // Rewrite the entry file with one broken entry.
    {
        TZelMemBlocksWriter entries;
        ZelRef<IZelMemBlocks> old = ZelOpenMemBlocksFile(c->Out() + "nvmini0009_le.ddata");
        for (int32_t i = 0; i < old->GetCount(); ++i)
            entries.Add(i == 0 ? std::string("<hw>apple</b>") : old->GetBlockString(i));
        entries.WriteFile(c->Out() + "nvmini0009_le.ddata");
    }
    ZelRef<TZelDD6> fresh = ZelMake<TZelDD6>(c->Open(), 9, 16);
    try {
        fresh->GetEntryRtf(*At(*fresh, u"apple"), 0);
        FAIL();
    } catch (const EZelError& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("DD6KNV1_ENIT"), std::string::npos) << message;
        EXPECT_NE(message.find("apple"), std::string::npos) << message;
    }
    EXPECT_NE(fresh->GetEntryRtf(*At(*fresh, u"zebra"), 0).find("zebra"), std::string::npos);
}

TEST(DD6, ProductComparisonStopsAtTheFirstComma) {
    auto c = Compile();
    ZelRef<TZelDD6Master> master = c->Open();
    ZelRef<TZelDD6> plain = ZelMake<TZelDD6>(master, 9, 16);
    ZelRef<TZelDD6> slv2 = ZelMake<TZelDicSlv2>(master, 9, 16);
    ZelRef<IZelLu> river = ZelMake<TZelLu>(nullptr, u"Bank, river", -1, 0);
    EXPECT_EQ(slv2->CompareLuLoose(*river, "bank"), 0);
    EXPECT_NE(plain->CompareLuLoose(*river, "bank"), 0);
    ZelRef<IZelLu> lower = ZelMake<TZelLu>(nullptr, u"bank, river", -1, 0);
    ZelRef<IZelLu> money = ZelMake<TZelLu>(nullptr, u"bank, money", -1, 0);
    EXPECT_EQ(slv2->CompareLuExact(*lower, "bank, money"), 0);
    EXPECT_NE(slv2->CompareLus(*lower, *money), 0);
    // Looking up "bank" finds every "bank" headword, "bank, river" included; with an
    // ordinal, or in the generic class, only the headwords written "bank".
    EXPECT_EQ(Headwords(*slv2->LookupLu(u"bank", u"", -1, 0)),
              (std::vector<std::string>{"bank/1", "bank/2", "bank, river/1"}));
    EXPECT_EQ(Headwords(*slv2->LookupLu(u"bank", u"bank", 2, 0)),
              (std::vector<std::string>{"bank/2"}));
    EXPECT_EQ(Headwords(*slv2->LookupLu(u"bank, river", u"", -1, 0)),
              (std::vector<std::string>{"bank, river/1"}));
    EXPECT_EQ(Headwords(*plain->LookupLu(u"bank", u"", -1, 0)),
              (std::vector<std::string>{"bank/1", "bank/2"}));
    ZelRef<IZelArrayCursor> entries = slv2->GetEntries();
    int32_t index = -1;
    EXPECT_TRUE(slv2->FindLu(*entries, *ZelMake<TZelLu>(slv2, u"BANK, anything", -1, 0), index));
    EXPECT_EQ(index, 1);
}

// A file of an installed dictionary replaced by something that is not a regular file (a
// named pipe, a link to a device, a huge sparse file) is refused by name, at once, instead of
// hanging the program, filling its memory or being silently ignored.
TEST(DD6, FilesThatAreNotRegularFilesAreRefusedByName) {
    struct {
        const char* File;
        std::string Kind;
        std::string Expected; // a part of the message
    } cases[] = {
        {"nvmini_abbr.kv0", "fifo", "is not a regular file"},
        {"nvmini.dd6", "fifo", "is not a regular file"},
        {"nvmini0009_search.kv0", "fifo", "is not a regular file"},
        {"nvmini0009_lu.ddata", "zero", "is not a regular file"},
        {"nvmini_abbr.kv0", "sparse", "too large to read"},
        {"nvmini.dd6", "sparse", "too large to read"},
        {"nvmini0009_le.ddata", "sparse", "File too large to map"},
    };
    for (const auto& c : cases) {
        auto compiled = Compile();
        std::string path = compiled->Out() + c.File;
        ASSERT_EQ(unlink(path.c_str()), 0);
        if (c.Kind == "fifo")
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else if (c.Kind == "zero")
            ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0);
        else
            std::filesystem::resize_file((WriteBytes(path, "x"), path), uint64_t(5) << 30);
        auto start = std::chrono::steady_clock::now();
        try {
            ZelRef<TZelDD6> dic = ZelMake<TZelDD6>(compiled->Open(), 9, 16);
            dic->GetQueryFields();
            ZelRef<IZelArrayCursor> entries = dic->GetEntries();
            entries->SetIndex(0);
            dic->GetEntryRtf(*ZelQuery<IZelLu>(entries), 0);
            ADD_FAILURE() << c.File << " " << c.Kind << " was accepted";
        } catch (const EZelError& e) {
            std::string message = e.what();
            EXPECT_NE(message.find(path), std::string::npos) << message;
            EXPECT_NE(message.find(c.Expected), std::string::npos) << message;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1))
            << c.File << " " << c.Kind;
    }
}
