#include "ZelBaseAppData.h"

#include "ZelFiles.h"
#include "ZelProcess.h"
#include "ZelSettingsStore.h"

namespace {

std::unique_ptr<TZelBaseAppData>& Current() {
    static std::unique_ptr<TZelBaseAppData> current;
    return current;
}

} // namespace

TZelBaseAppData::TZelBaseAppData(std::string executableName)
    : ExecutableName(executableName.empty()
                         ? ZelChangeFileExt(ZelExtractFileName(ZelExecutablePath()), "")
                         : std::move(executableName)) {}

const std::string& TZelBaseAppData::GetSettingsKey() {
    if (SettingsKey.empty())
        SettingsKey = "Software\\" + GetCompanyName() + "\\" + ExecutableName + "\\1.0";
    return SettingsKey;
}

uint16_t TZelBaseAppData::ReadLocale() {
    try {
        if (auto key = ZelSettings().OpenKey(TZelHive::CurrentUser, GetSettingsKey(), false))
            if (std::optional<int32_t> locale = key->ReadInteger("Locale"))
                return uint16_t(*locale);
    } catch (const EZelSettingsError&) {
    }
    return 0x10;
}

TZelBaseAppData& ZelAppData() {
    if (!Current())
        Current() = std::make_unique<TZelBaseAppData>();
    return *Current();
}

void ZelSetAppData(std::unique_ptr<TZelBaseAppData> data) {
    Current() = std::move(data);
}
