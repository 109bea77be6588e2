// Resolving a game file's name safely, opening it once and locking it through that descriptor.
#include "store/path_parts.h"
#include "store/posix/file_handles.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include <utility>

namespace zembro {
namespace {

// The most symbolic links followed in a row, as the system follows in one path; more are a loop.
constexpr int MAX_LINK_DEPTH = 40;
// Times the file may be replaced under a waiting locker before it gives up.
constexpr int MAX_LOCK_RETRIES = 100;

// Where a name lives once its links are followed: the open folder and the last name in it.
struct Place {
    FileDescriptor folder;
    std::string name;
    std::string path;
};

// The kernel's rule for sticky folders, here for every folder the player does not own alone: a
// link counts when the player made it or the folder's owner did.
bool MayFollow(const struct stat& link, const struct stat& folder) {
    const uid_t player = ::geteuid();
    const bool ownedAlone = folder.st_uid == player && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    return ownedAlone || link.st_uid == player || link.st_uid == folder.st_uid;
}

Result<Place> Resolve(std::string path) {
    using Resolved = Result<Place>;
    for (int depth = 0; depth <= MAX_LINK_DEPTH; ++depth) {
        const std::string folderPath = FolderOf(path);
        Place place{FileDescriptor(::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)),
                    BaseOf(path), path};
        if (!place.folder.Valid())
            return Resolved::Fail(SystemFailure(path, errno));
        struct stat link {
        }, folder{};
        if (::fstatat(place.folder.Get(), place.name.c_str(), &link, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(link.st_mode))
            return Resolved::Ok(std::move(place));
        if (::fstat(place.folder.Get(), &folder) != 0)
            return Resolved::Fail(SystemFailure(path, errno));
        if (!MayFollow(link, folder))
            return Resolved::Fail(FileFailure(path,
                                              "a symbolic link made by user " +
                                                  std::to_string(link.st_uid) +
                                                  ", who does not own the folder; not followed",
                                              FILE_ERROR_FOREIGN_LINK));
        std::string target(static_cast<std::size_t>(link.st_size) + 1, '\0');
        const ssize_t length =
            ::readlinkat(place.folder.Get(), place.name.c_str(), target.data(), target.size());
        if (length < 0)
            return Resolved::Fail(SystemFailure(path, errno));
        target.resize(static_cast<std::size_t>(length));
        path = (target.starts_with('/') || path.find('/') == std::string::npos)
                   ? target
                   : folderPath + "/" + target;
    }
    return Resolved::Fail(SystemFailure(path, ELOOP));
}

void SayOnceThereAreNoLocks(const std::string& place) {
    static std::atomic<bool> said{false}; // once per process, however many files it saves
    if (!said.exchange(true))
        std::fprintf(stderr,
                     "%s: %s: the file system keeps no locks; files are read and saved without "
                     "one\n",
                     program_invocation_short_name, place.c_str());
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

int SystemLockCall(int fd, int command, struct flock* lock) {
    return ::fcntl(fd, command, lock);
}

std::uint64_t FileLock::Size() const {
    return Exists() ? static_cast<std::uint64_t>(handles_->info.st_size) : 0;
}

Result<std::string> FileLock::Read(std::size_t limit) const {
    std::string bytes;
    if (!Exists())
        return Result<std::string>::Ok(std::move(bytes));
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        const ssize_t n =
            ::pread(handles_->file.Get(), bytes.data() + got, limit - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Result<std::string>::Fail(SystemFailure(target_, errno));
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return Result<std::string>::Ok(std::move(bytes));
}

Result<FilePtr> FileLock::Stream() const {
    if (!Exists())
        return Result<FilePtr>::Fail(SystemFailure(target_, ENOENT));
    FileDescriptor copy(::fcntl(handles_->file.Get(), F_DUPFD_CLOEXEC, 0));
    FilePtr stream(copy.Valid() ? ::fdopen(copy.Get(), "rb") : nullptr);
    if (!stream)
        return Result<FilePtr>::Fail(SystemFailure(target_, errno));
    copy.Release(); // the stream owns it now
    std::rewind(stream.get());
    return Result<FilePtr>::Ok(std::move(stream));
}

class LockTaker {
  public:
    LockTaker(LockKind kind, int waitMs, LockCall call)
        : kind_(kind), waitMs_(waitMs), call_(call) {}

    Result<FileLock> Take(const std::string& path) {
        for (int attempt = 0; attempt < MAX_LOCK_RETRIES; ++attempt) {
            Result<Place> place = Resolve(path);
            if (!place)
                return Taken::Fail(place.Status());
            auto handles = std::make_unique<FileLock::Handles>();
            handles->folder = std::move(place->folder);
            handles->name = std::move(place->name);
            FileLock lock(std::move(handles), std::move(place->path), kind_);
            const Opening opened = Open(lock);
            if (opened == Opening::Again)
                continue;
            if (opened == Opening::Failed)
                return Taken::Fail(failure_);
            if (!lock.Exists())
                return Taken::Ok(std::move(lock)); // a writer makes it with its contents
            if (const IoResult locked = Lock(lock); !locked)
                return Taken::Fail(locked);
            if (StillNamed(lock))
                return Taken::Ok(std::move(lock));
            // Replaced by a writer while this one waited: the lock is taken on the new file.
        }
        return Taken::Fail(SystemFailure(path, EAGAIN));
    }

  private:
    using Taken = Result<FileLock>;
    enum class Opening { Done, Again, Failed };

    // Opens the name without following a link, so that a link swapped in since it was resolved
    // is resolved again; a device or a FIFO is refused before it is opened, and again after.
    Opening Open(FileLock& lock) {
        FileLock::Handles& open = lock.Open();
        const int folder = open.folder.Get();
        const char* name = open.name.c_str();
        struct stat named {};
        if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(named.st_mode))
            return Opening::Again;
        if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(named.st_mode))
            return Refuse(FileFailure(lock.Target(), "not a regular file", FILE_ERROR_NOT_REGULAR));
        const int common = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        FileDescriptor fd(
            ::openat(folder, name, (kind_ == LockKind::Exclusive ? O_RDWR : O_RDONLY) | common));
        if (!fd.Valid() && errno == EACCES && kind_ == LockKind::Exclusive)
            fd = FileDescriptor(::openat(folder, name, O_WRONLY | common)); // a file written blind
        if (!fd.Valid() && errno == ENOENT)
            return Opening::Done;
        if (!fd.Valid())
            return errno == ELOOP ? Opening::Again : Refuse(SystemFailure(lock.Target(), errno));
        // sshfs asks about an open file by its name: one replaced since it was opened is gone.
        if (::fstat(fd.Get(), &open.info) != 0)
            return errno == ENOENT ? Opening::Again : Refuse(SystemFailure(lock.Target(), errno));
        if (!S_ISREG(open.info.st_mode))
            return Refuse(FileFailure(lock.Target(), "not a regular file", FILE_ERROR_NOT_REGULAR));
        ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK);
        open.file = std::move(fd);
        return Opening::Done;
    }

