// The application's identity in the settings store: its per-user key, "Software\" +
// company + "\" + the executable's base name + "\1.0" (the product "NV" of the company
// "VRD" has Software\VRD\NV\1.0), computed once; and the interface language stored there.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class TZelBaseAppData {
public:
    // executableName: the base name the key is made of; empty for the running executable's.
    explicit TZelBaseAppData(std::string executableName = {});
    virtual ~TZelBaseAppData() = default;

    virtual std::string GetCompanyName() const { return "Zel"; }
    const std::string& GetSettingsKey();
    const std::string& GetExecutableName() const { return ExecutableName; }

    // "Locale" under the key: the interface language, 0x10 (Italian) when it is absent or
    // the store cannot be read.
    uint16_t ReadLocale();

private:
    std::string ExecutableName;
    std::string SettingsKey;
};

// The process-wide application data object (the product installs its own at start-up).
TZelBaseAppData& ZelAppData();
void ZelSetAppData(std::unique_ptr<TZelBaseAppData> data);
