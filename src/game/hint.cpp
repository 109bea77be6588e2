// Hints: the solver's line first, then what can be seen from the board.
#include "game/hint.h"

#include "game/pair_scan.h"
#include "game/reach.h"

namespace zembro {
namespace {

Cell CellAt(int element) {
    return {element % BOARD_SIDE + 1, element / BOARD_SIDE + 1};
}

bool IsPiece(const Board& board, int element, std::uint8_t fixedCode) {
    const std::uint8_t code = board[static_cast<std::size_t>(element)];
    return code != EMPTY_CELL && code != fixedCode;
}

bool AnyPair(const Board& board, std::uint8_t fixedCode) {
    for (int cell = 0; cell < BOARD_CELLS; ++cell)
        if (IsPiece(board, cell, fixedCode) &&
            PairAvailableFrom(board, CellAt(cell).col, CellAt(cell).row))
            return true;
    return false;
}

// A pair to make now, else a plain move after which some pair can be made.
Hint FromBoard(const Board& board, std::uint8_t fixedCode) {
    Hint opening;
    for (int from = 0; from < BOARD_CELLS; ++from) {
        if (!IsPiece(board, from, fixedCode))
            continue;
        const Reach reach = ReachFrom(board, from);
        for (int i = 0; i < reach.count; ++i) {
            const ReachTarget t = reach.targets[static_cast<std::size_t>(i)];
            const SolverStep step{CellAt(from), CellAt(t.cell), t.pairs};
            if (t.pairs)
                return {Hint::Kind::Pair, step};
            if (opening.kind != Hint::Kind::None)
                continue;
            Board after = board;
            after[t.cell] = after[static_cast<std::size_t>(from)];
            after[static_cast<std::size_t>(from)] = EMPTY_CELL;
            if (AnyPair(after, fixedCode))
                opening = {Hint::Kind::Opening, step};
        }
    }
    return opening;
}

} // namespace

Hint FindHint(const Board& board, std::uint8_t fixedCode, const Solution* known,
              std::int64_t budget) {
    const Solution solution = known != nullptr && known->verdict != Solution::Verdict::Unknown
                                  ? *known
                                  : Solve(board, fixedCode, budget);
    if (solution.verdict == Solution::Verdict::Winnable && !solution.line.empty())
        return {Hint::Kind::Line, solution.line.front()};
    if (solution.verdict == Solution::Verdict::Unwinnable)
        return {Hint::Kind::Lost, {}};
    return FromBoard(board, fixedCode);
}

} // namespace zembro
