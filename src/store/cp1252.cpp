// Windows-1252 and UTF-8: ASCII and Latin-1 map to themselves, 0x80-0x9F to the typographic
// characters of the code page.
#include "store/cp1252.h"

#include <array>
#include <cstdint>

namespace zembro {
namespace {

// Code points of bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char32_t, 32> HIGH = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HIGH.size(); ++i)
        if (HIGH[i] == c && c != 0)
            return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<std::uint8_t>(utf8[i]);
        const int length = b < 0x80         ? 1
                           : (b >> 5) == 6  ? 2
                           : (b >> 4) == 14 ? 3
                           : (b >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = static_cast<char32_t>(length == 1 ? b : b & (0x7F >> length));
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
            valid = valid && (next >> 6) == 2;
            c = (c << 6) | (next & 0x3F);
        }
        out += valid ? ToCp1252(c) : '?';
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    for (const char ch : cp1252) {
        const auto b = static_cast<std::uint8_t>(ch);
        const char32_t c = b >= 0x80 && b < 0xA0 ? HIGH[b - 0x80] : b;
        AppendUtf8(out, c == 0 ? U'?' : c);
    }
    return out;
}

} // namespace zembro
