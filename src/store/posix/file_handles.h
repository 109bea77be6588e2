// What a lock holds on POSIX systems: the open folder, the file's name in it and the open file,
// and the record-lock call behind it.
#pragma once

#include "store/file_lock.h"
#include "store/posix/file_descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace zembro {

struct FileLock::Handles {
    FileDescriptor folder; // opened as a path only: a folder that cannot be read serves too
    std::string name;
    FileDescriptor file; // the lock goes with this descriptor; invalid when there is no file
    struct stat info {};
};

// The system's record-lock call (fcntl with a struct flock); a seam for file systems that keep
// no locks.
using LockCall = int (*)(int fd, int command, struct flock* lock);
int SystemLockCall(int fd, int command, struct flock* lock);

Result<FileLock> LockFileWith(const std::string& path, LockKind kind, int waitMs, LockCall call);

} // namespace zembro
