#include "ZelFiles.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

[[noreturn]] void RaiseFileError(const std::string& path, int error) {
    throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::CannotOpenFile), {path, strerror(error)}),
                      error);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()))
        return pw->pw_dir;
    return "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallback) {
    if (const char* v = std::getenv(variable); v && *v == '/')
        return v;
    return HomeFolder() + fallback;
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseFileError(path, errno);
        }
        bytes.remove_prefix(size_t(n));
    }
}

void SyncFolder(const std::string& folder) {
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

std::string ZelAbsolutePath(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

std::string ZelExtractFileDir(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ZelExtractFileName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ZelChangeFileExt(const std::string& path, const std::string& ext) {
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + ext;
    return path.substr(0, dot) + ext;
}

bool ZelFileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool ZelDirectoryExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void ZelCreateFolders(const std::string& path) {
    if (path.empty() || ZelDirectoryExists(path))
        return;
    ZelCreateFolders(ZelExtractFileDir(path));
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        RaiseFileError(path, errno);
}

std::string ZelReadWholeFile(const std::string& path, uint64_t maxSize) {
    // Non-blocking, so that a named pipe put where a file belongs cannot hang the reader
    // before it is recognised and refused.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        RaiseFileError(path, errno);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        int error = errno;
        close(fd);
        RaiseFileError(path, error);
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::NotARegularFile), {path}), EINVAL);
    }
    if (uint64_t(st.st_size) > maxSize) {
        close(fd);
        throw EZelOSError(
            ZelFormat(ZelLoadStr(TZelResId::FileTooLargeToRead), {path, int64_t(maxSize >> 20)}),
            EFBIG);
    }
    std::string out;
    out.reserve(size_t(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int error = errno;
            close(fd);
            RaiseFileError(path, error);
        }
        if (n == 0)
            break;
        // The file may grow while it is read.
        if (out.size() + size_t(n) > maxSize) {
            close(fd);
            throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::FileTooLargeToRead),
                                        {path, int64_t(maxSize >> 20)}),
                              EFBIG);
        }
        out.append(buf, size_t(n));
    }
    close(fd);
    return out;
}

TZelFileLock::TZelFileLock(const std::string& path) {
    ZelCreateFolders(ZelExtractFileDir(path));
    std::string lockPath = path + ".lock";
    Fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (Fd < 0)
        RaiseFileError(lockPath, errno);
    while (flock(Fd, LOCK_EX) != 0)
        if (errno != EINTR) {
            int error = errno;
            close(Fd);
            RaiseFileError(lockPath, error);
        }
}

TZelFileLock::~TZelFileLock() {
    flock(Fd, LOCK_UN);
    close(Fd);
}

TZelFileStamp ZelFileStamp(const std::string& path) {
    struct stat st {};
    TZelFileStamp stamp;
    if (stat(path.c_str(), &st) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Device = uint64_t(st.st_dev);
    stamp.Inode = uint64_t(st.st_ino);
    stamp.Size = int64_t(st.st_size);
    stamp.MtimeNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

namespace {

// The file a write should replace: the target of a symbolic link (followed to its end),
// else the path itself.
std::string WriteTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved))
        return resolved;
    // A dangling link: write the file it names.
    std::vector<char> target(PATH_MAX + 1);
    ssize_t n = readlink(path.c_str(), target.data(), PATH_MAX);
    if (n <= 0)
        return path;
    std::string name(target.data(), size_t(n));
    return name[0] == '/' ? name : ZelExtractFileDir(path) + "/" + name;
}

// Removes path + ".tmp<pid>" files whose writer no longer runs.
void RemoveStaleTemporaries(const std::string& path) {
    std::string folder = ZelExtractFileDir(path);
    std::string prefix = ZelExtractFileName(path) + ".tmp";
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string digits = name.substr(prefix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        pid_t pid = pid_t(std::stol(digits));
        if (pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH)
            unlink((folder.empty() ? name : folder + "/" + name).c_str());
    }
    closedir(dir);
}

} // namespace

void ZelWriteFileAtomic(const std::string& linkOrPath, std::string_view bytes, bool keepBackup) {
    std::string path = WriteTarget(linkOrPath);
    std::string folder = ZelExtractFileDir(path);
    ZelCreateFolders(folder);
    RemoveStaleTemporaries(path);
    struct stat old {};
    bool existed = stat(path.c_str(), &old) == 0;
    std::string temp = path + ".tmp" + std::to_string(getpid());
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        RaiseFileError(temp, errno);
    try {
        // The new file keeps the old one's permissions (a private file stays private).
        if (existed && fchmod(fd, old.st_mode & 07777) != 0)
            RaiseFileError(temp, errno);
        WriteAll(fd, bytes, temp);
        if (fsync(fd) != 0)
            RaiseFileError(temp, errno);
    } catch (...) {
        close(fd);
        unlink(temp.c_str());
        throw;
    }
    close(fd);
    if (keepBackup && ZelFileExists(path)) {
        std::string backup = path + "~";
        unlink(backup.c_str());
        if (link(path.c_str(), backup.c_str()) != 0) {
            // A file system without hard links: copy instead.
            std::string content = ZelReadWholeFile(path);
            std::ofstream(backup, std::ios::binary)
                .write(content.data(), std::streamsize(content.size()));
        }
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        unlink(temp.c_str());
        RaiseFileError(path, error);
    }
    SyncFolder(folder);
}

