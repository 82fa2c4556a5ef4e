// Files and folders: atomic replacement of a file, the user's folders, and the kind of
// drive a file lives on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The path made absolute (against the current folder) and normalised ("a/./b/../c" is
// "a/c"); links are not followed.
std::string ZelAbsolutePath(const std::string& path);

// The folder part of a path, without the trailing "/" ("" for a bare name).
std::string ZelExtractFileDir(const std::string& path);
// The file-name part of a path.
std::string ZelExtractFileName(const std::string& path);
// The path without its extension (the part after the last "." of the file name).
std::string ZelChangeFileExt(const std::string& path, const std::string& ext);

// Whether something other than a folder is at the path (a file, or a named pipe or device
// where a file was expected, which the readers then refuse by name).
bool ZelFileExists(const std::string& path);
bool ZelDirectoryExists(const std::string& path);
// Creates a folder and its parents; raises EZelOSError when that fails.
void ZelCreateFolders(const std::string& path);

// The largest file ZelReadWholeFile reads unless told otherwise.
constexpr uint64_t ZelMaxReadSize = uint64_t(256) << 20;

// The whole content of a regular file; raises EZelOSError when it cannot be read, when it is
// not a regular file (a named pipe, a device, a folder), or when it is larger than maxSize.
// Never blocks on a named pipe.
std::string ZelReadWholeFile(const std::string& path, uint64_t maxSize = ZelMaxReadSize);

// Holds an exclusive lock on path + ".lock" (created when missing) for its lifetime, so
// that read-modify-write cycles of one file by several processes follow one another.
class TZelFileLock {
public:
    explicit TZelFileLock(const std::string& path);
    ~TZelFileLock();
    TZelFileLock(const TZelFileLock&) = delete;
    TZelFileLock& operator=(const TZelFileLock&) = delete;

private:
    int Fd = -1;
};

// A file's identity and state (device, inode, size, modification time): equal stamps mean
// the file has not been replaced or changed in between.
struct TZelFileStamp {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t MtimeNs = 0;
    bool operator==(const TZelFileStamp&) const = default;
};
TZelFileStamp ZelFileStamp(const std::string& path);

// Replaces a file without ever leaving it half written: the bytes go to a temporary file in
// the same folder, which is flushed to disk and renamed over the old one. With keepBackup,
// the old file is kept as path + "~" first. Raises EZelOSError on failure, leaving the old
// file as it was. A symbolic link is written through (its target is replaced, the link
// stays), the old file's permissions are kept, and temporary files that earlier writers
// left behind when they were killed are removed.
void ZelWriteFileAtomic(const std::string& path, std::string_view bytes, bool keepBackup = false);

// The names of the entries of a folder (not "." and ".."), sorted; raises EZelOSError when
// the folder cannot be read.
std::vector<std::string> ZelListFolder(const std::string& folder);
// Removes a file; false when there was none. Raises EZelOSError for any other failure.
bool ZelRemoveFile(const std::string& path);
// Removes a folder and everything in it (links are removed, never followed).
void ZelRemoveTree(const std::string& folder);
// Renames a file, replacing one at the new name in a single step (both in one file system).
void ZelRenameFile(const std::string& from, const std::string& to);
// Creates a new folder inside parent whose name begins with prefix, private to this user;
// its path.
std::string ZelMakeTempFolder(const std::string& parent, const std::string& prefix);

// $XDG_CONFIG_HOME, else ~/.config.
std::string ZelUserConfigFolder();
// $XDG_DATA_HOME, else ~/.local/share.
std::string ZelUserDataFolder();

enum class TZelDriveType { Fixed, Removable, Remote, CdRom };

// The kind of drive the file (or its nearest existing folder) is on, from the file
// system's type and device: network file systems are remote, ISO 9660 and UDF are CD ROMs,
// removable devices and mounts under /media are removable. A relative name counts as fixed.
TZelDriveType ZelGetDriveType(const std::string& path);

// Replaces the drive detection (tests stand in for drives they cannot mount); an empty
// function restores it.
void ZelSetDriveTypeProvider(std::function<TZelDriveType(const std::string&)> provider);
