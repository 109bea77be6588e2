// Boards in tests are written as eight rows of eight codes, row 1 first, so a failure reads
// like the board.
#pragma once

#include "game/board.h"

#include <array>
#include <string>

namespace zembro::test {

using Rows = std::array<std::array<int, 8>, 8>;

inline Board BoardFromRows(const Rows& rows) {
    Board board{};
    for (int row = 1; row <= 8; ++row)
        for (int col = 1; col <= 8; ++col)
            board[static_cast<std::size_t>(CellIndex(col, row))] = static_cast<std::uint8_t>(
                rows[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)]);
    return board;
}

inline std::string BoardText(const Board& board) {
    std::string text = "\n";
    for (int row = 1; row <= 8; ++row) {
        for (int col = 1; col <= 8; ++col) {
            const int code = board[static_cast<std::size_t>(CellIndex(col, row))];
            text += (code < 10 ? "  " : " ") + std::to_string(code);
        }
        text += '\n';
    }
    return text;
}

// A board full of pieces of kind `filler` with the given cells set, for path and scan cases.
struct Cell {
    int col, row, code;
};
inline Board BoardWith(int filler, std::initializer_list<Cell> cells) {
    Board board{};
    board.fill(static_cast<std::uint8_t>(filler));
    for (const Cell& c : cells)
        board[static_cast<std::size_t>(CellIndex(c.col, c.row))] =
            static_cast<std::uint8_t>(c.code);
    return board;
}

} // namespace zembro::test
