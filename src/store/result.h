// A value, or the reason there is none: what readers of outside data give back.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace zembro {

template <typename T> class Result {
  public:
    static Result Ok(T value) { return Result(std::move(value), {}); }
    static Result Fail(std::string reason) { return Result(std::nullopt, std::move(reason)); }

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const std::string& Reason() const { return reason_; }

  private:
    Result(std::optional<T> value, std::string reason)
        : value_(std::move(value)), reason_(std::move(reason)) {}

    std::optional<T> value_;
    std::string reason_;
};

} // namespace zembro
