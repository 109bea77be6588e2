// A read-modify-write under one lock, made again when another writer made the file first.
#include "store/file_replace.h"

namespace zembro {
namespace {

// Attempts of a rewrite whose file other writers keep making first.
constexpr int MAX_REWRITES = 20;

} // namespace

IoResult RewriteFile(const std::string& path, const RewriteMaker& make) {
    IoResult written = IoResult::Ok();
    for (int attempt = 0; attempt < MAX_REWRITES; ++attempt) {
        const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
        if (!lock)
            return lock.Status();
        const Result<Rewrite> rewrite = make(*lock);
        if (!rewrite)
            return rewrite.Status();
        if (!rewrite->contents)
            return IoResult::Ok();
        written = ReplaceFileContents(*lock, *rewrite->contents, rewrite->keepOld);
        if (written.Error() != FILE_ERROR_RACED)
            return written;
    }
    return written;
}

} // namespace zembro
