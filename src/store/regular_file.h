// Opening the files the game reads: regular files only, never blocking on a FIFO or a device,
// every handle closed by its owner. One implementation per system.
#pragma once

#include "base/result.h"

#include <cstdio>
#include <memory>
#include <string>

namespace zembro {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// "PATH: reason" from the system's own error number (errno, or Windows' last error), with the
// project's code for it.
IoResult SystemFailure(const std::string& path, int systemError);

// A regular file opened for reading in binary mode; anything else (a FIFO, a device, a folder, a
// socket) is refused at once without being waited on.
Result<FilePtr> OpenForReading(const std::string& path);

// A write past the process's file-size limit fails, told like any failed write, instead of a
// signal ending the process with the temporary file left behind. Called once, at the start of a
// program that writes the game's files.
void FailWritesPastTheSizeLimit();

// A path as the player reads it in a message: on Windows the whole path with its backslashes,
// elsewhere as given, without a leading "./".
std::string ShownPath(const std::string& path);

} // namespace zembro
