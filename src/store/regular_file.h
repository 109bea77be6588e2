// Opening the files the game reads and writes: regular files only, never blocking on a FIFO
// or a device, every handle closed by its owner.
#pragma once

#include "base/result.h"

#include <cstdio>
#include <memory>
#include <string>

namespace zembro {

// Owns a file descriptor; closes it once.
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// "PATH: reason" from an errno value.
IoResult SystemFailure(const std::string& path, int error);

// Opens `path` with `flags` (O_RDONLY, O_WRONLY, ...; never O_CREAT: the file exists) when it
// names a regular file; anything else (a FIFO, a device, a folder, a socket) is refused at once
// without being waited on.
Result<FileDescriptor> OpenRegular(const std::string& path, int flags);

// A write past the process's file-size limit fails with EFBIG, told like any failed write,
// instead of the signal ending the process with the temporary file left behind. Called once, at
// the start of a program that writes the game's files.
void FailWritesPastTheSizeLimit();

// A regular file opened for reading in binary mode.
Result<FilePtr> OpenForReading(const std::string& path);

} // namespace zembro
