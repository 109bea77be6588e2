// Rewriting the game's files so that concurrent writers lose nothing and readers only ever
// see the old or the new contents whole.
#pragma once

#include "base/result.h"
#include "store/file_lock.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zembro {

// What an old file is kept as, beside the new one, when it is replaced on purpose: its name
// followed by KEPT_SUFFIX, or by KEPT_SUFFIX and a number when that name is taken.
inline constexpr const char* KEPT_SUFFIX = "~";
// The most copies of one file kept beside it.
inline constexpr int MAX_KEPT_COPIES = 1000;
std::string KeptName(const std::string& name, int copy);

// What a replacement left beside the file: the path of the copy of the old file, if one was kept.
struct Replaced {
    std::string keptAs;
};

// Replaces the locked file's contents: into a new file beside it that takes the old file's
// owner, group, mode, access control list and extended attributes, flushed to the disk and
// renamed over it, so a crash or a full disk at any point leaves the old file whole. This needs
// neither links, unnamed files, access control lists nor locks from the file system. Where the
// new file cannot be the same file to its users (the writer cannot give it the owner or the
// list, as in a sticky folder; the file has other names; the folder takes no new file) but the
// file itself may be written, the file is rewritten in place instead, through the locked
// descriptor (not atomic). A file the player may not write, or one that is not a regular file,
// is refused. A name with no file yet gets one only whole: another writer that made it first
// meanwhile gives FILE_ERROR_RACED, and the caller reads it and tries again. With `keepOld`, a
// copy of the old file is first made under a kept name no file has yet, or nothing is written
// (FILE_ERROR_NOT_KEPT, with the copy's own failure as the cause). Temporaries that killed
// writers left beside the file are removed first.
Result<Replaced> ReplaceFileContents(const FileLock& lock, std::string_view contents,
                                     bool keepOld = false);

// What a rewrite puts in the file: new contents, or none to leave it as it is.
struct Rewrite {
    std::optional<std::string> contents;
    bool keepOld = false;
};
using RewriteMaker = std::function<Result<Rewrite>(const FileLock& lock)>;

// Locks `path` for writing, asks `make` for the new contents from the file as locked, and writes
// them; made again from the new file when another writer made the file first.
Result<Replaced> RewriteFile(const std::string& path, const RewriteMaker& make);

} // namespace zembro
