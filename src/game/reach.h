// Every cell a piece can go to in one move: an empty cell or an equal piece at the end of a free
// path of at most one turn. The solver's move generator, the same reach the path trace allows.
#pragma once

#include "game/board.h"

#include <array>
#include <cstdint>

namespace zembro {

struct ReachTarget {
    std::uint8_t cell; // its element of the board
    bool pairs;        // it holds an equal piece: the move removes both
};

// Up to 63 targets, each once.
struct Reach {
    std::array<ReachTarget, BOARD_CELLS> targets;
    int count = 0;
};

// The targets of the piece on element `from` (which must hold a piece): along each straight line
// of empty cells from it, and along each line turning once at one of those cells; the first cell
// that is not empty ends a line and is a target when it holds the same code.
Reach ReachFrom(const Board& board, int from);

// The cells that end those lines (they are not empty), as bits by element.
std::uint64_t LineEnds(const Board& board, int from);

} // namespace zembro
