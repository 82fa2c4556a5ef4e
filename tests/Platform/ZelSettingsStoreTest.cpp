#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::unique_ptr<TZelSettingsKey> Open(const char* path, bool create = true,
                                      TZelHive hive = TZelHive::CurrentUser) {
    return ZelSettings().OpenKey(hive, path, create);
}
} // namespace

TEST(SettingsStore, TypedValuesRoundTripThroughAReadableFile) {
    TTempHives hives;
    EXPECT_EQ(ZelSettings().GetHivePath(TZelHive::CurrentUser), hives.UserHive());
    EXPECT_FALSE(Open("Software\\VRD\\NV\\1.0", false));
    auto key = Open("Software\\VRD\\NV\\1.0");
    ASSERT_TRUE(key);
    key->WriteInteger("Locale", 0x10);
    key->WriteString("", "C:\\path with \"quotes\"\nand a line");
    std::vector<uint8_t> blob(100);
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = uint8_t(i * 7);
    key->WriteBinary("Config", blob);

    ZelSettings().Reset(); // read back from the file, not from memory
    auto again = Open("software\\vrd\\nv\\1.0", false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadInteger("LOCALE"), 0x10);
    EXPECT_EQ(again->ReadString(""), "C:\\path with \"quotes\"\nand a line");
    EXPECT_EQ(again->ReadBinary("config"), blob);
    EXPECT_FALSE(again->ReadInteger("Missing"));
    EXPECT_FALSE(again->ReadString("Locale")); // another type counts as absent

    std::string text = ReadBytes(hives.UserHive());
    EXPECT_NE(text.find("[Software\\VRD\\NV\\1.0]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Locale\"=dword:00000010"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Config\"=hex:00,07,0e,"), std::string::npos) << text;
}

TEST(SettingsStore, ReadsHandWrittenHives) {
    TTempHives hives;
    WriteBytes(hives.MachineHive(), "Windows Registry Editor Version 5.00\r\n"
                                    "\r\n"
                                    "; installed by hand\r\n"
                                    "[Software\\Zel\\Dics\\DD6KNV1]\r\n"
                                    "@=\"/opt/nv/nv.dd6\"\r\n"
                                    "\"Blob\"=hex:01,02,\\\r\n"
                                    "  03,ff\r\n"
                                    "\"Short\"=dword:1f\r\n"
                                    "[Software\\Zel\\Dics\\DM4KNVIT1]\r\n"
                                    "[Software\\Zel\\Dics\\Gone]\r\n"
                                    "[-Software\\Zel\\Dics\\Gone]\r\n");
    auto root = Open("Software\\Zel\\Dics", false, TZelHive::LocalMachine);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetSubKeyNames(), (std::vector<std::string>{"DD6KNV1", "DM4KNVIT1"}));
    auto dic = Open("Software\\Zel\\Dics\\DD6KNV1", false, TZelHive::LocalMachine);
    EXPECT_EQ(dic->ReadString(""), "/opt/nv/nv.dd6");
    EXPECT_EQ(dic->ReadBinary("Blob"), (std::vector<uint8_t>{1, 2, 3, 255}));
    EXPECT_EQ(dic->ReadInteger("Short"), 31);
}

TEST(SettingsStore, OddKeyNamesSurviveBeingWrittenBack) {
    TTempHives hives;
    Open("-starts with a dash\\ ends with a bracket]")->WriteString("v", "x");
    EXPECT_THROW(Open("Bad\nname"), EZelSettingsError);
    ZelSettings().Reset();
    EXPECT_EQ(Open("-starts with a dash\\ ends with a bracket]", false)->ReadString("v"), "x");
    std::string text = ReadBytes(hives.UserHive());
    EXPECT_EQ(ZelNormalizeHiveText(text), text);
}

TEST(SettingsStore, MalformedHiveIsReportedAndNeverOverwritten) {
    TTempHives hives;
    std::string bad = "[Software\\A]\n\"ok\"=dword:1\n\"broken\"=dword:xyz\n";
    WriteBytes(hives.UserHive(), bad);
    try {
        Open("Software\\A", false);
        FAIL();
    } catch (const EZelSettingsError& e) {
        EXPECT_EQ(std::string(e.what()), hives.UserHive() + ":3: a dword value needs 1 to 8 "
                                                            "hexadecimal digits");
    }
    EXPECT_THROW(Open("Software\\B", true), EZelSettingsError);
    EXPECT_EQ(ReadBytes(hives.UserHive()), bad);
    // Mended by hand, it is read again.
    WriteBytes(hives.UserHive(), "[Software\\A]\n\"ok\"=dword:1\n");
    EXPECT_EQ(Open("Software\\A", false)->ReadInteger("ok"), 1);
}

