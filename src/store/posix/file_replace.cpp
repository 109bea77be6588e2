// Write beside, flush, rename over: the one way the game rewrites its files.
#include "store/file_replace.h"

#include "store/posix/file_handles.h"
#include "store/posix/file_identity.h"
#include "store/temporary_name.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

namespace zembro {
namespace {

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
    return FileFailure(lock.Target(), "another program made it meanwhile", FILE_ERROR_RACED);
}

// The process number a writer's temporary carries: none under the file's lock.
std::optional<unsigned long> Process(const FileLock& lock) {
    if (lock.Held())
        return std::nullopt;
    return static_cast<unsigned long>(::getpid());
}

// Removes the temporaries of the file `name` that no writer still writes: those written under
// the lock (this writer holds it, or the file system keeps none and no one does), those of a
// process that is gone, this one's, and any older than a write ever takes (a process of another
// machine, or a number reused). A folder that cannot be listed keeps them.
void SweepTemporaries(int folder, const std::string& name) {
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(
        ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)), ::closedir);
    if (!listing)
        return;
    const time_t stale = std::time(nullptr) - STALE_TEMPORARY_SECONDS;
    while (const dirent* entry = ::readdir(listing.get())) {
        const std::optional<unsigned long> writer = TemporaryWriter(entry->d_name, name);
        struct stat info {};
        if (!writer || ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        const auto process = static_cast<pid_t>(*writer);
        if (*writer == 0 || process == ::getpid() || info.st_mtime < stale ||
            (::kill(process, 0) != 0 && errno == ESRCH))
            ::unlinkat(folder, entry->d_name, 0);
    }
}

