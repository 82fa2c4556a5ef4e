#include "ZelInstaller.h"

#include "ZelDicRegistry.h"
#include "ZelErrors.h"
#include "ZelFiles.h"
#include "ZelNVDics.h"

namespace {

void CheckName(const std::string& name) {
    if (name.empty() || name.find('\\') != std::string::npos)
        throw EZelError("Not a valid installation name: \"" + name + "\"");
}

// The program finds a dictionary only through a builder of its type: the installation
// name begins with the type's identifier.
void CheckServed(const std::string& name) {
    std::string types;
    for (const std::string& type : ZelNVTypeIds()) {
        if (name.compare(0, type.size(), type) == 0)
            return;
        types += (types.empty() ? "" : ", ") + type;
    }
    throw EZelError("No dictionary type of Norvel serves the name \"" + name +
                    "\": an installation name begins with one of " + types);
}

std::string AbsoluteFolder(const std::string& folder) {
    if (folder.empty())
        return folder;
    std::string path = ZelAbsolutePath(folder);
    return path.back() == '/' ? path : path + "/";
}

} // namespace

void ZelInstallDictionary(TZelHive hive, const TZelInstallation& installation) {
    CheckName(installation.Name);
    CheckServed(installation.Name);
    if (!ZelFileExists(installation.DescriptionPath))
        throw EZelError("No dictionary description at " + installation.DescriptionPath);
    std::string key = std::string(ZelDicsRootKey) + installation.Name;
    std::string description = ZelAbsolutePath(installation.DescriptionPath);
    // One change: nobody sees the key empty or half written, and concurrent installs of
    // one name leave one of them whole.
    ZelSettings().Change(hive, [&](TZelSettingsBatch& batch) {
        batch.DeleteKey(key);
        batch.WriteString(key, "", description);
        if (!installation.AudioPath.empty())
            batch.WriteString(key, "AudioPath", AbsoluteFolder(installation.AudioPath));
        if (!installation.IndexPath.empty())
            batch.WriteString(key, "IndexPath", AbsoluteFolder(installation.IndexPath));
    });
}

void ZelInstallTemplates(TZelHive hive, const std::string& folder) {
    std::string absolute = AbsoluteFolder(folder);
    if (absolute.empty() || !ZelFileExists(absolute + "index.xml"))
        throw EZelError("No correspondence templates (index.xml) in " + folder);
    std::string key = std::string(ZelDicsRootKey) + "TypKNV1";
    ZelSettings().Change(hive, [&](TZelSettingsBatch& batch) {
        batch.DeleteKey(key);
        batch.WriteString(key, "", absolute);
    });
}

bool ZelUninstallDictionary(TZelHive hive, const std::string& name) {
    CheckName(name);
    return ZelSettings().DeleteKey(hive, std::string(ZelDicsRootKey) + name);
}
