// Regular files only, opened without blocking: the Windows side.
#include "store/regular_file.h"
#include "store/windows/file_handles.h"
#include "store/windows/wide_text.h"

#include <fcntl.h>
#include <io.h>

namespace zembro {

FileError FileErrorOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return FILE_ERROR_NOT_FOUND;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FILE_ERROR_DENIED;
    case ERROR_WRITE_PROTECT:
        return FILE_ERROR_READ_ONLY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FILE_ERROR_NO_SPACE;
    case ERROR_FILE_TOO_LARGE:
        return FILE_ERROR_TOO_LARGE;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return FILE_ERROR_NAME_TOO_LONG;
    case ERROR_DIRECTORY:
        return FILE_ERROR_NOT_A_FOLDER;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
        return FILE_ERROR_DEVICE;
    default:
        return FILE_ERROR_SYSTEM;
    }
}

IoResult SystemFailure(const std::string& path, int systemError) {
    const auto error = static_cast<DWORD>(systemError);
    char text[256] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         0, text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    if (reason.empty())
        reason = "system error " + std::to_string(error);
    return FileFailure(path, reason, FileErrorOf(error));
}

Result<FilePtr> OpenForReading(const std::string& path) {
    using Opened = Result<FilePtr>;
    const std::wstring wide = Wide(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Opened::Fail(FileFailure(path, "not a regular file", FILE_ERROR_NOT_REGULAR));
    WinHandle file(::CreateFileW(wide.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Opened::Fail(SystemFailure(path, static_cast<int>(::GetLastError())));
    // A device (CON, NUL, a pipe) is no file of the game's.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
        return Opened::Fail(FileFailure(path, "not a regular file", FILE_ERROR_NOT_REGULAR));
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        return Opened::Fail(FileFailure(path, "cannot be read", FILE_ERROR_SYSTEM));
    file.Release(); // the descriptor owns it now
    FilePtr stream(::_fdopen(fd, "rb"));
    if (!stream) {
        ::_close(fd);
        return Opened::Fail(FileFailure(path, "cannot be read", FILE_ERROR_SYSTEM));
    }
    return Opened::Ok(std::move(stream));
}

void FailWritesPastTheSizeLimit() {} // Windows sends no signal for a write past a limit

std::string ShownPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    std::wstring full(32768, L'\0');
    const DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return path;
    full.resize(length);
    return Narrow(full);
}

} // namespace zembro
