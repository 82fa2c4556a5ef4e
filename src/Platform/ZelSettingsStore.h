// The settings store: a hierarchical store of typed values (the stand-in for the registry).
// TZelSettingsKey is one opened key. Reads return nothing for a missing value and raise
// EZelSettingsError when the store itself fails; callers that must tolerate store errors
// catch that error value by value.
#pragma once

#include "ZelErrors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class EZelSettingsError : public EZelError {
public:
    using EZelError::EZelError;
};

class TZelSettingsKey {
public:
    virtual ~TZelSettingsKey() = default;

    virtual std::optional<int32_t> ReadInteger(const std::string& name) = 0;
    virtual std::optional<std::string> ReadString(const std::string& name) = 0;
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) = 0;
    virtual void WriteInteger(const std::string& name, int32_t value) = 0;
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
    virtual void WriteBinary(const std::string& name, const std::vector<uint8_t>& value) = 0;
    virtual std::vector<std::string> GetSubKeyNames() = 0;
};
