// Locking a game file on Windows: a lock file beside it, then the file opened once.
#include "store/path_parts.h"
#include "store/windows/file_handles.h"
#include "store/windows/wide_text.h"

#include <chrono>
#include <fcntl.h>
#include <io.h>
#include <thread>
#include <utility>

namespace zembro {
namespace {

IoResult LastFailure(const std::string& path) {
    return SystemFailure(path, static_cast<int>(::GetLastError()));
}

// The lock file of `name`: never removed, so that every writer always meets the same one.
std::wstring LockName(const std::wstring& name) {
    return L"." + name + L".zembro-lock";
}

// Opens the lock file, made when it is missing; a reader that may not make it reads unlocked.
WinHandle OpenLockFile(const FileLock::Handles& open) {
    const std::wstring path = open.folder + L"\\" + LockName(open.name);
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    WinHandle lock(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!lock.Valid())
        lock = WinHandle(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return lock;
}

} // namespace

std::uint64_t FileLock::Size() const {
    if (!Exists())
        return 0;
    return std::uint64_t{handles_->info.nFileSizeHigh} << 32 | handles_->info.nFileSizeLow;
}

Result<std::string> FileLock::Read(std::size_t limit) const {
    std::string bytes;
    if (!Exists())
        return Result<std::string>::Ok(std::move(bytes));
    bytes.resize(limit);
    std::size_t got = 0;
    while (got < limit) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(got);
        at.OffsetHigh = static_cast<DWORD>(std::uint64_t{got} >> 32);
        DWORD read = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(limit - got, 1 << 20));
        if (!::ReadFile(handles_->file.Get(), bytes.data() + got, wanted, &read, &at)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            return Result<std::string>::Fail(LastFailure(target_));
        }
        if (read == 0)
            break;
        got += read;
    }
    bytes.resize(got);
    return Result<std::string>::Ok(std::move(bytes));
}

Result<FilePtr> FileLock::Stream() const {
    if (!Exists())
        return Result<FilePtr>::Fail(target_ + ": no such file", FILE_ERROR_NOT_FOUND);
    HANDLE copy = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    if (!::DuplicateHandle(process, handles_->file.Get(), process, &copy, GENERIC_READ, FALSE, 0))
        return Result<FilePtr>::Fail(LastFailure(target_));
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(copy), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(copy);
        return Result<FilePtr>::Fail(target_ + ": cannot be read", FILE_ERROR_SYSTEM);
    }
    FilePtr stream(::_fdopen(fd, "rb"));
    if (!stream) {
        ::_close(fd);
        return Result<FilePtr>::Fail(target_ + ": cannot be read", FILE_ERROR_SYSTEM);
    }
    std::fseek(stream.get(), 0, SEEK_SET);
    return Result<FilePtr>::Ok(std::move(stream));
}

Result<FileLock> LockFile(const std::string& path, LockKind kind, int waitMs) {
    using Taken = Result<FileLock>;
    auto handles = std::make_unique<FileLock::Handles>();
    handles->folder = Wide(FolderOf(path));
    handles->name = Wide(BaseOf(path));
    const std::wstring full = handles->folder + L"\\" + handles->name;
    const DWORD attributes = ::GetFileAttributesW(full.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Taken::Fail(path + ": not a regular file", FILE_ERROR_NOT_REGULAR);

    // The lock first, so that the file opened is the one no other writer is replacing.
    handles->lock = OpenLockFile(*handles);
    bool held = false;
    if (handles->lock.Valid()) {
        const DWORD flags =
            LOCKFILE_FAIL_IMMEDIATELY | (kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        for (;;) {
            OVERLAPPED whole{};
            if (::LockFileEx(handles->lock.Get(), flags, 0, MAXDWORD, MAXDWORD, &whole)) {
                held = true;
                break;
            }
            if (::GetLastError() != ERROR_LOCK_VIOLATION && ::GetLastError() != ERROR_IO_PENDING)
                break; // a file system without locks: used without one
            if (std::chrono::steady_clock::now() >= deadline) {
                // Who keeps it: a shared lock granted now means only readers do.
                OVERLAPPED probe{};
                const bool readers = kind == LockKind::Exclusive &&
                                     ::LockFileEx(handles->lock.Get(), LOCKFILE_FAIL_IMMEDIATELY, 0,
                                                  MAXDWORD, MAXDWORD, &probe);
                if (readers)
                    ::UnlockFileEx(handles->lock.Get(), 0, MAXDWORD, MAXDWORD, &probe);
                return Taken::Fail(
                    path + ": another program is " + (readers ? "reading" : "writing") +
                        " it and did not finish in " + std::to_string(waitMs) + " ms",
                    readers ? FILE_ERROR_READ_LOCKED : FILE_ERROR_LOCKED);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    } else if (kind == LockKind::Exclusive && ::GetLastError() != ERROR_ACCESS_DENIED &&
               ::GetLastError() != ERROR_WRITE_PROTECT) {
        return Taken::Fail(LastFailure(path));
    }

    const DWORD access = kind == LockKind::Exclusive ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    handles->file = WinHandle(
        ::CreateFileW(full.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handles->file.Valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return Taken::Fail(SystemFailure(path, static_cast<int>(error)));
    } else if (::GetFileType(handles->file.Get()) != FILE_TYPE_DISK) {
        return Taken::Fail(path + ": not a regular file", FILE_ERROR_NOT_REGULAR);
    } else if (!::GetFileInformationByHandle(handles->file.Get(), &handles->info)) {
        return Taken::Fail(LastFailure(path));
    }
    FileLock lock(std::move(handles), path, kind);
    lock.SetHeld(held);
    return Taken::Ok(std::move(lock));
}

} // namespace zembro
