// Board text: eight lines of eight cell codes, row 1 first, columns 1..8.
#pragma once

#include "base/result.h"
#include "game/board.h"

#include <optional>
#include <string>

namespace zembro {

std::string FormatBoard(const Board& board);

// Eight non-blank lines of eight numbers 0..255; blanks, tabs and CR LF line ends are accepted.
// A failure says which line is wrong and why.
Result<Board> ParseBoard(const std::string& text);

} // namespace zembro
