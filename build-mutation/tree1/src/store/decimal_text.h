// Whole decimal numbers in text written by people: options files, command lines, board files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zembro {

// The value of an optional sign followed by decimal digits and nothing else, when it lies within
// [min, max]; nothing otherwise. Never overflows, whatever the length of the text.
constexpr std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t min,
                                                   std::int64_t max) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a magnitude that stops growing once it is out of any int32/uint32 range.
    constexpr std::int64_t CEILING = std::int64_t{1} << 40;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > CEILING)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace zembro
