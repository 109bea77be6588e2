// The reach of a piece: straight lines, then the lines turning at each of their empty cells.
#include "game/reach.h"

namespace zembro {
namespace {

constexpr int STEP_X[4] = {1, 0, -1, 0};
constexpr int STEP_Y[4] = {0, 1, 0, -1};

struct Walker {
    const Board& board;
    std::uint8_t code;
    Reach& reach;
    std::uint64_t taken = 0; // the targets already listed
    std::uint64_t ends = 0;  // the cells that ended a line

    void Add(int cell, bool pairs) {
        const std::uint64_t bit = std::uint64_t{1} << cell;
        if ((taken & bit) != 0)
            return;
        taken |= bit;
        reach.targets[static_cast<std::size_t>(reach.count++)] = {static_cast<std::uint8_t>(cell),
                                                                  pairs};
    }

    // From (x, y), not included, along direction `dir`: every empty cell, then the first other
    // cell when it pairs. Calls `turn` at each empty cell when given.
    template <class Turn> void Line(int x, int y, int dir, Turn&& turn) {
        for (x += STEP_X[dir], y += STEP_Y[dir];
             x >= 0 && x < BOARD_SIDE && y >= 0 && y < BOARD_SIDE;
             x += STEP_X[dir], y += STEP_Y[dir]) {
            const int cell = y * BOARD_SIDE + x;
            const std::uint8_t here = board[static_cast<std::size_t>(cell)];
            if (here != EMPTY_CELL) {
                ends |= std::uint64_t{1} << cell;
                if (here == code)
                    Add(cell, true);
                return;
            }
            Add(cell, false);
            turn(x, y, dir);
        }
    }
};

void WalkFrom(Walker& walker, int from) {
    const auto noTurn = [](int, int, int) {};
    const auto turn = [&](int x, int y, int dir) {
        walker.Line(x, y, (dir + 1) % 4, noTurn);
        walker.Line(x, y, (dir + 3) % 4, noTurn);
    };
    for (int dir = 0; dir < 4; ++dir)
        walker.Line(from % BOARD_SIDE, from / BOARD_SIDE, dir, turn);
}

} // namespace

Reach ReachFrom(const Board& board, int from) {
    Reach reach;
    Walker walker{board, board[static_cast<std::size_t>(from)], reach};
    WalkFrom(walker, from);
    return reach;
}

std::uint64_t LineEnds(const Board& board, int from) {
    Reach reach;
    Walker walker{board, board[static_cast<std::size_t>(from)], reach};
    WalkFrom(walker, from);
    return walker.ends;
}

} // namespace zembro
