// The result of a file operation: success, or a reason a person can read.
#pragma once

#include <string>

namespace zembro {

// What went wrong, for a message in the player's language: an errno value, or one of these.
enum FileError : int {
    FILE_ERROR_NONE = 0,
    FILE_ERROR_NOT_REGULAR = -1, // a FIFO, device, folder or socket where a file belongs
    FILE_ERROR_LOCKED = -2,      // another writer held the file past the bounded wait
    FILE_ERROR_MALFORMED = -3,   // the file is there but its contents cannot be used
    FILE_ERROR_READ_LOCKED = -4, // readers held the file past a writer's bounded wait
};

struct IoResult {
    bool ok = false;
    std::string reason; // empty on success
    int error = FILE_ERROR_NONE;

    static IoResult Success() { return {true, {}, FILE_ERROR_NONE}; }
    static IoResult Failure(std::string why, int error = FILE_ERROR_MALFORMED) {
        return {false, std::move(why), error};
    }
    explicit operator bool() const { return ok; }
};

} // namespace zembro
