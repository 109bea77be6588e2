// The one result type every layer returns: a value (or, for Result<void>, success), or the
// reason there is none, a person can read, with what went wrong for a message in the player's
// language.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zembro {

// What went wrong, in the project's own terms: each system's error numbers map to these, and
// each has its Italian text for the player.
enum FileError : int {
    FILE_ERROR_NONE = 0,
    FILE_ERROR_NOT_REGULAR,   // a FIFO, device, folder or socket where a file belongs
    FILE_ERROR_LOCKED,        // another writer held the file past the bounded wait
    FILE_ERROR_MALFORMED,     // the file is there but its contents cannot be used
    FILE_ERROR_READ_LOCKED,   // readers held the file past a writer's bounded wait
    FILE_ERROR_FOREIGN_LINK,  // a symbolic link another user planted, not followed
    FILE_ERROR_RACED,         // another writer made the file first; read it and try again
    FILE_ERROR_NOT_FOUND,     // no such file or folder
    FILE_ERROR_DENIED,        // the player may not do it
    FILE_ERROR_READ_ONLY,     // the disk takes no writes
    FILE_ERROR_NO_SPACE,      // the disk or the player's quota is full
    FILE_ERROR_TOO_LARGE,     // past the largest file the process may write
    FILE_ERROR_LINK_LOOP,     // too many symbolic links in a row
    FILE_ERROR_NAME_TOO_LONG, // a path or a name longer than the system takes
    FILE_ERROR_NOT_A_FOLDER,  // a file where a folder of the path belongs
    FILE_ERROR_DEVICE,        // the disk failed to read or write
    FILE_ERROR_NOT_PERMITTED, // the file system does not do it, whoever asks
    FILE_ERROR_NOT_KEPT,      // a file to be kept beside its replacement could not be copied
    FILE_ERROR_SYSTEM,        // anything else the system said
};

template <typename T> class Result;

// Success with no value, or the reason for the failure.
template <> class Result<void> {
  public:
    static Result Ok() { return Result(true, {}, FILE_ERROR_NONE); }
    // `cause` is the system's reason under a failure of the game's own kind (what stopped a
    // copy, say), FILE_ERROR_NONE where there is none.
    // `file` is the file the failure is about, links followed, where there is one.
    static Result Fail(std::string reason, int error = FILE_ERROR_MALFORMED,
                       int cause = FILE_ERROR_NONE, std::string file = {}) {
        return Result(false, std::move(reason), error, cause, std::move(file));
    }

    explicit operator bool() const { return ok_; }
    const std::string& Reason() const { return reason_; } // empty on success
    int Error() const { return error_; }
    int Cause() const { return cause_; }
    const std::string& File() const { return file_; }

  private:
    Result(bool ok, std::string reason, int error, int cause = FILE_ERROR_NONE,
           std::string file = {})
        : ok_(ok), reason_(std::move(reason)), error_(error), cause_(cause),
          file_(std::move(file)) {}

    bool ok_;
    std::string reason_;
    int error_;
    int cause_;
    std::string file_;
};

// The result of an operation that gives nothing but success.
using IoResult = Result<void>;

// A failure about one file, its path first in the reason.
inline IoResult FileFailure(const std::string& file, const std::string& what, int error,
                            int cause = FILE_ERROR_NONE) {
    return IoResult::Fail(file + ": " + what, error, cause, file);
}

template <typename T> class Result {
  public:
    static Result Ok(T value) { return Result(std::move(value), IoResult::Ok()); }
    static Result Fail(std::string reason, int error = FILE_ERROR_MALFORMED) {
        return Result(std::nullopt, IoResult::Fail(std::move(reason), error));
    }
    static Result Fail(const IoResult& failed) { return Result(std::nullopt, failed); }

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& Reason() const { return status_.Reason(); }
    int Error() const { return status_.Error(); }
    // Success or the failure, without the value.
    IoResult Status() const { return status_; }

  private:
    Result(std::optional<T> value, IoResult status)
        : value_(std::move(value)), status_(std::move(status)) {}

    std::optional<T> value_;
    IoResult status_;
};

} // namespace zembro
