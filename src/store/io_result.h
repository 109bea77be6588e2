// The result of a file operation: success, or a reason a person can read.
#pragma once

#include <string>

namespace zembro {

struct IoResult {
    bool ok = false;
    std::string reason; // empty on success

    static IoResult Success() { return {true, {}}; }
    static IoResult Failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

} // namespace zembro
