// What a lock is on every system; the system's own handles say the rest.
#ifdef _WIN32
#include "store/windows/file_handles.h"
#else
#include "store/posix/file_handles.h"
#endif

#include <utility>

namespace zembro {

FileLock::FileLock(std::unique_ptr<Handles> handles, std::string target, LockKind kind)
    : handles_(std::move(handles)), target_(std::move(target)), kind_(kind) {}
FileLock::FileLock(FileLock&&) noexcept = default;
FileLock& FileLock::operator=(FileLock&&) noexcept = default;
FileLock::~FileLock() = default;

bool FileLock::Exists() const {
    return handles_->file.Valid();
}

} // namespace zembro
