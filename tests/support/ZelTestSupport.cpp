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
