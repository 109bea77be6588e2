// Whether the game on the board can still be won, asked again after every move and answered a
// slice at a time in idle time, so that it never delays a frame, a click or a key.
#pragma once

#include "game/game_state.h"
#include "game/solver.h"

#include <cstdint>

namespace zembro {

// Positions a move's question may cost before it is left unanswered; a slice of them (tens of
// microseconds, a millisecond in a debugging build with sanitizers), and the time idle
// processing gives the slices per display refresh.
inline constexpr std::int64_t WATCH_BUDGET = 200000;
inline constexpr std::int64_t WATCH_SLICE = 2;
inline constexpr std::uint32_t WATCH_MS_PER_TICK = 3;

class WinWatch {
  public:
    // The board changed: the question is asked anew. `newGame`: a deal, the same deal again;
    // a loss is then told again.
    void Restart(const GameState& game, bool newGame);
    // Up to `positions` more, within the budget.
    void Work(std::int64_t positions);
    // Still asking: no answer yet, and budget left.
    bool Busy() const;
    // The answer for the board as it stands, Unknown until there is one.
    const Solution& Answer() const { return solver_.Answer(); }
    // True once when the game is proven lost: after a position proven winnable, or a new
    // game, it may be told again.
    bool TakeLoss();

  private:
    Solver solver_;
    std::int64_t spent_ = 0;
    bool told_ = false;
};

} // namespace zembro
