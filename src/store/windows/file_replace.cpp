// Write beside, flush, move over: the one way the game rewrites its files, on Windows.
#include "store/file_replace.h"
#include "store/temporary_name.h"
#include "store/windows/file_handles.h"
#include "store/windows/wide_text.h"

#include <memory>

namespace zembro {
namespace {

IoResult LastFailure(const std::string& path) {
    return SystemFailure(path, static_cast<int>(::GetLastError()));
}

bool WriteAll(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1 << 20));
        if (!::WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0)
            return false;
        contents.remove_prefix(written);
    }
    return true;
}

// Rewrites the open file in place: written from the start, cut to its new length, flushed.
IoResult RewriteInPlace(HANDLE file, const std::string& target, std::string_view contents) {
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) || !WriteAll(file, contents) ||
        !::SetEndOfFile(file) || !::FlushFileBuffers(file))
        return LastFailure(target);
    return IoResult::Ok();
}

// Whether the process numbered `id` still runs; one the writer may not look at does.
bool Running(DWORD id) {
    const WinHandle process(::OpenProcess(SYNCHRONIZE, FALSE, id));
    if (!process.Valid())
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    return ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

ULONGLONG Ticks(const FILETIME& time) {
    return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// Removes the temporaries of the file that no writer still writes: those written under the lock
// (this writer holds it, or no one can), those of a process that is gone, this one's, and any
// older than a write ever takes.
void SweepTemporaries(const FileLock::Handles& open) {
    const std::string name = Narrow(open.name);
    const std::wstring pattern =
        open.folder + L"\\." + open.name + L"*" + Wide(std::string(TEMPORARY_SUFFIX));
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const std::unique_ptr<void, decltype(&::FindClose)> closed(search, &::FindClose);
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const ULONGLONG stale = STALE_TEMPORARY_SECONDS * 10'000'000ULL; // in 100 ns
    do {
        const std::optional<unsigned long> writer = TemporaryWriter(Narrow(found.cFileName), name);
        if (!writer || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        const auto id = static_cast<DWORD>(*writer);
        if (id == 0 || id == ::GetCurrentProcessId() || !Running(id) ||
            Ticks(now) - Ticks(found.ftLastWriteTime) > stale)
            ::DeleteFileW((open.folder + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
}

// The temporary a writer writes beside the file: one name under the lock, its own without.
std::wstring Temporary(const FileLock& lock) {
    const FileLock::Handles& open = lock.Open();
    const std::optional<unsigned long> process =
        lock.Held() ? std::nullopt : std::optional<unsigned long>(::GetCurrentProcessId());
    return open.folder + L"\\" + Wide(TemporaryName(Narrow(open.name), process));
}

// Copies the open file from its start into the new file `to`, flushed: 0, or the error.
DWORD CopyInto(HANDLE from, const std::wstring& to) {
    WinHandle copy(::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER start{};
    if (!copy.Valid() || !::SetFilePointerEx(from, start, nullptr, FILE_BEGIN))
        return ::GetLastError();
    std::string buffer(1 << 16, '\0');
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr))
            return ::GetLastError();
        if (got == 0)
            break;
        if (!WriteAll(copy.Get(), std::string_view(buffer.data(), got)))
            return ::GetLastError();
    }
    return ::FlushFileBuffers(copy.Get()) && copy.Close() ? 0 : ::GetLastError();
}

// Keeps a copy of the locked file, whole before it takes the first kept name no file has: the
// copy's path, or FILE_ERROR_NOT_KEPT with what stopped it.
Result<std::string> KeepCopy(const FileLock& lock, const std::wstring& path) {
    const std::wstring temporary = Temporary(lock);
    IoResult failed = IoResult::Ok();
    if (const DWORD error = CopyInto(lock.Open().file.Get(), temporary); error != 0) {
        failed = SystemFailure(lock.Target(), static_cast<int>(error));
    } else {
        for (int number = 0; number < MAX_KEPT_COPIES; ++number) {
            const std::wstring kept = path + Wide(KeptName("", number));
            if (::MoveFileExW(temporary.c_str(), kept.c_str(), MOVEFILE_WRITE_THROUGH))
                return Result<std::string>::Ok(KeptName(lock.Target(), number));
            failed = LastFailure(KeptName(lock.Target(), number));
            if (::GetFileAttributesW(kept.c_str()) == INVALID_FILE_ATTRIBUTES)
                break; // the name was free: the move itself failed
        }
    }
    ::DeleteFileW(temporary.c_str());
    return Result<std::string>::Fail(FileFailure(
        lock.Target(), "no copy of it could be kept beside it (" + failed.Reason() + ")",
        FILE_ERROR_NOT_KEPT, failed.Error()));
}

IoResult ReplaceWith(const FileLock& lock, const std::wstring& path, std::string_view contents) {
    const std::string& target = lock.Target();
    const FileLock::Handles& open = lock.Open();
    // A new file would leave the other names with the old contents.
    if (lock.Exists() && open.info.nNumberOfLinks > 1)
        return RewriteInPlace(open.file.Get(), target, contents);

    const std::wstring temporary = Temporary(lock);
    ::DeleteFileW(temporary.c_str());
    WinHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        // A folder that takes no new file: the file itself is still the player's to write.
        if (lock.Exists() && ::GetLastError() == ERROR_ACCESS_DENIED)
            return RewriteInPlace(open.file.Get(), target, contents);
        return LastFailure(target);
    }
    DWORD error = 0;
    if (!WriteAll(file.Get(), contents) || !::FlushFileBuffers(file.Get()))
        error = ::GetLastError();
    if (!file.Close() && error == 0)
        error = ::GetLastError();
    const bool existed = lock.Exists();
    open.file.Close();
    // The first file must not replace one another writer made meanwhile; a later one does.
    const DWORD replace = existed ? MOVEFILE_REPLACE_EXISTING : 0;
    if (error == 0 &&
        !::MoveFileExW(temporary.c_str(), path.c_str(), replace | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    open.file = WinHandle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (error != 0) {
        ::DeleteFileW(temporary.c_str());
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
            return FileFailure(target, "another program made it meanwhile", FILE_ERROR_RACED);
        return SystemFailure(target, static_cast<int>(error));
    }
    return IoResult::Ok();
}

} // namespace

Result<Replaced> ReplaceFileContents(const FileLock& lock, std::string_view contents,
                                     bool keepOld) {
    using Written = Result<Replaced>;
    if (lock.Kind() != LockKind::Exclusive)
        return Written::Fail(
            FileFailure(lock.Target(), "not locked for writing", FILE_ERROR_LOCKED));
    const FileLock::Handles& open = lock.Open();
    const std::wstring path = open.folder + L"\\" + open.name;
    SweepTemporaries(open);
    Replaced replaced;
    if (keepOld && lock.Exists()) {
        const Result<std::string> kept = KeepCopy(lock, path);
        if (!kept)
            return Written::Fail(kept.Status());
        replaced.keptAs = *kept;
    }
    const IoResult written = ReplaceWith(lock, path, contents);
    if (!written) {
        if (!replaced.keptAs.empty()) // nothing written: the copy of an unchanged file goes
            ::DeleteFileW(Wide(replaced.keptAs).c_str());
        return Written::Fail(written);
    }
    return Written::Ok(std::move(replaced));
}

} // namespace zembro
