// Write beside, flush, rename over: the one way the game rewrites its files.
#include "store/file_replace.h"

#include "store/posix/file_handles.h"
#include "store/posix/file_identity.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zembro {
namespace {

constexpr std::string_view TEMPORARY_SUFFIX = ".zembro-tmp";

bool WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes, flushes and closes; the errno of the first step that failed, or 0.
int WriteAndClose(FileDescriptor& file, std::string_view contents) {
    if (!WriteAll(file.Get(), contents) || ::fsync(file.Get()) != 0)
        return errno;
    return file.Close() ? 0 : errno;
}

// Makes the rename itself durable; a folder that cannot be synced costs only durability.
void SyncFolder(int folder) {
    const FileDescriptor dir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
}

// Rewrites an open file in place: its room claimed, written, cut to its new length, flushed. A
// full disk or a size limit stops it at the claim, before a byte of the file changes.
IoResult RewriteInPlace(int fd, const std::string& target, std::string_view contents) {
    const off_t length = static_cast<off_t>(contents.size());
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        contents.size() > limit.rlim_cur)
        return SystemFailure(target, EFBIG);
    if (length > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, length) != 0 && errno != EOPNOTSUPP)
        return SystemFailure(target, errno);
    if (::lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, contents) || ::ftruncate(fd, length) != 0 ||
        ::fsync(fd) != 0)
        return SystemFailure(target, errno);
    return IoResult::Ok();
}

IoResult Raced(const FileLock& lock) {
    return IoResult::Fail(lock.Target() + ": another program made it meanwhile", FILE_ERROR_RACED);
}

// The first file under a name: written unnamed, then linked in whole, so that neither a killed
// writer nor a full disk leaves an empty or half file behind, in a folder the player may read or
// not. Where the file system has no unnamed files, a named one of this process is linked in.
IoResult CreateWhole(const FileLock& lock, std::string_view contents) {
    const int folder = lock.Open().folder.Get();
    const std::string& base = lock.Open().name;
    const char* name = base.c_str();
    FileDescriptor unnamed(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (unnamed.Valid()) {
        if (!WriteAll(unnamed.Get(), contents) || ::fsync(unnamed.Get()) != 0)
            return SystemFailure(lock.Target(), errno);
        const std::string self = "/proc/self/fd/" + std::to_string(unnamed.Get());
        if (::linkat(AT_FDCWD, self.c_str(), folder, name, AT_SYMLINK_FOLLOW) == 0) {
            SyncFolder(folder);
            return IoResult::Ok();
        }
        if (errno == EEXIST)
            return Raced(lock);
        if (errno != ENOENT) // no /proc: named below
            return SystemFailure(lock.Target(), errno);
    } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        return SystemFailure(lock.Target(), errno);
    }
    const std::string temporary =
        "." + base + "." + std::to_string(::getpid()) + std::string(TEMPORARY_SUFFIX);
    ::unlinkat(folder, temporary.c_str(), 0);
    FileDescriptor named(::openat(folder, temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!named.Valid())
        return SystemFailure(lock.Target(), errno);
    int error = WriteAndClose(named, contents);
    if (error == 0 && ::linkat(folder, temporary.c_str(), folder, name, 0) != 0)
        error = errno;
    ::unlinkat(folder, temporary.c_str(), 0);
    if (error == EEXIST)
        return Raced(lock);
    if (error != 0)
        return SystemFailure(lock.Target(), error);
    SyncFolder(folder);
    return IoResult::Ok();
}

} // namespace

IoResult ReplaceFileContents(const FileLock& lock, std::string_view contents, bool keepOld) {
    const std::string& target = lock.Target();
    if (lock.Kind() != LockKind::Exclusive)
        return IoResult::Fail(target + ": not locked for writing", FILE_ERROR_LOCKED);
    if (!lock.Exists())
        return CreateWhole(lock, contents);

    const FileLock::Handles& open = lock.Open();
    const int folder = open.folder.Get();
    const int current = open.file.Get();
    const std::string& name = open.name;
    const struct stat& old = open.info;
    // In place when a new file would not be the same one to its users; never when the old one
    // is to be kept.
    const auto inPlace = [&](int error) {
        return keepOld ? SystemFailure(target, error) : RewriteInPlace(current, target, contents);
    };
    // A new file would leave the other names with the old contents.
    if (old.st_nlink > 1 && !keepOld)
        return RewriteInPlace(current, target, contents);

    // Writers take turns under the lock, so one name serves them all and the next one reuses
    // what a killed one left, even where the folder cannot be listed. Without locks each has
    // its own.
    const std::string temporary = "." + name +
                                  (lock.Held() ? "" : "." + std::to_string(::getpid())) +
                                  std::string(TEMPORARY_SUFFIX);
    if (::unlinkat(folder, temporary.c_str(), 0) != 0 && errno != ENOENT)
        return inPlace(errno); // someone else's, in a sticky folder
    FileDescriptor file(::openat(folder, temporary.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.Valid())
        return errno == EACCES || errno == EPERM ? inPlace(errno) : SystemFailure(target, errno);
    const auto dropTemporary = [&] { ::unlinkat(folder, temporary.c_str(), 0); };
    if (!TakeIdentity(file.Get(), current, old)) {
        const int error = errno;
        dropTemporary();
        return inPlace(error);
    }
    int error = WriteAndClose(file, contents);
    const std::string kept = name + KEPT_SUFFIX;
    if (error == 0 && keepOld &&
        ((::unlinkat(folder, kept.c_str(), 0) != 0 && errno != ENOENT) ||
         ::linkat(folder, name.c_str(), folder, kept.c_str(), 0) != 0))
        error = errno;
    if (error == 0 && ::renameat(folder, temporary.c_str(), folder, name.c_str()) != 0)
        error = errno;
    if (error != 0) {
        dropTemporary();
        return SystemFailure(target, error);
    }
    SyncFolder(folder);
    return IoResult::Ok();
}

} // namespace zembro
