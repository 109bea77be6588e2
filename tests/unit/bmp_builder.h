// A BMP file made byte by byte: 14-byte file header, 40-byte info header, palette, rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zembro::test {

struct BmpBuilder {
    int width = 1, height = 1, bits = 24;
    std::uint32_t compression = 0, colours = 0;
    std::vector<std::uint32_t> palette{}; // 0x00RRGGBB
    std::vector<std::uint8_t> pixels{};   // already laid out in rows

    std::vector<std::uint8_t> Build() const {
        std::vector<std::uint8_t> out;
        auto u16 = [&](std::uint32_t v) {
            out.push_back(static_cast<std::uint8_t>(v));
            out.push_back(static_cast<std::uint8_t>(v >> 8));
        };
        auto u32 = [&](std::uint32_t v) {
            u16(v & 0xFFFF);
            u16(v >> 16);
        };
        const auto offset = static_cast<std::uint32_t>(54 + 4 * palette.size());
        out.push_back('B');
        out.push_back('M');
        u32(offset + static_cast<std::uint32_t>(pixels.size()));
        u32(0);
        u32(offset);
        u32(40);
        u32(static_cast<std::uint32_t>(width));
        u32(static_cast<std::uint32_t>(height));
        u16(1);
        u16(static_cast<std::uint32_t>(bits));
        u32(compression);
        u32(static_cast<std::uint32_t>(pixels.size()));
        u32(2835);
        u32(2835);
        u32(colours);
        u32(0);
        for (const std::uint32_t c : palette)
            u32(c);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// The file's bytes as a string, to write out.
inline std::string AsText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace zembro::test
