// The pair scan behind the penalty: can a piece be paired from where it stands?
#pragma once

#include "game/board.h"

#include <array>
#include <cstdint>

namespace zembro {

// Steps of the scan by direction 0..3, as (column, row) changes: the straight step, then the
// two turns tried from every empty cell of the straight line.
struct DirectionSteps {
    std::array<std::int8_t, 4> col, row;
    std::array<std::int8_t, 4> firstTurnCol, firstTurnRow;
    std::array<std::int8_t, 4> secondTurnCol, secondTurnRow;
};
inline constexpr DirectionSteps directionSteps{
    .col = {1, 0, -1, 0},
    .row = {0, 1, 0, -1},
    .firstTurnCol = {0, -1, 0, -1},
    .firstTurnRow = {-1, 0, -1, 0},
    .secondTurnCol = {0, 1, 0, 1},
    .secondTurnRow = {1, 0, 1, 0},
};

// True when another cell holding the code of (col, row) is reached by a path of at most one turn
// over empty cells: the first non-empty cell of a straight line from the cell, or of a line
// turning once at an empty cell of such a straight line. An empty cell has nothing to pair.
bool PairAvailableFrom(const Board& board, int col, int row);

} // namespace zembro
