// Advisory locks that let game windows and zembro-tool share the game's files: readers share,
// a writer holds its lock from the reading to the writing.
#pragma once

#include "base/result.h"
#include "store/regular_file.h"

#include <string>
#include <sys/file.h>

namespace zembro {

enum class LockKind { Shared, Exclusive };

// How long a writer waits for another to finish before it gives up with a reason.
inline constexpr int LOCK_WAIT_MS = 5000;

// The system's lock call (flock's signature); a seam for file systems that keep no locks.
using LockCall = int (*)(int fd, int operation);

// A lock on the folder that holds a file, held for a whole read-modify-write. The folder rather
// than the file is locked, so the lock survives the file being renamed over and covers a file
// that does not exist yet. A folder the player may write but not read is no place to lock: the
// file itself is locked there.
class FileLock {
  public:
    // The file the locked path names, its symbolic links followed: the file rewritten.
    const std::string& Target() const { return target_; }
    LockKind Kind() const { return kind_; }
    // False where the file system keeps no locks: the file is used without one.
    bool Held() const { return held_; }

  private:
    friend class LockTaker;
    FileLock(FileDescriptor locked, std::string target, LockKind kind, bool held)
        : locked_(std::move(locked)), target_(std::move(target)), kind_(kind), held_(held) {}

    FileDescriptor locked_; // the lock goes with the descriptor
    std::string target_;
    LockKind kind_;
    bool held_;
};

// Locks `path` (its symbolic links followed), waiting at most `waitMs`. A lock another program
// keeps past the wait fails with FILE_ERROR_LOCKED (a writer) or FILE_ERROR_READ_LOCKED (only
// readers). Where the file system has no locks, the lock is granted unheld and standard error
// says so once.
Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs = LOCK_WAIT_MS,
                          LockCall call = ::flock);

} // namespace zembro
