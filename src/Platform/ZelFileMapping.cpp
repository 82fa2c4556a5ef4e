#include "ZelFileMapping.h"

#include "ZelErrors.h"
#include "ZelFormat.h"
#include "ZelResStrings.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void RaiseOpenError(const std::string& path, int error) {
    throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::CannotOpenFile), {path, strerror(error)}),
                      error);
}

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : Fd(fd) {}
    ~TFileDescriptor() {
        if (Fd >= 0)
            close(Fd);
    }
    int Get() const { return Fd; }

private:
    int Fd;
};

} // namespace

TZelFileMapping::TZelFileMapping(const std::string& path) : FilePath(path) {
    // Non-blocking, so that a named pipe in the file's place is refused instead of waited on.
    TFileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.Get() < 0)
        RaiseOpenError(path, errno);
    struct stat st {};
    if (fstat(fd.Get(), &st) != 0)
        RaiseOpenError(path, errno);
    if (!S_ISREG(st.st_mode))
        throw EZelOSError(ZelFormat(ZelLoadStr(TZelResId::NotARegularFile), {path}), EINVAL);
    if (uint64_t(st.st_size) > UINT32_MAX)
        throw EZelStreamError(ZelFormat(ZelLoadStr(TZelResId::FileTooLarge), {path}));
    ViewSize = uint32_t(st.st_size);
    if (ViewSize == 0)
        return;
    void* view = mmap(nullptr, ViewSize, PROT_READ, MAP_SHARED, fd.Get(), 0);
    if (view == MAP_FAILED)
        RaiseOpenError(path, errno);
    View = static_cast<const uint8_t*>(view);
}

TZelFileMapping::~TZelFileMapping() {
    if (View)
        munmap(const_cast<uint8_t*>(View), ViewSize);
}
