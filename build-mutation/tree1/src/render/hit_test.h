// Which board cell lies under a game-screen point, found through the empty cell's picture.
#pragma once

#include "game/screen_layout.h"
#include "render/sprite.h"

#include <cstdint>

namespace zembro {

// The cell at each point of the half-band lattice, as row * 256 + col (0 = no cell):
// odd lattice rows c with even columns b, and even lattice rows with odd columns.
extern const std::uint16_t latticeOddRows[8][7];
extern const std::uint16_t latticeEvenRows[7][8];

// The pixel at column sx of stored row sy (rows in storage order, bottom row first), or the
// sprite's first stored pixel when (sx, sy) is outside the picture: outside counts as key colour.
Pixel SampleSpritePixel(const Sprite& sprite, int sx, int sy);

enum class HitResult {
    Cell,    // the point lies on a cell: col and row name it
    NoCell,  // inside the board rectangle but on no cell: the hover is cleared
    Outside, // outside the board rectangle: the hover is left as it was
};

struct CellHit {
    HitResult result = HitResult::Outside;
    int col = 0, row = 0; // 1..8 when result is Cell
};

// Places the empty-cell picture on the band's top or bottom neighbour, then on its side neighbour,
// and takes the first whose pixel under the point is not the key colour.
CellHit HitTestCell(const Sprite& cellEmpty, int x, int y);

} // namespace zembro
