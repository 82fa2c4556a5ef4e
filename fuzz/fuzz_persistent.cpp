// Reads arbitrary bytes as a settings stream into a language configuration: every input
// must load or be skipped, and what loaded must save and load back unchanged.
#include "ZelLangConfig.h"
#include "ZelPersistent.h"

#include <cstdlib>

namespace {
class TSettings : public TZelPersistent {
public:
    const std::vector<TZelPropInfo>& GetProperties() const override {
        static const std::vector<TZelPropInfo> props = {
            ZelObjectProp("LangConfigList", &TSettings::Langs),
            ZelBoolProp("SpellCheckerEnabled", &TSettings::Spell),
            ZelStringsProp("Recent", &TSettings::Recent),
            ZelSetProp("Style", &TSettings::Style, {"fsBold", "fsItalic", "fsUnderline"}),
        };
        return props;
    }
    TZelLangConfigList Langs;
    bool Spell = false;
    std::vector<std::string> Recent;
    uint32_t Style = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> stream = {'Z', 'P', 'S', 1};
    stream.insert(stream.end(), data, data + size);
    TSettings loaded;
    ZelReadPersistent(stream, loaded);
    TSettings again;
    ZelReadPersistent(ZelWritePersistent(loaded), again);
    if (!SamePersistent(&loaded, &again))
        std::abort();
    return 0;
}
