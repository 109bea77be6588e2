// Rewriting the game's files so that concurrent writers lose nothing and readers only ever
// see the old or the new contents whole.
#pragma once

#include "base/io_result.h"
#include "base/result.h"
#include "store/regular_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace zembro {

enum class LockKind { Shared, Exclusive };

// How long a writer waits for another to finish before it gives up with a reason.
inline constexpr int LOCK_WAIT_MS = 5000;

// An advisory lock on the folder that holds a file, held for a whole read-modify-write. The
// folder rather than the file is locked, so the lock survives the file being renamed over and
// covers a file that does not exist yet.
class FileLock {
  public:
    // The file the locked path names, its symbolic links followed: the file rewritten.
    const std::string& Target() const { return target_; }
    LockKind Kind() const { return kind_; }

  private:
    friend Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs);
    FileLock(FileDescriptor folder, std::string target, LockKind kind)
        : folder_(std::move(folder)), target_(std::move(target)), kind_(kind) {}

    FileDescriptor folder_; // the lock goes with the descriptor
    std::string target_;
    LockKind kind_;
};

// Locks the folder of `path` (its symbolic links followed), waiting at most `waitMs`.
Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs = LOCK_WAIT_MS);

// Replaces the locked file's contents: into a new file beside it that takes the old file's mode
// and owner, flushed to the disk and renamed over it, so a crash or a full disk at any point
// leaves the old file whole. Where the folder cannot take the new file but the file itself may
// be written, the file is rewritten in place instead (not atomic). A file the player may not
// write, or one that is not a regular file, is refused.
IoResult ReplaceFileContents(const FileLock& lock, std::string_view contents);

// The same under a lock of its own.
IoResult ReplaceFileContents(const std::string& path, std::string_view contents);

// The process that wrote `name`, when it is exactly the name of a temporary file beside the
// file called `base`; nothing for any other name.
std::optional<pid_t> TemporaryFileWriter(std::string_view name, std::string_view base);

} // namespace zembro
