#include "ZelUtils.h"
#include "ZelCodePage.h"
#include "ZelCommandLine.h"
#include "ZelDialogs.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

TEST(Utils, LanguageNamesAndIdentifiers) {
    EXPECT_EQ(GetLangAbbrev2(0x10), "IT");
    EXPECT_EQ(GetLangAbbrev2(0x09), "EN");
    EXPECT_EQ(GetLangAbbrev3(0x10), "ITA");
    EXPECT_EQ(GetLangAbbrev3(0x0809), "ENG");
    EXPECT_EQ(GetLangAbbrev3(0x07), "DEU");
    EXPECT_EQ(GetNativeLangName(0x10), "italiano");
    EXPECT_EQ(GetNativeLangName(0x09), "English");
    EXPECT_EQ(GetNativeLangName(0x0C), ZelWideToCodePage(u"français", 1252));
    EXPECT_THROW(GetLocaleString(0x10, 0x7777), EZelOSError);
    static_assert(MakeLangId(0x110, 1) == 0x0410);
    static_assert(PrimaryLangId(0x0410) == 0x10 && SubLangId(0x0810) == 2);
    static_assert(MakeLcid(0x0410, 1) == 0x10410);
}

TEST(Utils, CodePagesAndComparison) {
    std::string invalid = "\x81\x8d";
    EXPECT_EQ(ConvertCodePage(invalid, 1250, 1250), invalid);
    EXPECT_EQ(ConvertCodePage("\x8a", 1252, 1250), "\x8a"); // Š in both
    EXPECT_EQ(WideToCodePage(std::u16string(u"ab\0cd", 5), 1252), "ab");
    EXPECT_EQ(CompareTextLocale("CITT\xc0", "citta", 0x10), 0);
    EXPECT_EQ(CompareTextLocale("alfa", "beta", 0x10), -1);
}

TEST(Utils, CategoryNames) {
    const TZelCatIdList& cats = ZelCatIdList();
    EXPECT_EQ(cats.GetCount(), 14);
    EXPECT_EQ(cats.GetCatId(0), "undefined");
    EXPECT_EQ(cats.GetCatId(4), "v");
    EXPECT_EQ(cats.GetCatId(13), "art");
    EXPECT_EQ(cats.GetCatId(14), "");
    EXPECT_EQ(cats.GetCatId(255), "");
    EXPECT_EQ(cats.Get(2), "ERROR");
}

TEST(Utils, WordCharacters) {
    EXPECT_TRUE(IsCharOfWord(u'é'));
    EXPECT_TRUE(IsCharOfWord(u'-'));
    EXPECT_TRUE(IsCharOfWord(u'Ж'));
    EXPECT_FALSE(IsCharOfWord(u'\''));
    EXPECT_FALSE(IsCharOfWord(u'7'));
    EXPECT_FALSE(IsCharOfWord(u' '));
}

TEST(Utils, CommandLineSwitches) {
    ZelSetCommandLine({"-NS", "/nl", "--xx", "file.txt"});
    EXPECT_TRUE(IsCmdLineSwitch("ns"));
    EXPECT_TRUE(IsCmdLineSwitch("NL"));
    EXPECT_FALSE(IsCmdLineSwitch("xx"));
    EXPECT_FALSE(IsCmdLineSwitch("file.txt"));
    ZelSetCommandLine({"ns"});
    EXPECT_FALSE(IsCmdLineSwitch("ns"));
    ZelSetCommandLine(std::vector<std::string>{});
}

TEST(Utils, NumbersBooleansAndReplacing) {
    EXPECT_FALSE(StrToBool(""));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_TRUE(StrToBool("2"));
    EXPECT_TRUE(StrToBool(" -1 "));
    // One boolean rule everywhere: words and numbers, in any case, blanks around.
    EXPECT_TRUE(StrToBool(" Yes "));
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_FALSE(StrToBool("off"));
    EXPECT_FALSE(StrToBool("maybe"));
    EXPECT_EQ(ZelStrToInt("$1F"), 31);
    EXPECT_EQ(ZelStrToInt("0x10"), 16);
    EXPECT_THROW(ZelStrToInt("99999999999999999999"), EZelConvertError);

    std::string text = "aaaa";
    ReplaceAll("aa", text, "b");
    EXPECT_EQ(text, "bb");
    text = "a.b.c";
    ReplaceAll(".", text, "..");
    EXPECT_EQ(text, "a..b..c");

    EXPECT_EQ(WideReplace(u"Casa casa CASA", u"casa", u"x", 0), u"Casa x CASA");
    EXPECT_EQ(WideReplace(u"Casa casa CASA", u"casa", u"x", ZelReplaceAll), u"Casa x CASA");
    EXPECT_EQ(WideReplace(u"Casa casa CASA", u"casa", u"x", ZelReplaceIgnoreCase), u"x casa CASA");
    EXPECT_EQ(WideReplace(u"Casa casa CASA", u"CASA", u"x", ZelReplaceAll | ZelReplaceIgnoreCase),
              u"x x x");
    EXPECT_EQ(WideReplace(u"città Città", u"CITTÀ", u"-", 3), u"- -");
}

