// Reading and printing board text.
#include "app/board_text.h"

#include "store/decimal_text.h"

#include <sstream>

namespace zembro {

std::string FormatBoard(const Board& board) {
    std::string text;
    for (int row = 1; row <= BOARD_SIDE; ++row) {
        for (int col = 1; col <= BOARD_SIDE; ++col) {
            if (col > 1)
                text += ' ';
            text += std::to_string(board[static_cast<std::size_t>(CellIndex(col, row))]);
        }
        text += '\n';
    }
    return text;
}

Result<Board> ParseBoard(const std::string& text) {
    Board board{};
    std::istringstream lines(text);
    std::string line;
    int row = 0;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream fields(line);
        std::string field;
        int col = 0;
        while (fields >> field) {
            const std::optional<std::int64_t> code = ParseDecimal(field, 0, 255);
            if (!code) {
                return Result<Board>::Fail("line " + std::to_string(lineNumber) + ": '" + field +
                                           "' is not a cell code 0..255");
            }
            if (row == BOARD_SIDE || col == BOARD_SIDE) {
                return Result<Board>::Fail("line " + std::to_string(lineNumber) +
                                           ": more than 8 rows of 8 cells");
            }
            ++col;
            board[static_cast<std::size_t>(CellIndex(col, row + 1))] =
                static_cast<std::uint8_t>(*code);
        }
        if (col == 0)
            continue;
        if (col != BOARD_SIDE) {
            return Result<Board>::Fail("line " + std::to_string(lineNumber) + ": " +
                                       std::to_string(col) + " cells instead of 8");
        }
        ++row;
    }
    if (row != BOARD_SIDE) {
        return Result<Board>::Fail(std::to_string(row) + " rows instead of 8");
    }
    return Result<Board>::Ok(board);
}

} // namespace zembro
