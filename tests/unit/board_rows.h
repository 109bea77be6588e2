// Boards in tests: a board printed as eight rows of eight codes, row 1 first, so a failure
// reads like the board; a board of one kind with some cells set.
#pragma once

#include "app/board_text.h"
#include "game/board.h"

#include <string>

namespace zembro::test {

inline std::string BoardText(const Board& board) {
    return "\n" + FormatBoard(board);
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
