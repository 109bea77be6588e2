// A faster way to draw a keyed sprite: its rows indexed once into runs of pixels that are not
// the key colour, each drawn as one block copy. Gives exactly the picture of DrawKeyed.
#pragma once

#include "render/sprite.h"

namespace zembro {

// Indexes the runs of pixels that differ from the sprite's first stored pixel, row by row.
void IndexOpaqueRuns(Sprite& sprite);

// DrawKeyed of a whole sprite through its runs (through DrawKeyed when it has none): clipped on
// every side, gives false when nothing is visible.
bool DrawKeyedRuns(PixelView dst, int x, int y, const Sprite& sprite);

} // namespace zembro
