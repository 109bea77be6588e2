// Small pictures for renderer tests, addressed as the screen shows them: (x, y) from the top left.
#pragma once

#include "render/back_buffer.h"
#include "render/sprite.h"

#include <vector>

namespace zembro::test {

// A bottom-up sprite filled with `fill`.
inline Sprite SolidSprite(int width, int height, Pixel fill) {
    Sprite s = MakeSprite(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            s.pixels[static_cast<std::size_t>(y * RowPixels(width) + x)] = fill;
    return s;
}

// Picture position (x, y), y from the top, of a bottom-up sprite.
inline Pixel& At(Sprite& s, int x, int y) {
    return s.View().Row(y)[x];
}

// An 800 x 600 buffer in either row order, filled with `fill`.
inline BackBuffer Screen(bool bottomUp, Pixel fill = 0) {
    BackBuffer b;
    CreateBackBuffer(b, bottomUp ? RowOrder::BottomUp : RowOrder::TopDown);
    CreateSurface(b);
    std::fill(b.pixels.begin(), b.pixels.end(), fill);
    return b;
}

inline Pixel& At(BackBuffer& b, int x, int y) {
    return b.View().Row(y)[x];
}

} // namespace zembro::test