// Gives the file `from` the name `to` only where no file has that name yet: 0, EEXIST, or the
// system's error.
int ClaimName(int folder, const char* from, const char* to) {
    if (::renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
    // A file system that cannot rename without replacing: a link fails on a taken name as well.
    if (::linkat(folder, from, folder, to, 0) == 0) {
        ::unlinkat(folder, from, 0);
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    // Nor links (FAT, exFAT): a name seen free is renamed to, the folder locked meanwhile against
    // the game's other writers on this machine.
    const FileDescriptor listing(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.Valid())
        ::flock(listing.Get(), LOCK_EX);
    struct stat taken {};
    if (::fstatat(folder, to, &taken, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return ::renameat(folder, from, folder, to) == 0 ? 0 : errno;
}

// Makes a new temporary for the locked file, replacing a killed writer's; invalid with errno set
// when the folder takes none.
FileDescriptor NewTemporary(const FileLock& lock, const std::string& temporary, mode_t mode) {
    const int folder = lock.Open().folder.Get();
    if (::unlinkat(folder, temporary.c_str(), 0) != 0 && errno != ENOENT)
        return FileDescriptor(); // someone else's, in a sticky folder
    return FileDescriptor(::openat(folder, temporary.c_str(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
}

// The first file under a name: written unnamed, then linked in whole, so that neither a killed
// writer nor a full disk leaves an empty or half file behind, in a folder the player may read or
// not. Where the file system has no unnamed files, a named one of this process takes the name.
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
    const std::string temporary = TemporaryName(base, static_cast<unsigned long>(::getpid()));
    FileDescriptor named = NewTemporary(lock, temporary, 0666); // as an unnamed one is made
    if (!named.Valid())
        return SystemFailure(lock.Target(), errno);
    int error = WriteAndClose(named, contents);
    if (error == 0)
        error = ClaimName(folder, temporary.c_str(), name);
    if (error != 0)
        ::unlinkat(folder, temporary.c_str(), 0);
    if (error == EEXIST)
        return Raced(lock);
    if (error != 0)
        return SystemFailure(lock.Target(), error);
    SyncFolder(folder);
    return IoResult::Ok();
}

// Copies the whole open file `from` into `to`.
bool CopyAll(int from, int to) {
    std::array<char, 1 << 16> buffer{};
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(from, buffer.data(), buffer.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!WriteAll(to, std::string_view(buffer.data(), static_cast<std::size_t>(got))))
            return false;
        at += got;
    }
}

// Keeps a copy of the locked file beside it, whole before it takes the first kept name no file
// has: the copy's path, or FILE_ERROR_NOT_KEPT with what stopped it.
Result<std::string> KeepCopy(const FileLock& lock) {
    const FileLock::Handles& open = lock.Open();
    const int folder = open.folder.Get();
    const std::string temporary = TemporaryName(open.name, Process(lock));
    FileDescriptor copy = NewTemporary(lock, temporary, 0600);
    int error = copy.Valid() ? 0 : errno;
    if (error == 0) {
        // Read as the old file was, where this writer may give it that identity.
        if (!TakeIdentity(copy.Get(), open.file.Get(), open.info))
            ::fchmod(copy.Get(), open.info.st_mode & 0666);
        if (!CopyAll(open.file.Get(), copy.Get()) || ::fsync(copy.Get()) != 0)
            error = errno;
        else if (!copy.Close())
            error = errno;
    }
    for (int number = 0; error == 0; ++number) {
        const std::string kept = KeptName(open.name, number);
        const int claimed =
            number < MAX_KEPT_COPIES ? ClaimName(folder, temporary.c_str(), kept.c_str()) : EEXIST;
        if (claimed == 0) {
            SyncFolder(folder);
            return Result<std::string>::Ok(
                std::filesystem::path(lock.Target()).replace_filename(kept).string());
        }
        if (claimed != EEXIST || number == MAX_KEPT_COPIES)
            error = claimed;
    }
    ::unlinkat(folder, temporary.c_str(), 0);
    return Result<std::string>::Fail(
        FileFailure(lock.Target(),
                    std::string("no copy of it could be kept beside it: ") + std::strerror(error),
                    FILE_ERROR_NOT_KEPT, FileErrorOf(error)));
}

// Replaces the contents of the locked file that exists.
IoResult ReplaceExisting(const FileLock& lock, std::string_view contents) {
    const std::string& target = lock.Target();
    const FileLock::Handles& open = lock.Open();
    const int folder = open.folder.Get();
    const int current = open.file.Get();
    // A new file would leave the other names with the old contents.
    if (open.info.st_nlink > 1)
        return RewriteInPlace(current, target, contents);
    const std::string temporary = TemporaryName(open.name, Process(lock));
    FileDescriptor file = NewTemporary(lock, temporary, 0600);
    if (!file.Valid())
        return errno == EACCES || errno == EPERM ? RewriteInPlace(current, target, contents)
                                                 : SystemFailure(target, errno);
    const auto dropTemporary = [&] { ::unlinkat(folder, temporary.c_str(), 0); };
    if (!TakeIdentity(file.Get(), current, open.info)) {
        dropTemporary();
        return RewriteInPlace(current, target, contents);
    }
    int error = WriteAndClose(file, contents);
    if (error == 0 && ::renameat(folder, temporary.c_str(), folder, open.name.c_str()) != 0)
        error = errno;
    if (error != 0) {
        dropTemporary();
        // Removed by a writer of another machine that took it for a killed one's.
        return error == ENOENT ? Raced(lock) : SystemFailure(target, error);
    }
    SyncFolder(folder);
    return IoResult::Ok();
}

} // namespace

Result<Replaced> ReplaceFileContents(const FileLock& lock, std::string_view contents,
                                     bool keepOld) {
    using Written = Result<Replaced>;
    if (lock.Kind() != LockKind::Exclusive)
        return Written::Fail(
            FileFailure(lock.Target(), "not locked for writing", FILE_ERROR_LOCKED));
    const FileLock::Handles& open = lock.Open();
    SweepTemporaries(open.folder.Get(), open.name);
    if (!lock.Exists()) {
        const IoResult created = CreateWhole(lock, contents);
        return created ? Written::Ok({}) : Written::Fail(created);
    }
    Replaced replaced;
    if (keepOld) {
        const Result<std::string> kept = KeepCopy(lock);
        if (!kept)
            return Written::Fail(kept.Status());
        replaced.keptAs = *kept;
    }
    const IoResult written = ReplaceExisting(lock, contents);
    if (!written) {
        if (keepOld) // nothing written: the copy of an unchanged file is not kept
            ::unlinkat(open.folder.Get(), std::filesystem::path(replaced.keptAs).filename().c_str(),
                       0);
        return Written::Fail(written);
    }
    return Written::Ok(std::move(replaced));
}

} // namespace zembro
