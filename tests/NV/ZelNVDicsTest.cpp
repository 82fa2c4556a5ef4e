#include "ZelNVDics.h"
#include "ZelDM4Compiler.h"
#include "ZelDialogs.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelLangList.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

void Install(const std::string& name, const std::string& description) {
    auto key =
        ZelSettings().OpenKey(TZelHive::LocalMachine, std::string(ZelDicsRootKey) + name, true);
    key->WriteString("", description);
}

class TNVFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ZelReleaseDicList(true);
        ZelRegisterNVBuilders();
        Main = CompileDD6Fixture(MainDir, "nvmini.xml");
        Notes = CompileDD6Fixture(NotesDir, "nvmini.xml");
        Previous = ZelSetDialogs(Dialogs);
    }
    void TearDown() override {
        ZelSetDialogs(Previous);
        ZelReleaseDicList(true);
    }
    TTempHives Hives;
    TTempDir MainDir, NotesDir;
    std::string Main, Notes;
    std::shared_ptr<TRecordingDialogs> Dialogs = std::make_shared<TRecordingDialogs>();
    std::shared_ptr<TZelDialogs> Previous;
};

std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    ZelRef<IZelDicList> list = GetDicList();
    for (int32_t i = 0; i < list->GetCount(); ++i)
        ids.push_back(list->GetDic(i)->GetId());
    return ids;
}

} // namespace

TEST_F(TNVFixture, BuildersRunInTheProductsOrder) {
    Install("DD6KNVLL1", Notes);
    Install("DD6KNV1", Main);
    // No key for the grammar notes at all: that builder adds nothing and raises nothing.
    EXPECT_EQ(Ids(), (std::vector<std::string>{"DD6KNV1_ENIT", "DD6KNV1_ITEN", "DD6KNVLL1_ENIT",
                                               "DD6KNVLL1_ITEN"}));
    ZelRef<IZelDic> main = GetDicList()->GetDic(0);
    EXPECT_TRUE(main->MultiwordsShownByDefault()); // it has a multi-word filter
    EXPECT_FALSE(GetDicList()->GetDic(1)->MultiwordsShownByDefault());
    EXPECT_TRUE(Dialogs->Shown.empty());
}

TEST_F(TNVFixture, EachPairSeesItsDictionariesInTheProductsOrder) {
    TTempDir annDir, data;
    setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
    std::string ann = CompileDD6Fixture(annDir, "ann.xml");
    Install("AnnKNV1", ann);
    TTempDir morphology;
    Install("DM4KNVIT1",
            ZelCompileDM4(TestData("dm4/it-mini.tsv"), morphology.File("it")).DescriptionPath);
    Install("DM4KNVEN1",
            ZelCompileDM4(TestData("dm4/en-mini.tsv"), morphology.File("en")).DescriptionPath);
    Install("DD6KNVLN1", Notes);
    Install("DD6KNVLL1", Notes);
    Install("DD6KNVGN1", Notes);
    Install("DD6KNV1", Main);
    ZelRef<TZelInterfaceList> pair = ZelMake<TZelInterfaceList>();
    CollectDics(ZelLangItalian, ZelLangEnglish, *pair, IZelDic::IID);
    std::vector<std::string> ids;
    for (int32_t i = 0; i < pair->GetCount(); ++i)
        ids.push_back(ZelQuery<IZelDic>(pair->Get(i))->GetId());
    // The language's own morphology counts as a dictionary of the pair too.
    EXPECT_EQ(ids, (std::vector<std::string>{"DD6KNV1_ITEN", "DD6KNVGN1_ITEN", "DD6KNVLL1_ITEN",
                                             "DD6KNVLN1_ITEN", "AnnKNV1_ITEN", "DM4KNVIT1"}));
    CollectDics(ZelLangItalian, ZelLangEnglish, *pair, IZelDicEditable::IID);
    ASSERT_EQ(pair->GetCount(), 1);
    // The whole list: the five DD6 types, each in both directions, then the morphologies.
    EXPECT_EQ(Ids(), (std::vector<std::string>{"DD6KNV1_ENIT", "DD6KNV1_ITEN", "DD6KNVGN1_ENIT",
                                               "DD6KNVGN1_ITEN", "DD6KNVLL1_ENIT", "DD6KNVLL1_ITEN",
                                               "DD6KNVLN1_ENIT", "DD6KNVLN1_ITEN", "AnnKNV1_ENIT",
                                               "AnnKNV1_ITEN", "DM4KNVEN1", "DM4KNVIT1"}));
    ZelReleaseDicList(true);
    unsetenv("XDG_DATA_HOME");
}

TEST_F(TNVFixture, AMissingDictionaryStopsTheStartUp) {
    Install("DD6KNV1", Main);
    Install("DD6KNVGN1", MainDir.File("out/deleted.dd6"));
    EXPECT_THROW_MSG(GetDicList(), EZelError,
                     "A dictionary was not found: the application will be terminated");
    EXPECT_EQ(Dialogs->Shown,
              (std::vector<std::string>{"Cannot open file " + MainDir.File("out/deleted.dd6"),
                                        "A dictionary was not found: the application will be "
                                        "terminated"}));
}

TEST_F(TNVFixture, LanguagePairsOfTheProductBuilders) {
    TZelLangList& langs = ZelLangList();
    langs.Rebuild();
    ASSERT_EQ(langs.GetCount(), 2);
    EXPECT_EQ(langs.GetSource(0), ZelLangEnglish);
    EXPECT_EQ(langs.GetTarget(0, 0), ZelLangItalian);
    EXPECT_EQ(langs.GetSource(1), ZelLangItalian);
    EXPECT_EQ(langs.GetTarget(1, 0), ZelLangEnglish);
    langs.Clear();
}
