// The tick's period arithmetic.
#include "app/tick_clock.h"

namespace zembro {

bool Tick(TickClock& clock, std::uint32_t now, bool paused, bool inactive, GameState& game,
          SceneState& scene) {
    const std::uint32_t elapsed = now - clock.periodStart;
    if (elapsed > TICK_PERIOD_MS) {
        if (++clock.quarterCount == 4) {
            clock.quarterCount = 0;
            if (!paused)
                ++game.seconds;
            ++clock.fpsSeconds;
            if (clock.frameCount > 100) {
                clock.fps = clock.frameCount / clock.fpsSeconds;
                clock.frameCount = 0;
                clock.fpsSeconds = 0;
            }
        }
        scene.blinkTick = true;
        // A tick 250 ms or more late drops the missed periods and starts afresh.
        if (elapsed - TICK_PERIOD_MS < TICK_PERIOD_MS)
            clock.periodStart += TICK_PERIOD_MS;
        else
            clock.periodStart = now;
    }
    if (inactive) {
        if (now - clock.lastInactiveInvalidate < INACTIVE_REPAINT_MS)
            return false;
        clock.lastInactiveInvalidate = now;
    }
    if (!scene.paintDone)
        return false;
    scene.paintDone = false;
    ++clock.frameCount;
    return true;
}

} // namespace zembro
