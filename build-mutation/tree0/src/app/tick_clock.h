// The game clock and the frame pacing: 250 ms periods, four to a game second, run from the
// application's idle processing.
#pragma once

#include "game/game_state.h"
#include "render/scene.h"

#include <cstdint>

namespace zembro {

inline constexpr std::uint32_t TICK_PERIOD_MS = 250;
inline constexpr std::uint32_t INACTIVE_REPAINT_MS = 100;

struct TickClock {
    std::uint32_t periodStart = 0; // when the current 250 ms period began
    int quarterCount = 0;          // periods completed in the current second; kept across games
    int fpsSeconds = 0;            // seconds since the last fps update
    std::int32_t frameCount = 0;   // repaints requested since the last fps update
    std::int32_t fps = 0;          // the last frames-per-second figure, shown on the screen
    std::uint32_t lastInactiveInvalidate = 0;

    // A new game shows no figure until it has measured one.
    void ResetFrameRate() { frameCount = fps = 0; }
};

// One tick at `now`: ends periods and seconds, raises the blink, and gives true when the next
// repaint is to be requested (the previous one has been painted). Time differences are taken
// in unsigned 32 bits, so the clock's wrap does not disturb them.
bool Tick(TickClock& clock, std::uint32_t now, bool paused, bool inactive, GameState& game,
          SceneState& scene);

} // namespace zembro
