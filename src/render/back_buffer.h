// The 800 x 600 16-bit surface every frame is composed in before the platform shows it.
#pragma once

#include "game/screen_layout.h"
#include "render/image_view.h"

#include <optional>
#include <vector>

namespace zembro {

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
    BitmapInfoHeader header;
    std::vector<Pixel> pixels;
    Damage damage; // what the presenter has to look at next time

    bool HasSurface() const { return !pixels.empty(); }
    Pixel* bits() { return pixels.data(); }
    const Pixel* bits() const { return pixels.data(); }
    std::size_t SizeInBytes() const { return pixels.size() * sizeof(Pixel); }
    PixelView View() { return ViewOf(header, pixels.data()); }
    ConstPixelView View() const { return ViewOf(header, pixels.data()); }
};

// Fills the header: 800 x 600, 16 bits, rows in the order the platform recommends.
void CreateBackBuffer(BackBuffer& buffer, RowOrder order);

// Allocates the surface the header describes.
void CreateSurface(BackBuffer& buffer);

} // namespace zembro
