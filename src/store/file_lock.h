// The game's files as several players on one machine share them: a name resolved only through
// links that its folder's owner or the player made, the file opened once and locked through that
// handle, read and rewritten through it. One implementation per system.
#pragma once

#include "base/result.h"
#include "store/regular_file.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zembro {

enum class LockKind { Shared, Exclusive };

// How long a locker waits for another to finish before it gives up with a reason.
inline constexpr int LOCK_WAIT_MS = 5000;

// A game file opened and locked. Readers share a read lock, writers exclude each other and the
// readers with a write lock. Both are taken on the file itself, whatever name it is reached by
// and whatever its folder lets each player do, so every writer of one file meets the same lock.
// A write lock needs the file open for writing: a player who may only read the file can never
// hold one, and the game's readers hold theirs only while they read.
class FileLock {
  public:
    struct Handles; // the system's open folder and file, and what they were when opened

    FileLock(std::unique_ptr<Handles> handles, std::string target, LockKind kind);
    FileLock(FileLock&&) noexcept;
    FileLock& operator=(FileLock&&) noexcept;
    ~FileLock();

    // The file's path, its links followed: the name it is rewritten under.
    const std::string& Target() const { return target_; }
    LockKind Kind() const { return kind_; }
    // False where the file system keeps no locks: the file is used without one.
    bool Held() const { return held_; }
    void SetHeld(bool held) { held_ = held; }
    // Whether a file was there when it was locked (a writer may lock a name that has none yet).
    bool Exists() const;
    // Its size in bytes when it was locked; 0 when there is none.
    std::uint64_t Size() const;
    // Up to `limit` bytes from the start of the file; empty where there is none.
    Result<std::string> Read(std::size_t limit) const;
    // A stream reading the file from its start, sharing the lock's handle.
    Result<FilePtr> Stream() const;

    Handles& Open() const { return *handles_; }

  private:
    std::unique_ptr<Handles> handles_;
    std::string target_;
    LockKind kind_;
    bool held_ = true;
};

// Opens and locks `path`, waiting at most `waitMs` for another program's lock. Symbolic links
// are followed only when the player made them or the folder's owner did, except in a folder the
// player owns and no one else may write: a link planted by another player is refused with
// FILE_ERROR_FOREIGN_LINK. A lock another program keeps past the wait fails with
// FILE_ERROR_LOCKED (a writer) or FILE_ERROR_READ_LOCKED (only readers). Where the file system
// has no locks, the file is opened unlocked and standard error says so once.
Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs = LOCK_WAIT_MS);

} // namespace zembro
