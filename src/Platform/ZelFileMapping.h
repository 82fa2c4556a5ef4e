// A whole file mapped read-only into memory. The page cache shares the pages between every
// process that maps the same file. An empty file maps nothing and has size 0.
#pragma once

#include <cstdint>
#include <string>

class TZelFileMapping {
public:
    // Raises EZelOSError when the file cannot be opened or mapped, EZelStreamError for a
    // file of 4 GiB or more.
    explicit TZelFileMapping(const std::string& path);
    ~TZelFileMapping();
    TZelFileMapping(const TZelFileMapping&) = delete;
    TZelFileMapping& operator=(const TZelFileMapping&) = delete;

    const uint8_t* Data() const { return View; }
    uint32_t Size() const { return ViewSize; }
    const std::string& Path() const { return FilePath; }

private:
    std::string FilePath;
    const uint8_t* View = nullptr;
    uint32_t ViewSize = 0;
};
