// The settings store: the stand-in for the registry. Two hives, the current user's and the
// machine's, each a tree of keys holding typed values (string, 32-bit integer, binary).
//
// On this platform each hive is one human-editable text file in the form of a registry
// export:
//
//     [Software\Zel\Dics\DD6KNV1]
//     @="/usr/share/norvel/dics/nv.dd6"
//     "Locale"=dword:00000010
//     "Config"=hex:5a,50,53,01,...
//
// Key and value names compare ignoring case. Strings are UTF-8. Reads see the file as it
// is on disk (re-read when it changes); every write locks the hive, re-reads it, applies the
// change and replaces the file atomically (temporary file, fsync, rename), so two processes
// writing at once lose nothing. A malformed hive raises EZelSettingsError naming the file and
// line, and is never overwritten.
//
// Hive files: the user hive is $ZEL_USER_HIVE, else $XDG_CONFIG_HOME/Zel/user.reg (with
// ~/.config for an unset XDG_CONFIG_HOME); the machine hive is $ZEL_MACHINE_HIVE, else
// <folder of the executable>/../etc/Zel/machine.reg.
#pragma once

#include "ZelErrors.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class EZelSettingsError : public EZelError {
public:
    using EZelError::EZelError;
};

enum class TZelHive { CurrentUser, LocalMachine };

// One opened key. Reads answer nothing for a missing value and raise EZelSettingsError when
// the store itself fails; callers that tolerate store errors catch it value by value.
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
    virtual std::vector<std::string> GetValueNames() { return {}; }
    virtual bool DeleteValue(const std::string&) { return false; }
};

class TZelHiveFile;

// The steps of one change to a hive (see TZelSettingsStore::Change). Paths are key paths
// ("Software\Zel\Dics\DD6KNV1"); writing a value creates its key.
class TZelSettingsBatch {
public:
    virtual ~TZelSettingsBatch() = default;
    virtual bool KeyExists(const std::string& path) = 0;
    virtual void CreateKey(const std::string& path) = 0;
    // Deletes the key with everything below it; false when it did not exist.
    virtual bool DeleteKey(const std::string& path) = 0;
    virtual void WriteString(const std::string& path, const std::string& name,
                             const std::string& value) = 0;
    virtual void WriteInteger(const std::string& path, const std::string& name, int32_t value) = 0;
};

class TZelSettingsStore {
public:
    // The process-wide store.
    static TZelSettingsStore& Instance();

    // The key at path ("Software\Zel\Dics"); nullptr when it does not exist and create is
    // false. Creating writes the key (and its parents) to the hive at once.
    std::unique_ptr<TZelSettingsKey> OpenKey(TZelHive hive, const std::string& path, bool create);
    bool KeyExists(TZelHive hive, const std::string& path);
    // Deletes the key with everything below it; false when it did not exist.
    bool DeleteKey(TZelHive hive, const std::string& path);
    // Makes several changes as one: under the hive's lock, on the hive as it is on disk,
    // written in one atomic replacement. Another program never sees them half done, and a
    // kill in the middle leaves the hive as it was. Nothing is written when change raises.
    void Change(TZelHive hive, const std::function<void(TZelSettingsBatch&)>& change);

    std::string GetHivePath(TZelHive hive);
    // Forgets the hive files, so that the next use resolves their paths again (after the
    // environment changed).
    void Reset();

private:
    TZelHiveFile& Hive(TZelHive hive);
    std::shared_ptr<TZelHiveFile> Hives[2];
};

// Parses the text of a hive and writes it back in the store's own layout; raises
// EZelSettingsError (with the line) for a malformed text. Writing the result again gives the
// same text.
std::string ZelNormalizeHiveText(const std::string& text);

// Shorthand for TZelSettingsStore::Instance().
TZelSettingsStore& ZelSettings();

// A value that a store error makes unreadable counts as missing (the caller's default stays).
std::optional<int32_t> ZelReadIntegerOrNone(TZelSettingsKey& key, const std::string& name);

// The folder of the running executable, with no trailing "/".
std::string ZelExecutableFolder();
