// A POSIX file descriptor owned once, and the project's code for an errno value.
#pragma once

#include "base/result.h"

namespace zembro {

class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release();
    // Closes now and reports whether the close succeeded (a late write error shows up here).
    bool Close();

  private:
    int fd_ = -1;
};

FileError FileErrorOf(int error);

} // namespace zembro
