#include "ZelDicRegistry.h"

#include "ZelDialogs.h"
#include "ZelFiles.h"
#include "ZelHelpers.h"
#include "ZelUtils.h"

#include <algorithm>
#include <set>

const char* const ZelDicsRootKey = "Software\\Zel\\Dics\\";

namespace {

bool StartsWithAny(const std::string& name, const std::vector<std::string>& prefixes) {
    for (const auto& p : prefixes)
        if (name.compare(0, p.size(), p) == 0)
            return true;
    return false;
}

// A hive that cannot be read hides every dictionary installed in it: the user is told why
// (its file and line), once per process for each distinct fault, and the other hive is
// still used.
void ReportHiveError(const EZelSettingsError& e) {
    static std::set<std::string> reported;
    if (reported.insert(e.what()).second)
        ZelDialogs().ShowException(e);
}

std::vector<std::string> SubKeyNames(TZelHive hive) {
    try {
        auto root = ZelSettings().OpenKey(hive, ZelDicsRootKey, false);
        return root ? root->GetSubKeyNames() : std::vector<std::string>{};
    } catch (const EZelSettingsError& e) {
        ReportHiveError(e);
        return {};
    }
}

// A folder value with "/" separators and its trailing "/" as written (plain concatenation
// relies on the installer to have put it there).
std::string FolderValue(TZelSettingsKey& key, const char* name, const std::string& fallback) {
    std::optional<std::string> value;
    try {
        value = key.ReadString(name);
    } catch (const EZelSettingsError&) {
    }
    if (!value)
        return fallback;
    std::replace(value->begin(), value->end(), '\\', '/');
    return *value;
}

} // namespace

bool ScanInstalledDics(const std::vector<std::string>& typeIds, const TZelInstalledDicProc& proc) {
    bool result = true;
    std::vector<std::string> seen;
    for (TZelHive hive : {TZelHive::CurrentUser, TZelHive::LocalMachine}) {
        std::vector<std::string> names = SubKeyNames(hive);
        for (const std::string& name : names) {
            bool hidden = std::any_of(seen.begin(), seen.end(), [&](const std::string& s) {
                return ZelSameTextAscii(s, name);
            });
            if (hidden || !StartsWithAny(name, typeIds))
                continue;
            std::unique_ptr<TZelSettingsKey> key;
            try {
                key = ZelSettings().OpenKey(hive, ZelDicsRootKey + name, false);
            } catch (const EZelSettingsError&) {
            }
            if (key && !proc(name, *key)) {
                result = false;
                break;
            }
        }
        seen.insert(seen.end(), names.begin(), names.end());
    }
    return result;
}

std::optional<TZelDD6Installation> ReadDD6Installation(TZelSettingsKey& key) {
    TZelDD6Installation info;
    try {
        info.DescriptionPath = key.ReadString("").value_or("");
    } catch (const EZelSettingsError&) {
    }
    std::replace(info.DescriptionPath.begin(), info.DescriptionPath.end(), '\\', '/');
    if (!CheckFileAvailable(info.DescriptionPath))
        return std::nullopt;
    std::string folder = ZelExtractFileDir(info.DescriptionPath);
    folder = folder.empty() ? std::string() : (folder == "/" ? folder : folder + "/");
    info.AudioFolder = FolderValue(key, "AudioPath", folder);
    info.IndexFolder = FolderValue(key, "IndexPath", folder);
    return info;
}

std::vector<std::pair<TZelLanguage, TZelLanguage>>
ZelDicLanguagePairs(const std::vector<TZelLanguage>& sources,
                    const std::vector<TZelLanguage>& targets, bool monolingual) {
    monolingual = monolingual || (sources.size() <= 1 && targets.empty());
    std::vector<std::pair<TZelLanguage, TZelLanguage>> pairs;
    for (size_t i = 0; i < sources.size(); ++i) {
        for (size_t j = 0; j < sources.size(); ++j)
            if (j != i || monolingual)
                pairs.emplace_back(sources[i], sources[j]);
        for (TZelLanguage t : targets)
            pairs.emplace_back(sources[i], t);
    }
    return pairs;
}
