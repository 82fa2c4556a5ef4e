#include "ZelInstaller.h"

#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"

#include <filesystem>

namespace {

void CheckName(const std::string& name) {
    if (name.empty() || name.find('\\') != std::string::npos)
        throw EZelError("Not a valid installation name: \"" + name + "\"");
}

std::string AbsoluteFolder(const std::string& folder) {
    if (folder.empty())
        return folder;
    std::string path = std::filesystem::absolute(folder).lexically_normal().string();
    return path.back() == '/' ? path : path + "/";
}

} // namespace

void ZelInstallDictionary(TZelHive hive, const TZelInstallation& installation) {
    CheckName(installation.Name);
    if (!ZelFileExists(installation.DescriptionPath))
        throw EZelError("No dictionary description at " + installation.DescriptionPath);
    std::string key = std::string(ZelDicsRootKey) + installation.Name;
    ZelSettings().DeleteKey(hive, key);
    auto settings = ZelSettings().OpenKey(hive, key, true);
    settings->WriteString(
        "", std::filesystem::absolute(installation.DescriptionPath).lexically_normal().string());
    if (!installation.AudioPath.empty())
        settings->WriteString("AudioPath", AbsoluteFolder(installation.AudioPath));
    if (!installation.IndexPath.empty())
        settings->WriteString("IndexPath", AbsoluteFolder(installation.IndexPath));
}

bool ZelUninstallDictionary(TZelHive hive, const std::string& name) {
    CheckName(name);
    return ZelSettings().DeleteKey(hive, std::string(ZelDicsRootKey) + name);
}
