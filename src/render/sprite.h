// A loaded picture: 16-bit 5-5-5 pixels, bottom row first, rows padded to 4 bytes.
#pragma once

#include "render/image_view.h"

#include <cstdint>
#include <vector>

namespace zembro {

// A run of pixels of one stored row that are not the key colour.
struct OpaqueRun {
    std::uint16_t start, length;
};

struct Sprite {
    BitmapInfoHeader header; // biHeight is always positive: rows bottom-up
    std::vector<Pixel> pixels;
    // Optional index of the rows' opaque runs: row r's runs are runs[rowRuns[r] .. rowRuns[r+1]).
    std::vector<OpaqueRun> runs;
    std::vector<std::uint32_t> rowRuns;
    // Piece pictures only: how far the picture starts left of and above the cell's position.
    std::int32_t hotX = 0;
    std::int32_t hotY = 0;

    bool Empty() const { return pixels.empty(); }
    int Width() const { return header.biWidth; }
    int Height() const { return header.biHeight; }
    Pixel* bits() { return pixels.data(); }
    const Pixel* bits() const { return pixels.data(); }
    PixelView View() { return ViewOf(header, pixels.data()); }
    ConstPixelView View() const { return ViewOf(header, pixels.data()); }
};

// A blank sprite of the given size, all pixels 0, with the header of a 16-bit conversion.
inline Sprite MakeSprite(int width, int height) {
    Sprite sprite;
    sprite.header.biWidth = width;
    sprite.header.biHeight = height;
    sprite.header.biSizeImage = static_cast<std::uint32_t>(width * height * 2);
    sprite.pixels.assign(static_cast<std::size_t>(RowPixels(width) * height), 0);
    return sprite;
}

} // namespace zembro
