// Files and folders: atomic replacement of a file, the user's folders, and the kind of
// drive a file lives on.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The folder part of a path, without the trailing "/" ("" for a bare name).
std::string ZelExtractFileDir(const std::string& path);
// The file-name part of a path.
std::string ZelExtractFileName(const std::string& path);
// The path without its extension (the part after the last "." of the file name).
std::string ZelChangeFileExt(const std::string& path, const std::string& ext);

bool ZelFileExists(const std::string& path);
bool ZelDirectoryExists(const std::string& path);
// Creates a folder and its parents; raises EZelOSError when that fails.
void ZelCreateFolders(const std::string& path);

// The whole content of a file; raises EZelOSError when it cannot be read.
std::string ZelReadWholeFile(const std::string& path);

// Replaces a file without ever leaving it half written: the bytes go to a temporary file in
// the same folder, which is flushed to disk and renamed over the old one. With keepBackup,
// the old file is kept as path + "~" first. Raises EZelOSError on failure, leaving the old
// file as it was.
void ZelWriteFileAtomic(const std::string& path, std::string_view bytes, bool keepBackup = false);

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
