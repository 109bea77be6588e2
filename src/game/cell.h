// A cell of the board by its column and row, each from 1 to 8.
#pragma once

#include "game/board.h"

#include <cstddef>

namespace zembro {

struct Cell {
    int col = 1, row = 1;
    bool operator==(const Cell&) const = default;
};

constexpr bool IsOnBoard(Cell cell) {
    return IsCellCoordinate(cell.col) && IsCellCoordinate(cell.row);
}

// Its element of a board or a path mask; the cell must be on the board.
constexpr std::size_t IndexOf(Cell cell) {
    return static_cast<std::size_t>(CellIndex(cell.col, cell.row));
}

} // namespace zembro
