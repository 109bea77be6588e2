// The 800 x 600 16-bit surface every frame is composed in before the platform shows it.
#pragma once

#include "render/bitmap_header.h"

#include <optional>
#include <vector>

namespace zembro {

inline constexpr int SCREEN_WIDTH = 800;
inline constexpr int SCREEN_HEIGHT = 600;

// What changed in the surface since it was last shown: everything, or some boxes.
struct Damage {
    struct Box {
        int left, top, right, bottom;
    };
    bool all = true;
    std::vector<Box> boxes;

    void MarkAll() { all = true; }
    void Mark(int x, int y, int width, int height) {
        if (!all)
            boxes.push_back({x, y, x + width, y + height});
    }
    void Clear() {
        all = false;
        boxes.clear();
    }
};

struct BackBuffer {
    bool created = false;               // the drawing context exists (the surface comes later)
    std::int32_t recommendedHeight = 0; // the platform's recommended row order, by its sign
    BitmapInfoHeader header;
    std::vector<Pixel> pixels;
    Damage damage; // what the presenter has to look at next time

    bool HasSurface() const { return !pixels.empty(); }
    Pixel* bits() { return pixels.data(); }
    const Pixel* bits() const { return pixels.data(); }
    std::size_t SizeInBytes() const { return pixels.size() * sizeof(Pixel); }
};

// Fills the header from the platform's recommended format (when it has one): 800 wide, 600
// rows bottom-up when the recommended height is positive, top-down otherwise.
bool CreateBackBuffer(BackBuffer& buffer, const std::optional<BitmapInfoHeader>& recommended);

// Allocates the surface the header describes.
void CreateSurface(BackBuffer& buffer);

} // namespace zembro
