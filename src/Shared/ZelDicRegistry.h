// The installation registry: one key per installed dictionary under "Software\Zel\Dics\" in
// the user's and the machine's hive. A key in the user's hive hides a key of the same name
// in the machine's.
#pragma once

#include "ZelDic.h"
#include "ZelSettingsStore.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

extern const char* const ZelDicsRootKey; // "Software\Zel\Dics\"

// Called for each installed dictionary whose key name begins with one of the type
// identifiers; answers false for a dictionary that could not be opened.
using TZelInstalledDicProc =
    std::function<bool(const std::string& installName, TZelSettingsKey& key)>;

// Visits the installed dictionaries of the types, user hive first. A false answer makes
// the result false and skips the rest of that hive.
bool ScanInstalledDics(const std::vector<std::string>& typeIds, const TZelInstalledDicProc& proc);

// Where the files of an installed DD6 dictionary are. The folders end with "/" (a value
// written with "\" separators is read with "/"), and are used by plain concatenation.
struct TZelDD6Installation {
    std::string DescriptionPath;
    std::string AudioFolder;
    std::string IndexFolder;
};

// Reads the installation values of a DD6 dictionary and checks that its description file is
// available (with the Retry/Cancel dialog for removable, remote and optical drives); nothing
// when it is not.
std::optional<TZelDD6Installation> ReadDD6Installation(TZelSettingsKey& key);

// The language pairs an installed dictionary serves, one dictionary object each, in
// creation order: for each source s, first every other source (every source, s included,
// when the dictionary is monolingual), then every additional target.
std::vector<std::pair<TZelLanguage, TZelLanguage>>
ZelDicLanguagePairs(const std::vector<TZelLanguage>& sources,
                    const std::vector<TZelLanguage>& targets, bool monolingual);
