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

// The lock file, hidden beside the file. The last one to hold it removes it, so that none stays
// beside the player's files; whoever then holds a lock on a file no longer under that name
// lets it go and takes the name's new one.
std::wstring LockPath(const FileLock::Handles& open) {
    return open.folder + L"\\." + open.name + L".zembro-lock";
}

constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Whether `path` still names the file open as `held`.
bool StillNamed(HANDLE held, const std::wstring& path) {
    BY_HANDLE_FILE_INFORMATION mine{}, named{};
    const WinHandle now(::CreateFileW(path.c_str(), 0, SHARE_ALL, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return now.Valid() && ::GetFileInformationByHandle(held, &mine) &&
           ::GetFileInformationByHandle(now.Get(), &named) &&
           mine.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           mine.nFileIndexHigh == named.nFileIndexHigh && mine.nFileIndexLow == named.nFileIndexLow;
}

// Opens the lock file, made when it is missing; a reader that may not make it opens it only to
// read. Gives the reason it could not be opened at all: the making's, not the reading's.
struct Opened {
    WinHandle lock;
    DWORD error = 0;
    bool going = false; // it is being removed: another moment and it is made anew
};
Opened OpenLockFile(const std::wstring& path) {
    Opened opened{WinHandle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, SHARE_ALL,
                                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr))};
    if (opened.lock.Valid())
        return opened;
    opened.error = ::GetLastError();
    opened.lock = WinHandle(::CreateFileW(path.c_str(), GENERIC_READ, SHARE_ALL, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A file that is there and cannot be opened at all is one its last holder is removing.
    opened.going = !opened.lock.Valid() && opened.error == ERROR_ACCESS_DENIED &&
                   (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
                    ::GetLastError() != ERROR_FILE_NOT_FOUND);
    return opened;
}

} // namespace

FileLock::Handles::~Handles() {
    file.Close();
    if (!locked)
        return;
    // Removed only by the one that can lock it alone: no one else holds it or waits on it.
    OVERLAPPED whole{}, alone{};
    ::UnlockFileEx(lock.Get(), 0, MAXDWORD, MAXDWORD, &whole);
    if (::LockFileEx(lock.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                     MAXDWORD, &alone))
        ::DeleteFileW(LockPath(*this).c_str());
}

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
        return Result<FilePtr>::Fail(FileFailure(target_, "no such file", FILE_ERROR_NOT_FOUND));
    HANDLE copy = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    if (!::DuplicateHandle(process, handles_->file.Get(), process, &copy, GENERIC_READ, FALSE, 0))
        return Result<FilePtr>::Fail(LastFailure(target_));
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(copy), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(copy);
        return Result<FilePtr>::Fail(FileFailure(target_, "cannot be read", FILE_ERROR_SYSTEM));
    }
    FilePtr stream(::_fdopen(fd, "rb"));
    if (!stream) {
        ::_close(fd);
        return Result<FilePtr>::Fail(FileFailure(target_, "cannot be read", FILE_ERROR_SYSTEM));
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
        return Taken::Fail(FileFailure(path, "not a regular file", FILE_ERROR_NOT_REGULAR));

    // The lock first, so that the file opened is the one no other writer is replacing.
    const std::wstring lockPath = LockPath(*handles);
    const DWORD flags =
        LOCKFILE_FAIL_IMMEDIATELY | (kind == LockKind::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    const auto late = [&] { return std::chrono::steady_clock::now() >= deadline; };
    const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(10)); };
    DWORD unlockable = 0; // why no lock file could be had, when none could
    while (!handles->locked) {
        Opened opened = OpenLockFile(lockPath);
        if (opened.going && !late()) {
            pause();
            continue;
        }
        if (!opened.lock.Valid()) {
            unlockable = opened.error;
            break;
        }
        handles->lock = std::move(opened.lock);
        for (;;) {
            OVERLAPPED whole{};
            if (::LockFileEx(handles->lock.Get(), flags, 0, MAXDWORD, MAXDWORD, &whole)) {
                handles->locked = true;
                break;
            }
            if (::GetLastError() != ERROR_LOCK_VIOLATION && ::GetLastError() != ERROR_IO_PENDING)
                break; // a file system without locks: used without one
            if (late()) {
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
            pause();
        }
        if (!handles->locked)
            break;
        if (!StillNamed(handles->lock.Get(), lockPath)) {
            // Its last holder removed it meanwhile: the name's new lock file is the one to hold.
            OVERLAPPED whole{};
            ::UnlockFileEx(handles->lock.Get(), 0, MAXDWORD, MAXDWORD, &whole);
            handles->locked = false;
            handles->lock.Close();
        }
    }
    // A reader that may not make the lock file reads unlocked; a writer says why it cannot.
    if (unlockable != 0 && kind == LockKind::Exclusive && unlockable != ERROR_ACCESS_DENIED &&
        unlockable != ERROR_WRITE_PROTECT)
        return Taken::Fail(SystemFailure(path, static_cast<int>(unlockable)));
    const bool held = handles->locked;

    const DWORD access = kind == LockKind::Exclusive ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    handles->file = WinHandle(
        ::CreateFileW(full.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handles->file.Valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return Taken::Fail(SystemFailure(path, static_cast<int>(error)));
    } else if (::GetFileType(handles->file.Get()) != FILE_TYPE_DISK) {
        return Taken::Fail(FileFailure(path, "not a regular file", FILE_ERROR_NOT_REGULAR));
    } else if (!::GetFileInformationByHandle(handles->file.Get(), &handles->info)) {
        return Taken::Fail(LastFailure(path));
    }
    FileLock lock(std::move(handles), path, kind);
    lock.SetHeld(held);
    return Taken::Ok(std::move(lock));
}

} // namespace zembro
