// What a lock holds on Windows: the lock file beside the game's file (a folder handle cannot be
// locked), the game's file opened once, and what it was when it was opened.
#pragma once

#include "store/file_lock.h"

#include "store/windows/windows_api.h"
#include <string>

namespace zembro {

// Owns a Windows handle; closes it once.
class WinHandle {
  public:
    WinHandle() = default;
    explicit WinHandle(HANDLE handle) : handle_(handle) {}
    WinHandle(WinHandle&& other) noexcept : handle_(other.Release()) {}
    WinHandle& operator=(WinHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.Release();
        }
        return *this;
    }
    WinHandle(const WinHandle&) = delete;
    WinHandle& operator=(const WinHandle&) = delete;
    ~WinHandle() { Close(); }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool Close() {
        if (!Valid())
            return true;
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

struct FileLock::Handles {
    Handles() = default;
    Handles(const Handles&) = delete;
    Handles& operator=(const Handles&) = delete;
    // Closes the file, and removes the lock file when no one else holds or awaits it.
    ~Handles();

    std::wstring folder, name; // the file is folder + L"\\" + name
    WinHandle lock;            // the lock file; invalid where none could be had
    bool locked = false;       // the lock file is locked through `lock`
    // Invalid when there is no file. Windows replaces no file that is open, so a rewrite closes
    // it for the move and opens what replaced it.
    mutable WinHandle file;
    BY_HANDLE_FILE_INFORMATION info{};
};

FileError FileErrorOf(DWORD error);

} // namespace zembro
