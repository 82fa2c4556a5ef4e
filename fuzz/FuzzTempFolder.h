// Private temporary folders for a fuzz target's files, removed when the process exits.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

inline std::string FuzzTempFolder(const std::string& name) {
    static std::vector<std::string> created;
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    if (created.empty())
        std::atexit([] {
            for (const std::string& folder : created) {
                std::error_code ignored;
                std::filesystem::remove_all(folder, ignored);
            }
        });
    created.push_back(pattern);
    return pattern;
}
