// The header that describes every image the renderer touches: width, height with its row order,
// and bits per pixel. Pixels are 16-bit 5-5-5 (bits 14-10 red, 9-5 green, 4-0 blue).
#pragma once

#include <cstdint>
#include <cstdlib>

namespace zembro {

struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0; // positive: bottom-up rows; negative: top-down
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 16;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

using Pixel = std::uint16_t;

// Bytes from one row to the next: rows are padded to a multiple of 4 bytes.
constexpr std::int64_t RowStride(std::int64_t width, int bitCount) {
    return ((width * bitCount + 31) >> 3) & ~std::int64_t{3};
}

// The same stride in 16-bit pixels: the width rounded up to an even number.
constexpr std::int64_t RowPixels(std::int64_t width) {
    return (width + 1) & ~std::int64_t{1};
}

constexpr int AbsHeight(const BitmapInfoHeader& h) {
    return std::abs(h.biHeight);
}

// The colour rule: the top five bits of each 8-bit channel, bit 15 clear.
constexpr Pixel PixelFromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Pixel>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

} // namespace zembro
