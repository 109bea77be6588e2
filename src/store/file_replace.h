// Rewriting the game's files so that concurrent writers lose nothing and readers only ever
// see the old or the new contents whole.
#pragma once

#include "base/result.h"
#include "store/file_lock.h"

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace zembro {

// Replaces the locked file's contents: into a new file beside it that takes the old file's
// owner, group, mode, access control list and extended attributes, flushed to the disk and
// renamed over it, so a crash or a full disk at any point leaves the old file whole. Where the
// new file cannot be the same file to its users (the writer cannot give it the owner or the
// list, as in a sticky folder; the file has other names; the folder takes no new file) but the
// file itself may be written, the file is rewritten in place instead (not atomic). A file the
// player may not write, or one that is not a regular file, is refused.
IoResult ReplaceFileContents(const FileLock& lock, std::string_view contents);

// The same under a lock of its own.
IoResult ReplaceFileContents(const std::string& path, std::string_view contents);

// The process that wrote `name`, when it is exactly the name of a temporary file beside the
// file called `base`; nothing for any other name.
std::optional<pid_t> TemporaryFileWriter(std::string_view name, std::string_view base);

} // namespace zembro
