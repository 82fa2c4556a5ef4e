#include "ZelResStrings.h"

namespace {

const char* const DefaultTexts[] = {
#define ZEL_RES_TEXT(name, text) text,
    ZEL_RESOURCE_STRINGS(ZEL_RES_TEXT)
#undef ZEL_RES_TEXT
};

const char* const Names[] = {
#define ZEL_RES_NAME(name, text) #name,
    ZEL_RESOURCE_STRINGS(ZEL_RES_NAME)
#undef ZEL_RES_NAME
};

TZelResStringProvider& Provider() {
    static TZelResStringProvider provider;
    return provider;
}

bool IsValid(TZelResId id) {
    return int(id) >= 0 && id < TZelResId::Count;
}

} // namespace

const char* ZelDefaultStr(TZelResId id) {
    return IsValid(id) ? DefaultTexts[int(id)] : "";
}

const char* ZelResName(TZelResId id) {
    return IsValid(id) ? Names[int(id)] : "";
}

std::string ZelLoadStr(TZelResId id) {
    if (Provider())
        if (auto text = Provider()(id))
            return *text;
    return ZelDefaultStr(id);
}

void ZelSetResStringProvider(TZelResStringProvider provider) {
    Provider() = std::move(provider);
}

namespace {
uint16_t& InterfaceLanguage() {
    static uint16_t language = 0x09;
    return language;
}
} // namespace

uint16_t ZelGetInterfaceLanguage() {
    return InterfaceLanguage();
}

void ZelSetInterfaceLanguage(uint16_t language) {
    InterfaceLanguage() = language;
}
