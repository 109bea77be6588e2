// The board's pictures: the empty cell, the two highlights, the pieces and the fixed cell.
#pragma once

#include "game/picture_names.h"
#include "game/screen_layout.h"

#include <QColor>
#include <QImage>

namespace artgen {

// A cell's picture fills its box on the board's lattice.
inline constexpr int CELL_WIDTH = zembro::BAND_WIDTH, CELL_HEIGHT = zembro::BAND_HEIGHT;
// Piece pictures rise this far above their cell: a token standing on its tile.
inline constexpr int PIECE_RISE = 24;
inline constexpr int PIECE_KINDS = zembro::DEFAULT_PIECE_PICTURES - 1; // and the fixed cell

QImage EmptyCell();
// A glowing tile: green for a valid path, red for one that is not.
QImage HighlightCell(const QColor& glow);
// Kind 1..PIECE_KINDS: a token of its own colour and symbol on a tile.
QImage Piece(int kind);
// The fixed cell: a stone block that neither moves nor pairs.
QImage FixedCell();

} // namespace artgen
