#include "ZelDicRegistry.h"
#include "ZelDialogs.h"
#include "ZelLangConfig.h"
#include "ZelTestDoubles.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

namespace {

void Install(TZelHive hive, const std::string& name, const std::string& description,
             const std::vector<std::pair<std::string, std::string>>& values = {}) {
    auto key = ZelSettings().OpenKey(hive, std::string(ZelDicsRootKey) + name, true);
    key->WriteString("", description);
    for (const auto& [n, v] : values)
        key->WriteString(n, v);
}

std::vector<std::string> Scan(const std::vector<std::string>& types, bool failOn = false,
                              const std::string& failName = "") {
    std::vector<std::string> found;
    ScanInstalledDics(types, [&](const std::string& name, TZelSettingsKey& key) {
        found.push_back(name + "=" + key.ReadString("").value_or(""));
        return !(failOn && name == failName);
    });
    return found;
}

class TQuietDialogs : public TZelDialogs {
public:
    TZelMsgResult MessageBox(const std::string&, const std::string& text, TZelMsgButtons,
                             TZelMsgIcon) override {
        Texts.push_back(text);
        return TZelMsgResult::Cancel;
    }
    std::vector<std::string> Texts;
};

} // namespace

TEST(DicRegistry, UserKeysHideMachineKeysAndPrefixesAreExact) {
    TTempHives hives;
    Install(TZelHive::LocalMachine, "DD6KNV1", "machine");
    Install(TZelHive::CurrentUser, "dd6knv1", "user, other case");
    Install(TZelHive::LocalMachine, "DD6KNV1B", "second");
    Install(TZelHive::LocalMachine, "DD6KNVGN1", "grammar");
    Install(TZelHive::CurrentUser, "DD6KNVLL1", "user only");
    // The user's dd6knv1 hides the machine's DD6KNV1 (names compare ignoring case), but is
    // itself no dictionary of the type "DD6KNV1" (the type compares exactly).
    EXPECT_EQ(Scan({"DD6KNV1"}), (std::vector<std::string>{"DD6KNV1B=second"}));
    EXPECT_EQ(Scan({"DD6KNVGN1"}), (std::vector<std::string>{"DD6KNVGN1=grammar"}));
    EXPECT_EQ(Scan({"DD6KNVLL1", "DD6KNVGN1"}),
              (std::vector<std::string>{"DD6KNVLL1=user only", "DD6KNVGN1=grammar"}));
    EXPECT_TRUE(Scan({"DM4"}).empty());
}

TEST(DicRegistry, AFailureSkipsTheRestOfThatHiveOnly) {
    TTempHives hives;
    Install(TZelHive::CurrentUser, "DD6KNV1A", "a");
    Install(TZelHive::CurrentUser, "DD6KNV1B", "b");
    Install(TZelHive::LocalMachine, "DD6KNV1C", "c");
    std::vector<std::string> found;
    bool ok = ScanInstalledDics({"DD6KNV1"}, [&](const std::string& name, TZelSettingsKey&) {
        found.push_back(name);
        return name != "DD6KNV1A";
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(found, (std::vector<std::string>{"DD6KNV1A", "DD6KNV1C"}));
}

TEST(DicRegistry, MissingOrBrokenHivesContributeNothing) {
    TTempHives hives;
    EXPECT_TRUE(Scan({"DD6KNV1"}).empty());
    WriteBytes(hives.UserHive(), "[Software\\Zel\\Dics\\DD6KNV1]\n@=broken\n");
    Install(TZelHive::LocalMachine, "DD6KNV1", "machine");
    EXPECT_EQ(Scan({"DD6KNV1"}), (std::vector<std::string>{"DD6KNV1=machine"}));
}

TEST(DicRegistry, InstallationFoldersOfADD6Dictionary) {
    TTempHives hives;
    std::string folder = hives.Folder().Path().string();
    std::string description = folder + "/nv.dd6";
    WriteBytes(description, "LuStyle=1\n");
    Install(TZelHive::CurrentUser, "DD6KNV1", description);
    auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, "Software\\Zel\\Dics\\DD6KNV1", false);
    auto info = ReadDD6Installation(*key);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->DescriptionPath, description);
    EXPECT_EQ(info->AudioFolder, folder + "/");
    EXPECT_EQ(info->IndexFolder, folder + "/");

    key->WriteString("AudioPath", "\\srv\\sounds"); // no trailing separator: kept as written
    key->WriteString("IndexPath", "/var/idx/");
    info = ReadDD6Installation(*key);
    EXPECT_EQ(info->AudioFolder, "/srv/sounds");
    EXPECT_EQ(info->IndexFolder, "/var/idx/");

    auto dialogs = std::make_shared<TQuietDialogs>();
    auto previous = ZelSetDialogs(dialogs);
    key->WriteString("", folder + "/missing.dd6");
    EXPECT_FALSE(ReadDD6Installation(*key));
    ZelSetDialogs(previous);
    EXPECT_EQ(dialogs->Texts,
              (std::vector<std::string>{"Cannot open file " + folder + "/missing.dd6"}));
}

