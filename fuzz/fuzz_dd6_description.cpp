// Parses arbitrary text as a DD6 description: values or a clean conversion error.
#include "ZelDD6.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        TZelDD6Description d = ZelParseDD6Description(text, "fuzz.dd6");
        volatile size_t n = d.SourceLangs.size() + d.TargetLangs.size() + d.Name.size();
        (void)n;
    } catch (const EZelError&) {
    }
    return 0;
}
