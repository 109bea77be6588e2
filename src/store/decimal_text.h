// Whole decimal numbers in text written by people: options files, command lines, board files,
// the pictures' position file and the dialog's edit boxes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zembro {

// The blanks that separate words and numbers in such text, as the C library's isspace finds them
// in the "C" locale.
constexpr bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct LeadingDecimal {
    std::int64_t value = 0; // the magnitude stops growing at the ceiling asked for
    std::size_t end = 0;    // just past the last digit
};

// An optional sign and at least one decimal digit starting at `at`; the digits after it are not
// looked at. Never overflows, whatever the length of the text.
constexpr std::optional<LeadingDecimal> ScanDecimal(std::string_view text, std::size_t at,
                                                    std::int64_t ceiling) {
    std::size_t i = at;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i == text.size() || text[i] < '0' || text[i] > '9')
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), ceiling);
    return LeadingDecimal{negative ? -magnitude : magnitude, i};
}

// The value of an optional sign followed by decimal digits and nothing else, when it lies within
// [min, max] (both inside +-2^40); nothing otherwise.
constexpr std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t min,
                                                   std::int64_t max) {
    constexpr std::int64_t CEILING = (std::int64_t{1} << 40) + 1; // beyond any bound asked for
    const std::optional<LeadingDecimal> number = ScanDecimal(text, 0, CEILING);
    if (!number || number->end != text.size() || number->value < min || number->value > max)
        return std::nullopt;
    return number->value;
}

} // namespace zembro