TEST(DicRegistry, LanguagePairsOfAnInstalledDictionary) {
    using P = std::vector<std::pair<TZelLanguage, TZelLanguage>>;
    EXPECT_EQ(ZelDicLanguagePairs({9, 16}, {}, false), (P{{9, 16}, {16, 9}}));
    EXPECT_EQ(ZelDicLanguagePairs({9}, {}, false), (P{{9, 9}}));
    EXPECT_EQ(ZelDicLanguagePairs({9}, {16, 7}, false), (P{{9, 16}, {9, 7}}));
    EXPECT_EQ(ZelDicLanguagePairs({9, 16}, {}, true), (P{{9, 9}, {9, 16}, {16, 9}, {16, 16}}));
    EXPECT_TRUE(ZelDicLanguagePairs({}, {16}, false).empty());
}

// ---------------------------------------------------------------------------------------

namespace {

class TMorphDic : public TFakeDic, public virtual IZelDicMorph {
public:
    using TFakeDic::TFakeDic;
    void* QueryInterface(const ZelGuid& iid) override {
        if (iid == IZelDicMorph::IID)
            return static_cast<IZelDicMorph*>(this);
        return TFakeDic::QueryInterface(iid);
    }
    ZelRef<IZelSentenceItem> Analyze(const std::u16string&) override;
    std::u16string GetConsonants() override { return {}; }
    std::u16string GetVowels() override { return {}; }
};

std::vector<std::string> ViewDics(const TZelDicViewConfig& view) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < view.DicConfigList.GetItemCount(); ++i)
        names.push_back(view.DicConfigList.GetItem(i).GetDisplayName());
    return names;
}

} // namespace

#include "ZelSentenceItem.h"
ZelRef<IZelSentenceItem> TMorphDic::Analyze(const std::u16string&) {
    return nullptr;
}

TEST(LangConfig, NewPairsListEveryInstalledDictionaryOfThePair) {
    InstallDics({ZelMake<TFakeDic>("DD6KNV1_ENIT", 9, 16), ZelMake<TFakeDic>("DD6KNV1_ITEN", 16, 9),
                 ZelMake<TMorphDic>("DM4KNVEN1", 9, 9), ZelMake<TFakeDic>("DD6KNVGN1_ENIT", 9, 16),
                 ZelMake<TFakeDic>("MONO_EN", 9, 9)});
    TZelLangConfigList langs;
    EXPECT_EQ(langs.FindOrAdd(0, 16), nullptr);
    EXPECT_EQ(langs.GetItemCount(), 0);
    TZelLangConfig* enit = langs.FindOrAdd(0x0409, 0x10);
    ASSERT_NE(enit, nullptr);
    EXPECT_EQ(enit->GetDisplayName(), "009-016");
    EXPECT_EQ(enit->GetSourceLang(), 9);
    EXPECT_EQ(enit->GetTargetLang(), 16);
    ASSERT_EQ(enit->DicViewConfigList.GetItemCount(), 1);
    const TZelDicViewConfig& view = enit->DicViewConfigList.GetItem(0);
    EXPECT_EQ(view.GetDisplayName(), "Default View");
    EXPECT_EQ(ViewDics(view),
              (std::vector<std::string>{"DD6KNV1_ENIT", "DD6KNVGN1_ENIT", "MONO_EN"}));
    EXPECT_EQ(view.DicConfigList.GetItem(0).LookupMode, lmAlways);
    EXPECT_EQ(langs.FindOrAdd(9, 16), enit);
    EXPECT_EQ(enit->DicViewConfigList.GetItem(0).DicConfigList.GetItem(1).GetDic()->GetId(),
              "DD6KNVGN1_ENIT");
    ZelReleaseDicList(true);
}

TEST(LangConfig, ValidateFollowsTheInstallation) {
    InstallDics({ZelMake<TFakeDic>("A_ENIT", 9, 16), ZelMake<TFakeDic>("B_ENIT", 9, 16)});
    TZelLangConfigList langs;
    TZelLangConfig* enit = langs.FindOrAdd(9, 16);
    TZelDicConfig& a = enit->DicViewConfigList.GetItem(0).DicConfigList.GetItem(0);
    a.LookupMode = lmNever;
    // A uninstalled, C newly installed: A goes, B keeps its place and settings, C comes last.
    InstallDics({ZelMake<TFakeDic>("C_ENIT", 9, 16), ZelMake<TFakeDic>("B_ENIT", 9, 16)});
    enit->DicViewConfigList.GetItem(0).DicConfigList.GetItem(1).LookupMode = lmIfNotFoundBefore;
    langs.Validate();
    const TZelDicViewConfig& view = enit->DicViewConfigList.GetItem(0);
    EXPECT_EQ(ViewDics(view), (std::vector<std::string>{"B_ENIT", "C_ENIT"}));
    EXPECT_EQ(view.DicConfigList.GetItem(0).LookupMode, lmIfNotFoundBefore);
    EXPECT_EQ(view.DicConfigList.GetItem(1).LookupMode, lmAlways);
    ZelReleaseDicList(true);
}

TEST(LangConfig, RenamingForgetsTheCachedDictionary) {
    InstallDics({ZelMake<TFakeDic>("A_ENIT", 9, 16), ZelMake<TFakeDic>("B_ENIT", 9, 16)});
    TZelDicConfig config;
    config.SetDisplayName("A_ENIT");
    EXPECT_EQ(config.GetDic()->GetId(), "A_ENIT");
    config.SetDisplayName("B_ENIT");
    EXPECT_EQ(config.GetDic()->GetId(), "B_ENIT");
    config.SetDisplayName("gone");
    EXPECT_FALSE(config.GetDic());
    ZelReleaseDicList(true);
}