namespace {

// Answers the message boxes from a script, and can make the file appear after a Retry.
class TScriptedDialogs : public TZelDialogs {
public:
    TZelMsgResult MessageBox(const std::string& caption, const std::string& text,
                             TZelMsgButtons buttons, TZelMsgIcon) override {
        Shown.push_back(caption + "|" + text +
                        (buttons == TZelMsgButtons::RetryCancel ? "|RC" : "|OK"));
        if (OnShow)
            OnShow(int(Shown.size()));
        if (buttons == TZelMsgButtons::Ok)
            return TZelMsgResult::Ok;
        return int(Shown.size()) < RetriesBeforeCancel + 1 ? TZelMsgResult::Retry
                                                           : TZelMsgResult::Cancel;
    }
    std::vector<std::string> Shown;
    int RetriesBeforeCancel = 0;
    std::function<void(int)> OnShow;
};

class TFileAvailability : public ::testing::Test {
protected:
    void SetUp() override { Previous = ZelSetDialogs(Dialogs); }
    void TearDown() override {
        ZelSetDialogs(Previous);
        ZelSetDriveTypeProvider(nullptr);
    }
    std::shared_ptr<TScriptedDialogs> Dialogs = std::make_shared<TScriptedDialogs>();
    std::shared_ptr<TZelDialogs> Previous;
    TTempDir Dir;
};

} // namespace

TEST_F(TFileAvailability, ExistingFileNeedsNoQuestion) {
    std::string path = Dir.File("here.dd6");
    WriteBytes(path, "x");
    EXPECT_TRUE(CheckFileAvailable(path));
    EXPECT_TRUE(Dialogs->Shown.empty());
}

TEST_F(TFileAvailability, MissingFileOnAFixedDriveIsReportedOnce) {
    std::string path = Dir.File("absent.dd6");
    EXPECT_FALSE(CheckFileAvailable(path));
    EXPECT_EQ(Dialogs->Shown, (std::vector<std::string>{"Error|Cannot open file " + path + "|OK"}));
}

TEST_F(TFileAvailability, RemovableDrivesAskUntilTheFileComesOrTheUserCancels) {
    std::string path = Dir.File("disc.dd6");
    ZelSetDriveTypeProvider([](const std::string&) { return TZelDriveType::CdRom; });
    Dialogs->RetriesBeforeCancel = 5;
    Dialogs->OnShow = [&](int shown) {
        if (shown == 3)
            WriteBytes(path, "inserted");
    };
    EXPECT_TRUE(CheckFileAvailable(path));
    ASSERT_EQ(Dialogs->Shown.size(), 3u);
    EXPECT_EQ(Dialogs->Shown[0], "Error|Cannot open file " + path + " (on a CD ROM).|RC");

    std::string other = Dir.File("never.dd6");
    Dialogs->Shown.clear();
    Dialogs->OnShow = nullptr;
    Dialogs->RetriesBeforeCancel = 1;
    ZelSetDriveTypeProvider([](const std::string&) { return TZelDriveType::Remote; });
    EXPECT_FALSE(CheckFileAvailable(other));
    EXPECT_EQ(Dialogs->Shown.size(), 2u);
    EXPECT_EQ(Dialogs->Shown[1], "Error|Cannot open file " + other + " (on a remote drive).|RC");
}

TEST(Files, DriveTypesOfThisMachine) {
    EXPECT_EQ(ZelGetDriveType("relative/name.dd6"), TZelDriveType::Fixed);
    EXPECT_EQ(ZelGetDriveType("/"), TZelDriveType::Fixed);
}

TEST(Files, AtomicWriteKeepsABackup) {
    TTempDir dir;
    std::string path = dir.File("sub/notes.xml");
    ZelWriteFileAtomic(path, "one");
    ZelWriteFileAtomic(path, "two", true);
    EXPECT_EQ(ReadBytes(path), "two");
    EXPECT_EQ(ReadBytes(path + "~"), "one");
    EXPECT_EQ(ZelExtractFileName(path), "notes.xml");
    EXPECT_EQ(ZelChangeFileExt(path, "_info.kv0"), dir.File("sub/notes_info.kv0"));
    EXPECT_EQ(ZelChangeFileExt("/a.b/c", ".x"), "/a.b/c.x");
}
