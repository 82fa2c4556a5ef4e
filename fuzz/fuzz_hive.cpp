// Parses arbitrary text as a settings hive. A text that parses must write back to a text
// that parses to the same thing: nothing a user may put in a hive is lost or mangled.
#include "ZelSettingsStore.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string once;
    try {
        once = ZelNormalizeHiveText(text);
    } catch (const EZelSettingsError&) {
        return 0;
    }
    if (ZelNormalizeHiveText(once) != once)
        std::abort();
    return 0;
}
