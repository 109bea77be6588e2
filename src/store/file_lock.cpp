// Taking the lock on a file's folder, or on the file where the folder cannot be read.
#include "store/file_lock.h"

#include "store/path_parts.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zembro {
namespace {

// The most symbolic links followed in a row, as the system follows in one path; more are a loop.
constexpr int MAX_LINK_DEPTH = 40;
// Times a locked file may be renamed over under a waiting locker before it gives up.
constexpr int MAX_LOCK_RETRIES = 100;

// The file a path finally names: a link's target replaces the link's own name, relative to
// the link's folder. A name that does not exist (yet) is its own target.
Result<std::string> FollowLinks(std::string path) {
    for (int depth = 0; depth <= MAX_LINK_DEPTH; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return Result<std::string>::Ok(std::move(path));
        std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return Result<std::string>::Fail(SystemFailure(path, errno));
        target.resize(static_cast<std::size_t>(length));
        path = (target.starts_with('/') || path.find('/') == std::string::npos)
                   ? target
                   : FolderOf(path) + "/" + target;
    }
    return Result<std::string>::Fail(SystemFailure(path, ELOOP));
}

void SayOnceThereAreNoLocks(const std::string& place) {
    static std::atomic<bool> said{false}; // once per process, however many files it saves
    if (!said.exchange(true))
        std::fprintf(stderr,
                     "%s: %s: the file system keeps no locks; files are read and saved without "
                     "one\n",
                     program_invocation_short_name, place.c_str());
}

} // namespace

class LockTaker {
  public:
    LockTaker(std::string target, LockKind kind, int waitMs, LockCall call)
        : target_(std::move(target)), kind_(kind), waitMs_(waitMs), call_(call) {}

    Result<FileLock> OnFolder() {
        const std::string folder = FolderOf(target_);
        FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!dir.Valid())
            return errno == EACCES ? OnFile() : Fail(SystemFailure(folder, errno));
        return Take(std::move(dir), folder);
    }

  private:
    using Taken = Result<FileLock>;
    static Taken Fail(const IoResult& failure) { return Taken::Fail(failure); }

    // The file itself, then: a writer renaming a new file over it meanwhile has left the lock
    // on a file no longer there, so the lock is taken again on the one that is.
    Taken OnFile() {
        for (int attempt = 0; attempt < MAX_LOCK_RETRIES; ++attempt) {
            struct stat named {};
            if (::stat(target_.c_str(), &named) == 0 && !S_ISREG(named.st_mode))
                return Granted(FileDescriptor(), true); // refused when it is opened
            FileDescriptor file(
                ::open(target_.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
            if (!file.Valid() && errno == EACCES)
                file = FileDescriptor(
                    ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
            if (!file.Valid() && errno == ENOENT) {
                if (kind_ == LockKind::Shared)
                    return Granted(FileDescriptor(), true); // nothing there to be read
                // A writer makes the file it locks; its contents come with the rewrite.
                file = FileDescriptor(::open(
                    target_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666));
                if (!file.Valid() && errno == EEXIST)
                    continue;
            }
            if (!file.Valid())
                return Fail(SystemFailure(target_, errno));
            Taken taken = Take(std::move(file), target_);
            if (!taken || !Replaced(*taken))
                return taken;
        }
        return Fail(SystemFailure(target_, EAGAIN));
    }

    // Whether the locked file is no longer the one the name gives: it was renamed over.
    bool Replaced(const FileLock& lock) const {
        struct stat locked {
        }, named{};
        return lock.locked_.Valid() && ::fstat(lock.locked_.Get(), &locked) == 0 &&
               (::stat(target_.c_str(), &named) != 0 || named.st_dev != locked.st_dev ||
                named.st_ino != locked.st_ino);
    }

    Taken Take(FileDescriptor fd, const std::string& place) {
        const int operation = kind_ == LockKind::Exclusive ? LOCK_EX : LOCK_SH;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs_);
        while (call_(fd.Get(), operation | LOCK_NB) != 0) {
            if (errno == ENOLCK || errno == EOPNOTSUPP) {
                SayOnceThereAreNoLocks(place);
                return Granted(std::move(fd), false);
            }
            if (errno != EWOULDBLOCK && errno != EINTR)
                return Fail(SystemFailure(place, errno));
            if (std::chrono::steady_clock::now() >= deadline)
                return Fail(Busy(fd.Get()));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return Granted(std::move(fd), true);
    }

    // Who keeps the lock: a writer wanting it is kept out by readers too.
    IoResult Busy(int fd) const {
        const bool readers = kind_ == LockKind::Exclusive && call_(fd, LOCK_SH | LOCK_NB) == 0;
        if (readers)
            call_(fd, LOCK_UN);
        return IoResult::Fail(target_ + ": another program is " +
                                     (readers ? "reading" : "writing") +
                                     " it and did not finish in " + std::to_string(waitMs_) + " ms",
                                 readers ? FILE_ERROR_READ_LOCKED : FILE_ERROR_LOCKED);
    }

    Taken Granted(FileDescriptor fd, bool held) {
        return Taken::Ok(FileLock(std::move(fd), target_, kind_, held));
    }

    std::string target_;
    LockKind kind_;
    int waitMs_;
    LockCall call_;
};

Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs, LockCall call) {
    Result<std::string> target = FollowLinks(path);
    if (!target)
        return Result<FileLock>::Fail(target.Status());
    return LockTaker(std::move(*target), kind, waitMs, call).OnFolder();
}

} // namespace zembro
