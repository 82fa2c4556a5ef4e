#include "ZelTestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

TTempDir::TTempDir() {
    const char* base = std::getenv("NORVEL_TEST_TMP");
    std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(root);
    std::string pattern = (root / "norvel-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder under " + root.string());
    Dir = pattern;
}

TTempDir::~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

#include "ZelSettingsStore.h"

TTempHives::TTempHives() {
    setenv("ZEL_USER_HIVE", UserHive().c_str(), 1);
    setenv("ZEL_MACHINE_HIVE", MachineHive().c_str(), 1);
    ZelSettings().Reset();
}

TTempHives::~TTempHives() {
    unsetenv("ZEL_USER_HIVE");
    unsetenv("ZEL_MACHINE_HIVE");
    ZelSettings().Reset();
}

#include "ZelDD6Compiler.h"

std::string TestData(const std::string& relative) {
    return std::string(NORVEL_TEST_DATA) + "/" + relative;
}

std::string MakeWave(int samples, uint8_t level) {
    auto le = [](uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i)
            out += char((v >> (8 * i)) & 0xFF);
        return out;
    };
    std::string data = std::string(size_t(samples), char(level));
    return "RIFF" + le(uint32_t(36 + data.size()), 4) + "WAVE" + "fmt " + le(16, 4) + le(1, 2) +
           le(1, 2) + le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2) + "data" +
           le(uint32_t(data.size()), 4) + data;
}

std::string CompileDD6Fixture(const TTempDir& dir, const std::string& sourceName) {
    std::filesystem::path src = dir.Path() / "src";
    std::filesystem::create_directories(src / "sounds");
    for (const auto& entry : std::filesystem::directory_iterator(TestData("dd6")))
        std::filesystem::copy_file(entry.path(), src / entry.path().filename(),
                                   std::filesystem::copy_options::overwrite_existing);
    WriteBytes((src / "sounds" / "bank.wav").string(), MakeWave(100, 10));
    WriteBytes((src / "sounds" / "resume.wav").string(), MakeWave(200, 20));
    return ZelCompileDD6((src / sourceName).string(), (dir.Path() / "out").string())
        .DescriptionPath;
}
