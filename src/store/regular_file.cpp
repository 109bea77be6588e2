// Regular files only, opened without blocking.
#include "store/regular_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zembro {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

int FileDescriptor::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool FileDescriptor::Close() {
    if (fd_ < 0)
        return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

IoResult SystemFailure(const std::string& path, int error) {
    return IoResult::Fail(path + ": " + std::strerror(error), error);
}

Result<FileDescriptor> OpenRegular(const std::string& path, int flags) {
    using Opened = Result<FileDescriptor>;
    const IoResult notRegular =
        IoResult::Fail(path + ": not a regular file", FILE_ERROR_NOT_REGULAR);
    // Looked at first so that a device is never opened at all; checked again on the open
    // handle, since the name may have changed in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return Opened::Fail(notRegular);
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one forever.
    FileDescriptor fd(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid())
        return Opened::Fail(SystemFailure(path, errno));
    if (::fstat(fd.Get(), &info) != 0)
        return Opened::Fail(SystemFailure(path, errno));
    if (!S_ISREG(info.st_mode))
        return Opened::Fail(notRegular);
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    return Opened::Ok(std::move(fd));
}

void FailWritesPastTheSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Result<FilePtr> OpenForReading(const std::string& path) {
    Result<FileDescriptor> fd = OpenRegular(path, O_RDONLY);
    if (!fd)
        return Result<FilePtr>::Fail(fd.Status());
    FilePtr file(::fdopen(fd->Get(), "rb"));
    if (!file)
        return Result<FilePtr>::Fail(SystemFailure(path, errno));
    fd->Release(); // the stream owns it now
    return Result<FilePtr>::Ok(std::move(file));
}

} // namespace zembro