std::vector<std::string> ZelListFolder(const std::string& folder) {
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        RaiseFileError(folder, errno);
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool ZelRemoveFile(const std::string& path) {
    if (unlink(path.c_str()) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    RaiseFileError(path, errno);
}

void ZelRemoveTree(const std::string& folder) {
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ZelRemoveFile(folder);
        return;
    }
    for (const std::string& name : ZelListFolder(folder))
        ZelRemoveTree(folder + "/" + name);
    if (rmdir(folder.c_str()) != 0 && errno != ENOENT)
        RaiseFileError(folder, errno);
}

void ZelRenameFile(const std::string& from, const std::string& to) {
    if (rename(from.c_str(), to.c_str()) != 0)
        RaiseFileError(to, errno);
}

std::string ZelMakeTempFolder(const std::string& parent, const std::string& prefix) {
    ZelCreateFolders(parent);
    std::string pattern = (parent.empty() ? std::string(".") : parent) + "/" + prefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        RaiseFileError(pattern, errno);
    return buffer.data();
}

std::string ZelUserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string ZelUserDataFolder() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

namespace {

struct TMount {
    std::string Point;
    std::string Type;
    std::string Source;
    unsigned Major = 0;
};

// Undoes the octal escapes of /proc/self/mountinfo ("\040" for a blank).
std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            int v = 0;
            bool ok = true;
            for (size_t k = 1; k <= 3; ++k) {
                char c = s[i + k];
                if (c < '0' || c > '7')
                    ok = false;
                else
                    v = v * 8 + (c - '0');
            }
            if (ok) {
                out += char(v);
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool FindMount(const std::string& path, TMount& best) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    bool found = false;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, devices, root, point;
        fields >> id >> parent >> devices >> root >> point;
        point = Unescape(point);
        std::string word;
        while (fields >> word && word != "-") {
        }
        TMount m;
        m.Point = point;
        fields >> m.Type >> m.Source;
        m.Major = unsigned(std::strtoul(devices.c_str(), nullptr, 10));
        bool inside = point == "/" || path == point ||
                      (path.compare(0, point.size(), point) == 0 && path[point.size()] == '/');
        if (inside && (!found || point.size() >= best.Point.size())) {
            best = m;
            found = true;
        }
    }
    return found;
}

bool IsRemovableDevice(const std::string& source) {
    if (source.compare(0, 5, "/dev/") != 0)
        return false;
    std::string name = source.substr(5);
    // A partition's removable flag is on its disk: strip the partition number.
    for (std::string candidate = name; !candidate.empty(); candidate.pop_back()) {
        std::ifstream flag("/sys/block/" + candidate + "/removable");
        int value = 0;
        if (flag >> value)
            return value == 1;
        if (!std::isdigit(uint8_t(candidate.back())) && candidate.back() != 'p')
            break;
    }
    return false;
}

} // namespace

namespace {
std::function<TZelDriveType(const std::string&)>& DriveTypeProvider() {
    static std::function<TZelDriveType(const std::string&)> provider;
    return provider;
}
} // namespace

void ZelSetDriveTypeProvider(std::function<TZelDriveType(const std::string&)> provider) {
    DriveTypeProvider() = std::move(provider);
}

TZelDriveType ZelGetDriveType(const std::string& path) {
    if (DriveTypeProvider())
        return DriveTypeProvider()(path);
    if (path.empty() || path[0] != '/')
        return TZelDriveType::Fixed;
    // The nearest existing folder stands for a file that is missing.
    std::string existing = path;
    while (!existing.empty() && existing != "/" && !ZelFileExists(existing) &&
           !ZelDirectoryExists(existing))
        existing = ZelExtractFileDir(existing);
    char resolved[PATH_MAX];
    if (realpath(existing.empty() ? "/" : existing.c_str(), resolved))
        existing = resolved;
    TMount mount;
    if (!FindMount(existing, mount))
        return TZelDriveType::Fixed;
    const std::string& t = mount.Type;
    if (t == "nfs" || t == "nfs4" || t == "cifs" || t == "smb3" || t == "smbfs" ||
        t == "fuse.sshfs" || t == "sshfs" || t == "9p" || t == "afs" || t == "ceph")
        return TZelDriveType::Remote;
    if (t == "iso9660" || t == "udf")
        return TZelDriveType::CdRom;
    if (mount.Point.compare(0, 7, "/media/") == 0 ||
        mount.Point.compare(0, 11, "/run/media/") == 0 || IsRemovableDevice(mount.Source))
        return TZelDriveType::Removable;
    return TZelDriveType::Fixed;
}
