// Regular files only, opened without blocking: the POSIX side.
#include "store/regular_file.h"
#include "store/posix/file_descriptor.h"

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

FileError FileErrorOf(int error) {
    switch (error) {
    case ENOENT:
        return FILE_ERROR_NOT_FOUND;
    case EACCES:
        return FILE_ERROR_DENIED;
    case EPERM:
        return FILE_ERROR_NOT_PERMITTED;
    case EROFS:
        return FILE_ERROR_READ_ONLY;
    case ENOSPC:
    case EDQUOT:
        return FILE_ERROR_NO_SPACE;
    case EFBIG:
        return FILE_ERROR_TOO_LARGE;
    case EISDIR:
        return FILE_ERROR_NOT_REGULAR;
    case ELOOP:
        return FILE_ERROR_LINK_LOOP;
    case ENAMETOOLONG:
        return FILE_ERROR_NAME_TOO_LONG;
    case ENOTDIR:
        return FILE_ERROR_NOT_A_FOLDER;
    case EIO:
        return FILE_ERROR_DEVICE;
    default:
        return FILE_ERROR_SYSTEM;
    }
}

IoResult SystemFailure(const std::string& path, int systemError) {
    return FileFailure(path, std::strerror(systemError), FileErrorOf(systemError));
}

Result<FilePtr> OpenForReading(const std::string& path) {
    using Opened = Result<FilePtr>;
    const auto notRegular = [&] {
        return Opened::Fail(FileFailure(path, "not a regular file", FILE_ERROR_NOT_REGULAR));
    };
    // Looked at first so that a device is never opened at all; checked again on the open
    // handle, since the name may have changed in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return notRegular();
    // O_NONBLOCK: opening a FIFO with no writer would otherwise wait for one forever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0)
        return Opened::Fail(SystemFailure(path, errno));
    if (!S_ISREG(info.st_mode))
        return notRegular();
    ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
    FilePtr file(::fdopen(fd.Get(), "rb"));
    if (!file)
        return Opened::Fail(SystemFailure(path, errno));
    fd.Release(); // the stream owns it now
    return Opened::Ok(std::move(file));
}

void FailWritesPastTheSizeLimit() {
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string ShownPath(const std::string& path) {
    return path.starts_with("./") ? path.substr(2) : path;
}

} // namespace zembro
