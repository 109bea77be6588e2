// The pair scan: straight lines from the cell, and from each of their empty cells the two
// perpendicular rays.
#include "game/pair_scan.h"

namespace zembro {
namespace {

bool Inside(int x, int y) {
    return x >= 0 && x < BOARD_SIDE && y >= 0 && y < BOARD_SIDE;
}

std::uint8_t CodeAt(const Board& board, int x, int y) {
    return board[static_cast<std::size_t>(y * BOARD_SIDE + x)];
}

// Follows a ray from (x, y), not included, to its first non-empty cell.
bool RayFinds(const Board& board, int x, int y, int dx, int dy, std::uint8_t sought) {
    for (x += dx, y += dy; Inside(x, y); x += dx, y += dy) {
        const std::uint8_t code = CodeAt(board, x, y);
        if (code != EMPTY_CELL)
            return code == sought;
    }
    return false;
}

} // namespace

bool PairAvailableFrom(const Board& board, int col, int row) {
    if (!IsCellCoordinate(col) || !IsCellCoordinate(row))
        return false;
    const int c = col - 1, r = row - 1;
    const std::uint8_t sought = CodeAt(board, c, r);
    if (sought == EMPTY_CELL)
        return false;

    const DirectionSteps& d = directionSteps;
    for (std::size_t dir = 0; dir < 4; ++dir) {
        int x = c + d.col[dir], y = r + d.row[dir];
        for (; Inside(x, y) && CodeAt(board, x, y) == EMPTY_CELL;
             x += d.col[dir], y += d.row[dir]) {
            if (RayFinds(board, x, y, d.firstTurnCol[dir], d.firstTurnRow[dir], sought) ||
                RayFinds(board, x, y, d.secondTurnCol[dir], d.secondTurnRow[dir], sought))
                return true;
        }
        if (Inside(x, y) && CodeAt(board, x, y) == sought)
            return true;
    }
    return false;
}

} // namespace zembro
