// Reading BMP files: the headers are checked and the pixel rows converted to the renderer's one
// format, 16-bit 5-5-5 bottom-up. A malformed file is refused with a reason and never read past
// its end.
#pragma once

#include "base/result.h"
#include "game/screen_layout.h"
#include "render/bitmap_header.h"
#include "render/sprite.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zembro {

enum class BmpEncoding { Rgb, Rle8, Rle4, BitFields };

// A file whose headers passed every check: what the pixel decoder needs, and nothing it must
// check again.
struct BmpLayout {
    BitmapInfoHeader header; // the file's fields, as a 40-byte header gives them
    int width = 0;
    int height = 0; // rows, always positive
    bool topDown = false;
    int bitCount = 0;
    BmpEncoding encoding = BmpEncoding::Rgb;
    std::array<std::uint32_t, 3> masks{};    // red, green, blue, for 16 and 32 bits
    std::vector<std::uint32_t> palette;      // 0x00RRGGBB, at most 2^bitCount entries
    std::span<const std::uint8_t> pixelData; // from the pixel offset to the end of the file
};

// Nothing the scene draws can show more than the screen: a picture over twice the screen on
// either side is refused from its header, before its pixels are read or decoded.
inline constexpr int BMP_MAX_WIDTH = 2 * SCREEN_WIDTH, BMP_MAX_HEIGHT = 2 * SCREEN_HEIGHT;
inline constexpr std::int64_t BMP_MAX_PIXELS = std::int64_t{BMP_MAX_WIDTH} * BMP_MAX_HEIGHT;
// Twice the file of the largest picture taken (32 bits a pixel, 7.7 MB): a larger file is
// refused before it is read.
inline constexpr std::int64_t BMP_MAX_FILE_BYTES = std::int64_t{16} << 20;

Result<BmpLayout> ParseBmp(std::span<const std::uint8_t> file);

// Decodes the pixels into a 16-bit sprite: 8-bit and 24-bit colours (and every other depth) by
// the top five bits of each channel; 16-bit 5-5-5 pixels as stored; rows turned bottom-up.
// Refuses run-length data that runs off the picture.
Result<Sprite> ConvertTo16(const BmpLayout& layout);

// Reads, checks and converts one BMP file; one of more than `maxPixels` pixels is refused from
// its header.
Result<Sprite> LoadSprite(const std::string& path, std::int64_t maxPixels = BMP_MAX_PIXELS);

} // namespace zembro
