// A value, or the reason there is none: what readers of outside data give back.
#pragma once

#include "base/io_result.h"

#include <optional>
#include <string>
#include <utility>

namespace zembro {

template <typename T> class Result {
  public:
    static Result Ok(T value) { return Result(std::move(value), {}, FILE_ERROR_NONE); }
    static Result Fail(std::string reason, int error = FILE_ERROR_MALFORMED) {
        return Result(std::nullopt, std::move(reason), error);
    }
    static Result Fail(const IoResult& failed) { return Fail(failed.reason, failed.error); }

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& Reason() const { return reason_; }
    int Error() const { return error_; }
    IoResult Status() const {
        return value_ ? IoResult::Success() : IoResult::Failure(reason_, error_);
    }

  private:
    Result(std::optional<T> value, std::string reason, int error)
        : value_(std::move(value)), reason_(std::move(reason)), error_(error) {}

    std::optional<T> value_;
    std::string reason_;
    int error_;
};

} // namespace zembro
