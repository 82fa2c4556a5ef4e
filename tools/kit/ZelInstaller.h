// Installing a dictionary: the key of its installation name in a hive of the settings
// store, holding the path of its description file (and optionally its sound and index
// folders). The program finds its dictionaries through these keys at start-up.
#pragma once

#include "ZelSettingsStore.h"

#include <string>

struct TZelInstallation {
    std::string Name;            // the installation name, e.g. "DD6KNV1"
    std::string DescriptionPath; // made absolute
    std::string AudioPath;       // optional folder
    std::string IndexPath;       // optional folder
};

// Writes the installation key, replacing an earlier one of the same name. Raises EZelError
// for a name that is empty or holds a "\" and for a description file that does not exist.
void ZelInstallDictionary(TZelHive hive, const TZelInstallation& installation);

// The correspondence templates' folder, registered as "TypKNV1" (the folder, with a final
// "/"). Raises EZelError when the folder holds no "index.xml".
void ZelInstallTemplates(TZelHive hive, const std::string& folder);

// Removes the installation key; false when there was none.
bool ZelUninstallDictionary(TZelHive hive, const std::string& name);