// A hive edited by hand and then written by the program keeps the user's comments (with
// the key or value below them), stays a link to the file it points at, and keeps its
// permissions.
TEST(SettingsStore, RewritingAHiveKeepsCommentsLinksAndPermissions) {
    TTempHives hives;
    std::string real = hives.Folder().File("real.reg");
    WriteBytes(real, "Windows Registry Editor Version 5.00\n\n"
                     "; my dictionaries\n[Software\\Zel\\Dics\\Mine]\n"
                     "; where it lives\n@=\"/opt/mine.dd6\"\n\n"
                     "; the end\n");
    ASSERT_EQ(chmod(real.c_str(), 0600), 0);
    ASSERT_EQ(symlink(real.c_str(), hives.UserHive().c_str()), 0);
    Open("Software\\Zel\\Dics\\Added")->WriteInteger("x", 1);

    std::string text = ReadBytes(real);
    EXPECT_NE(text.find("; my dictionaries\n[Software\\Zel\\Dics\\Mine]\n"
                        "; where it lives\n@=\"/opt/mine.dd6\"\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 10), "; the end\n") << text;
    // A comment is one line, even when it looks like a value continued on the next.
    EXPECT_EQ(
        ZelNormalizeHiveText("[A]\n; \"x\"=hex:01,\\\n\"y\"=dword:1\n"),
        "Windows Registry Editor Version 5.00\n\n[A]\n; \"x\"=hex:01,\\\n\"y\"=dword:00000001\n\n");
    EXPECT_EQ(ZelNormalizeHiveText(text), text);
    struct stat st {};
    ASSERT_EQ(lstat(hives.UserHive().c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SettingsStore, DeletesWholeSubtrees) {
    TTempHives hives;
    Open("Software\\Zel\\Dics\\A\\Deep")->WriteInteger("x", 1);
    Open("Software\\Zel\\Dics\\B")->WriteInteger("y", 2);
    EXPECT_TRUE(ZelSettings().DeleteKey(TZelHive::CurrentUser, "Software\\Zel\\Dics\\a"));
    EXPECT_FALSE(ZelSettings().KeyExists(TZelHive::CurrentUser, "Software\\Zel\\Dics\\A\\Deep"));
    EXPECT_TRUE(ZelSettings().KeyExists(TZelHive::CurrentUser, "Software\\Zel\\Dics\\B"));
    EXPECT_FALSE(ZelSettings().DeleteKey(TZelHive::CurrentUser, "Software\\Zel\\Dics\\A"));
    auto b = Open("Software\\Zel\\Dics\\B", false);
    EXPECT_TRUE(b->DeleteValue("Y"));
    EXPECT_TRUE(b->GetValueNames().empty());
}

TEST(SettingsStore, ConcurrentWritersLoseNothing) {
    TTempHives hives;
    constexpr int Writers = 4;
    constexpr int ValuesEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, "Software\\Race", true);
                for (int i = 0; i < ValuesEach; ++i)
                    key->WriteInteger("w" + std::to_string(w) + "_" + std::to_string(i), i);
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ZelSettings().Reset();
    auto key = Open("Software\\Race", false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->GetValueNames().size(), size_t(Writers * ValuesEach));
    for (int w = 0; w < Writers; ++w)
        for (int i = 0; i < ValuesEach; ++i)
            EXPECT_EQ(key->ReadInteger("w" + std::to_string(w) + "_" + std::to_string(i)), i);
}

TEST(SettingsStore, SeesChangesMadeByOthers) {
    TTempHives hives;
    auto key = Open("Software\\X");
    key->WriteInteger("v", 1);
    // Another program rewrites the file.
    WriteBytes(hives.UserHive(), "[Software\\X]\n\"v\"=dword:00000002\n\"w\"=\"new\"\n");
    EXPECT_EQ(key->ReadInteger("v"), 2);
    key->WriteInteger("z", 3);
    EXPECT_EQ(key->ReadString("w"), "new");
}
