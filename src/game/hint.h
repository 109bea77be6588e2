// The next step to show a player who asks: a step of a winning line; where none is known within
// the budget, a pair that can be made now; where none, a move after which one can; or the word
// that the game cannot be won.
#pragma once

#include "game/solver.h"

#include <cstdint>

namespace zembro {

struct Hint {
    enum class Kind { Line, Pair, Opening, Lost, None } kind = Kind::None;
    SolverStep step{}; // Line, Pair, Opening
};

// A hint's own search where no answer is known yet: a few tens of milliseconds at most.
inline constexpr std::int64_t HINT_BUDGET = 1000;

// `known`: what a solver has already answered about this very board, if anything (its line is
// taken as it is); else a search of at most `budget` positions.
Hint FindHint(const Board& board, std::uint8_t fixedCode, const Solution* known,
              std::int64_t budget);

} // namespace zembro
