// Word-existence tests, as the speller asks them.
#pragma once

#include "ZelBase.h"

#include <cstdint>
#include <string>

class IZelWordChecker : public virtual IZelUnknown {
public:
    static constexpr ZelGuid IID = ZelMakeGuid("{B8484681-8CE9-11D4-94F7-308455C1010C}");

    virtual bool WordExists(const char16_t* text, int32_t length) = 0;
    virtual bool WordExists(const std::u16string& text) = 0;
};
