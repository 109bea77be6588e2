// A read-modify-write under one lock, made again when another writer made the file first.
#include "store/file_replace.h"

namespace zembro {
namespace {

// Attempts of a rewrite whose file other writers keep making first.
constexpr int MAX_REWRITES = 20;

} // namespace

std::string KeptName(const std::string& name, int copy) {
    return name + KEPT_SUFFIX + (copy == 0 ? "" : std::to_string(copy));
}

Result<Replaced> RewriteFile(const std::string& path, const RewriteMaker& make) {
    using Written = Result<Replaced>;
    Written written = Written::Ok({});
    for (int attempt = 0; attempt < MAX_REWRITES; ++attempt) {
        const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
        if (!lock)
            return Written::Fail(lock.Status());
        const Result<Rewrite> rewrite = make(*lock);
        if (!rewrite)
            return Written::Fail(rewrite.Status());
        if (!rewrite->contents)
            return Written::Ok({});
        written = ReplaceFileContents(*lock, *rewrite->contents, rewrite->keepOld);
        if (written.Error() != FILE_ERROR_RACED)
            return written;
    }
    return written;
}

} // namespace zembro
