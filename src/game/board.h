// The 8 x 8 board: cell codes, cell coordinates and their element order.
#pragma once

#include <array>
#include <cstdint>

namespace zembro {

inline constexpr int BOARD_SIDE = 8;
inline constexpr int BOARD_CELLS = BOARD_SIDE * BOARD_SIDE;

// One byte per cell: 0 empty, 1..kinds a piece kind, the fixed code a fixed cell.
// Cell (col, row), both 1..8, is element (row - 1) * 8 + (col - 1): row 1 first.
using Board = std::array<std::uint8_t, BOARD_CELLS>;
// 1 where the traced path passes; same element order as the board.
using PathMask = std::array<std::uint8_t, BOARD_CELLS>;

inline constexpr std::uint8_t EMPTY_CELL = 0;

constexpr bool IsCellCoordinate(int value) {
    return value >= 1 && value <= BOARD_SIDE;
}

constexpr int CellIndex(int col, int row) {
    return (row - 1) * BOARD_SIDE + (col - 1);
}

} // namespace zembro