    Opening Refuse(const IoResult& failure) {
        failure_ = failure;
        return Opening::Failed;
    }

    bool StillNamed(const FileLock& lock) const {
        struct stat named {};
        const FileLock::Handles& open = lock.Open();
        return ::fstatat(open.folder.Get(), open.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
               SameFile(named, open.info);
    }

    IoResult Lock(FileLock& lock) {
        struct flock range = Range(kind_ == LockKind::Exclusive ? F_WRLCK : F_RDLCK);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs_);
        while (call_(lock.Open().file.Get(), F_OFD_SETLK, &range) != 0) {
            // Kernels or file systems without these locks answer with any of these.
            if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL) {
                SayOnceThereAreNoLocks(lock.Target());
                lock.SetHeld(false);
                return IoResult::Ok();
            }
            if (errno != EAGAIN && errno != EACCES && errno != EINTR)
                return SystemFailure(lock.Target(), errno);
            if (std::chrono::steady_clock::now() >= deadline)
                return Busy(lock);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            range = Range(range.l_type);
        }
        return IoResult::Ok();
    }

    static struct flock Range(short type) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET; // the whole file, however long it grows
        return range;
    }

    // Who keeps the lock: a writer waits for a writer or for readers.
    IoResult Busy(const FileLock& lock) const {
        struct flock range = Range(kind_ == LockKind::Exclusive ? F_WRLCK : F_RDLCK);
        const bool readers =
            call_(lock.Open().file.Get(), F_OFD_GETLK, &range) == 0 && range.l_type == F_RDLCK;
        return FileFailure(lock.Target(),
                           std::string("another program is ") + (readers ? "reading" : "writing") +
                               " it and did not finish in " + std::to_string(waitMs_) + " ms",
                           readers ? FILE_ERROR_READ_LOCKED : FILE_ERROR_LOCKED);
    }

    LockKind kind_;
    int waitMs_;
    LockCall call_;
    IoResult failure_ = IoResult::Ok();
};

Result<FileLock> LockFileWith(const std::string& path, LockKind kind, int waitMs, LockCall call) {
    return LockTaker(kind, waitMs, call).Take(path);
}

Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs) {
    return LockFileWith(path, kind, waitMs, SystemLockCall);
}

} // namespace zembro
