// Installing dictionaries: the keys written, replaced and removed, names no builder serves
// refused, and concurrent installs of one name.
#include "ZelInstaller.h"
#include "ZelDic.h"
#include "ZelErrors.h"
#include "ZelNVDics.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

TEST(Installer, WritesAndRemovesInstallationKeys) {
    TTempHives hives;
    TTempDir dir;
    std::string description = CompileDD6Fixture(dir, "nvmini.xml");
    ZelInstallDictionary(TZelHive::LocalMachine,
                         {"DD6KNV1", description, dir.File("sounds"), dir.File("idx/")});
    auto key = ZelSettings().OpenKey(TZelHive::LocalMachine, "Software\\Zel\\Dics\\DD6KNV1", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadString("").value_or(""), description);
    EXPECT_EQ(key->ReadString("AudioPath").value_or(""), dir.File("sounds") + "/");
    EXPECT_EQ(key->ReadString("IndexPath").value_or(""), dir.File("idx") + "/");
    ZelReleaseDicList(true);
    ZelRegisterNVBuilders();
    EXPECT_EQ(GetDicList()->GetCount(), 2);
    ZelReleaseDicList(true);

    // Installing again replaces the key: no stale value survives.
    ZelInstallDictionary(TZelHive::LocalMachine, {"DD6KNV1", description, "", ""});
    key = ZelSettings().OpenKey(TZelHive::LocalMachine, "Software\\Zel\\Dics\\DD6KNV1", false);
    EXPECT_EQ(key->ReadString("AudioPath").value_or("none"), "none");

    EXPECT_THROW_MSG(ZelInstallDictionary(TZelHive::CurrentUser, {"A\\B", description, "", ""}),
                     EZelError, "Not a valid installation name: \"A\\B\"");
    EXPECT_THROW_MSG(
        ZelInstallDictionary(TZelHive::CurrentUser, {"DD6KNV1", dir.File("none.dd6"), "", ""}),
        EZelError, "No dictionary description at " + dir.File("none.dd6"));
    // A name no builder serves would be registered and never found.
    EXPECT_THROW_MSG(
        ZelInstallDictionary(TZelHive::CurrentUser, {"MyDict", description, "", ""}), EZelError,
        "No dictionary type of Norvel serves the name \"MyDict\": an installation name begins "
        "with one of DD6KNV1, DD6KNVGN1, DD6KNVLL1, DD6KNVLN1, AnnKNV1, DM4KNVEN1, DM4KNVIT1");
    EXPECT_FALSE(ZelUninstallDictionary(TZelHive::CurrentUser, "DD6KNV1"));
    EXPECT_TRUE(ZelUninstallDictionary(TZelHive::LocalMachine, "DD6KNV1"));
    EXPECT_FALSE(ZelSettings().KeyExists(TZelHive::LocalMachine, "Software\\Zel\\Dics\\DD6KNV1"));
}

// Installs of one name running at once: every reader sees the key whole (never empty),
// and the survivor's values all come from one install.
TEST(Installer, ConcurrentInstallsNeverMixOrEmptyAKey) {
    TTempHives hives;
    TTempDir dir;
    std::string description = CompileDD6Fixture(dir, "nvmini.xml");
    const std::string key = "Software\\Zel\\Dics\\DD6KNV1";
    std::vector<pid_t> children;
    for (int w = 0; w < 4; ++w) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string n = std::to_string(w);
            for (int round = 0; round < 30; ++round)
                ZelInstallDictionary(TZelHive::LocalMachine,
                                     {"DD6KNV1", description, "/audio" + n, "/index" + n});
            _exit(0);
        }
        children.push_back(child);
    }
    int seenEmpty = 0;
    for (int probe = 0; probe < 200; ++probe) {
        auto opened = ZelSettings().OpenKey(TZelHive::LocalMachine, key, false);
        if (opened && opened->ReadString("").value_or("").empty())
            ++seenEmpty;
    }
    for (pid_t child : children)
        waitpid(child, nullptr, 0);
    EXPECT_EQ(seenEmpty, 0);
    auto opened = ZelSettings().OpenKey(TZelHive::LocalMachine, key, false);
    ASSERT_TRUE(opened);
    std::string audio = opened->ReadString("AudioPath").value_or("");
    std::string index = opened->ReadString("IndexPath").value_or("");
    ASSERT_EQ(audio.size(), 8u) << audio;
    EXPECT_EQ(index, "/index" + audio.substr(6)) << audio;
}
