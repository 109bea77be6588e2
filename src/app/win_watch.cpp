// The watch over the game: one resumable solver per position.
#include "app/win_watch.h"

#include <algorithm>

namespace zembro {

void WinWatch::Restart(const GameState& game, bool newGame) {
    solver_.Start(game.board, game.fixedCode);
    spent_ = 0;
    if (newGame)
        told_ = false;
}

void WinWatch::Work(std::int64_t positions) {
    const std::int64_t slice = std::min(positions, WATCH_BUDGET - spent_);
    if (slice <= 0)
        return;
    spent_ += slice;
    if (solver_.Advance(slice) && Answer().verdict == Solution::Verdict::Winnable)
        told_ = false;
}

bool WinWatch::Busy() const {
    return spent_ < WATCH_BUDGET && Answer().verdict == Solution::Verdict::Unknown;
}

bool WinWatch::TakeLoss() {
    if (told_ || Answer().verdict != Solution::Verdict::Unwinnable)
        return false;
    told_ = true;
    return true;
}

} // namespace zembro
