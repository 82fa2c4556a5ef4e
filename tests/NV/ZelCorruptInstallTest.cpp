// A damaged installation: each file of the sample main dictionary and of the Italian
// morphology in turn truncated, zeroed in its middle, or overwritten with random bytes.
// Opening the installation and using it must give clear errors (EZelError) for the
// damaged dictionary, keep the undamaged ones working, and never crash.
#include "ZelDialogs.h"
#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelNVDics.h"
#include "ZelSentenceItem.h"
#include "ZelSettingsStore.h"
#include "ZelTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

namespace fs = std::filesystem;

namespace {

enum class TDamage { Truncate, ZeroMiddle, Random };

void Damage(const fs::path& file, TDamage damage, std::mt19937& random) {
    std::string bytes = ReadBytes(file.string());
    switch (damage) {
    case TDamage::Truncate:
        bytes.resize(bytes.size() / 2);
        break;
    case TDamage::ZeroMiddle:
        for (size_t i = bytes.size() / 3; i < 2 * bytes.size() / 3; ++i)
            bytes[i] = 0;
        break;
    case TDamage::Random:
        for (char& c : bytes)
            c = char(random());
        break;
    }
    WriteBytes(file.string(), bytes);
}

// A copy of a folder whose files are hard links, but for one file that is copied (so it
// can be damaged without touching the build's installation).
void LinkCopy(const fs::path& from, const fs::path& to, const std::string& copied) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        fs::path target = to / entry.path().filename();
        if (entry.path().filename() == copied)
            fs::copy_file(entry.path(), target);
        else
            fs::create_hard_link(entry.path(), target);
    }
}

// Uses every dictionary of the list; returns the ids whose use raised EZelError.
std::set<std::string> UseEverything(IZelDicList& list) {
    std::set<std::string> failed;
    for (int32_t i = 0; i < list.GetCount(); ++i) {
        ZelRef<IZelDic> dic = list.GetDic(i);
        try {
            if (ZelRef<IZelDicMorph> morph = ZelQuery<IZelDicMorph>(dic)) {
                morph->Analyze(u"Le case sono belle, per esempio.");
                if (ZelRef<IZelWordChecker> checker = ZelQuery<IZelWordChecker>(dic))
                    checker->WordExists(u"casa");
                continue;
            }
            for (const char16_t* word : {u"casa", u"house", u"piacere", u"bello", u"zzz"})
                if (ZelRef<IZelArrayCursor> found = dic->LookupLu(word, word, -1, 0))
                    for (int32_t e = 0; e < found->GetCount(); ++e) {
                        found->SetIndex(e);
                        dic->GetEntryRtf(*ZelQuery<IZelLu>(found), 0);
                    }
            ZelRef<IZelArrayCursor> entries = dic->GetEntries();
            ZelRef<IZelLu> lu = ZelQuery<IZelLu>(entries);
            for (int32_t e = 0; entries && e < entries->GetCount(); e += 97) {
                entries->SetIndex(e);
                lu->GetWideText();
            }
        } catch (const EZelError& e) {
            EXPECT_FALSE(std::string(e.what()).empty());
            if (getenv("NORVEL_SHOW_ERRORS"))
                std::printf("%s: %s\n", dic->GetId().c_str(), e.what());
            failed.insert(dic->GetId());
        }
    }
    return failed;
}

} // namespace

TEST(CorruptInstallation, DamagedFilesGiveErrorsAndTheRestWorks) {
    TTempHives hives;
    // The build's sample installation, found beside the test programs.
    unsetenv("ZEL_MACHINE_HIVE");
    ZelSettings().Reset();
    fs::path hive = ZelSettings().GetHivePath(TZelHive::LocalMachine);
    if (!ZelFileExists(hive.string()))
        GTEST_SKIP() << "the sample installation is not built";
    fs::path sample = hive.parent_path().parent_path().parent_path() / "share" / "norvel";
    setenv("ZEL_MACHINE_HIVE", hives.MachineHive().c_str(), 1);
    ZelSettings().Reset();
    auto dialogs = std::make_shared<TRecordingDialogs>();
    auto previous = ZelSetDialogs(dialogs);

    std::mt19937 random(20261210);
    int cases = 0, startupErrors = 0, useErrors = 0;
    for (const std::string& folder : {std::string("main"), std::string("morph-it")}) {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(sample / folder))
            files.push_back(entry.path().filename().string());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            for (TDamage damage : {TDamage::Truncate, TDamage::ZeroMiddle, TDamage::Random}) {
                SCOPED_TRACE(folder + "/" + file + " damage " + std::to_string(int(damage)));
                TTempDir work;
                fs::path damaged = work.Path() / folder;
                LinkCopy(sample / folder, damaged, file);
                Damage(damaged / file, damage, random);
                fs::path main = folder == "main" ? damaged : sample / "main";
                fs::path morph = folder == "morph-it" ? damaged : sample / "morph-it";
                auto install = [](const std::string& name, const fs::path& description) {
                    ZelSettings()
                        .OpenKey(TZelHive::LocalMachine, std::string(ZelDicsRootKey) + name, true)
                        ->WriteString("", description.string());
                };
                install("DD6KNV1", main / "norvel.dd6");
                install("DD6KNVGN1", sample / "gn" / "gn.dd6");
                install("DM4KNVIT1", morph / "dm4it.dm4");
                ++cases;
                ZelReleaseDicList(true);
                ZelRegisterNVBuilders();
                ZelRef<IZelDicList> list;
                try {
                    list = GetDicList();
                } catch (const EZelError& e) {
                    ++startupErrors; // a damaged description stops start-up with its message
                    EXPECT_FALSE(std::string(e.what()).empty());
                    if (getenv("NORVEL_SHOW_ERRORS"))
                        std::printf("start-up: %s\n", e.what());
                    continue;
                }
                std::set<std::string> failed = UseEverything(*list);
                useErrors += int(failed.size());
                // The grammar notes were not touched: they always work.
                EXPECT_FALSE(failed.count("DD6KNVGN1_ITEN") || failed.count("DD6KNVGN1_ENIT"));
                for (const std::string& id : failed)
                    EXPECT_TRUE(id.rfind(folder == "main" ? "DD6KNV1_" : "DM4KNVIT1", 0) == 0)
                        << id;
            }
    }
    ZelReleaseDicList(true);
    ZelSetDialogs(previous);
    EXPECT_GT(cases, 40);
    EXPECT_GT(startupErrors + useErrors, 10); // the damage was noticed, not ignored
    std::printf("%d damaged installations: %d stopped start-up, %d dictionary errors in use\n",
                cases, startupErrors, useErrors);
}
