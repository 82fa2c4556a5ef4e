// Helpers shared by the tests: temporary folders and small file utilities.
#pragma once

#include "ZelDialogs.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A fresh folder, removed with everything in it when the object goes away.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return Dir; }
    std::string File(std::string_view name) const { return (Dir / name).string(); }

private:
    std::filesystem::path Dir;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);

// Runs a statement that must raise E, and returns its message.
#define EXPECT_THROW_MSG(statement, E, expected)                                                   \
    do {                                                                                           \
        try {                                                                                      \
            statement;                                                                             \
            ADD_FAILURE() << "no exception from " #statement;                                      \
        } catch (const E& e) {                                                                     \
            EXPECT_EQ(std::string(e.what()), std::string(expected));                               \
        }                                                                                          \
    } while (0)

// Points the settings store at two hive files in a temporary folder for the life of the
// object, and restores the environment afterwards.
class TTempHives {
public:
    TTempHives();
    ~TTempHives();
    std::string UserHive() const { return Dir.File("user.reg"); }
    std::string MachineHive() const { return Dir.File("machine.reg"); }
    const TTempDir& Folder() const { return Dir; }

private:
    TTempDir Dir;
};

// The path of a file under tests/data.
std::string TestData(const std::string& relative);

// A small valid wave image (8-bit mono, 8 kHz) of the given number of samples.
std::string MakeWave(int samples, uint8_t level = 128);

// Copies the fixture folder of a dictionary source (tests/data/dd6) to dir/src, writes the
// wave files its sources name into dir/src/sounds, compiles the source (a file name in that
// folder) into dir/out and returns the description file's path.
std::string CompileDD6Fixture(const TTempDir& dir, const std::string& sourceName);

// Dialogs that show nothing: they record every exception and message text shown, and
// answer every message box with the same result.
class TRecordingDialogs : public TZelDialogs {
public:
    explicit TRecordingDialogs(TZelMsgResult answer = TZelMsgResult::Cancel) : Answer(answer) {}
    void ShowException(const std::exception& e) override { Shown.push_back(e.what()); }
    TZelMsgResult MessageBox(const std::string&, const std::string& text, TZelMsgButtons,
                             TZelMsgIcon) override {
        Shown.push_back(text);
        return Answer;
    }
    std::vector<std::string> Shown;

private:
    TZelMsgResult Answer;
};
