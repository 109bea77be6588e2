// The idle tick: periods, seconds, the frame rate, repaints while inactive, and the clock's wrap.
#include "app/tick_clock.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

struct Ticking {
    TickClock clock;
    GameState game;
    SceneState scene;
    bool paused = false, inactive = false;
    int repaints = 0;

    // A tick at `now`, with every requested paint made at once.
    void At(std::uint32_t now) {
        scene.paintDone = true;
        if (Tick(clock, now, paused, inactive, game, scene))
            ++repaints;
    }
};

// A period ends once more than 250 ms have passed; it restarts 250 ms after the last one began,
// or at the tick when that is 250 ms or more behind; the first tick ends one at once.
TEST(Tick, PeriodsEndCatchUpOrRestart) {
    struct Case {
        std::uint32_t start, now;
        int periods;
        std::uint32_t nextStart;
    };
    const Case cases[] = {{1000, 1400, 1, 1250}, {1000, 1600, 1, 1600},
                          {1000, 1250, 0, 1000}, {1000, 1251, 1, 1250},
                          {0, 5000, 1, 5000},    {0xFFFFFF00u, 16, 1, 0xFFFFFFFAu}};
    for (const Case c : cases) {
        Ticking t;
        t.clock.periodStart = c.start;
        t.At(c.now);
        EXPECT_EQ(t.clock.quarterCount, c.periods) << c.now;
        EXPECT_EQ(t.clock.periodStart, c.nextStart) << c.now;
        EXPECT_EQ(t.scene.blinkTick, c.periods == 1) << c.now;
    }
}

TEST(Tick, SecondsCountUnlessPausedAndTheFrameRateAfterAHundredFrames) {
    for (const bool paused : {false, true}) {
        Ticking t;
        t.paused = paused;
        for (std::uint32_t ms = 1; ms <= 3000; ms += 16) // 60 ticks a second, one paint each
            t.At(ms);
        EXPECT_EQ(t.game.seconds, paused ? 0 : 2);
        // Set at the second boundary after more than 100 frames: 2 seconds, about 120 frames.
        EXPECT_GE(t.clock.fps, 55) << "measured while paused too";
        EXPECT_LE(t.clock.fps, 65);
    }
}

TEST(Tick, RepaintsWaitForThePaintAndForAHundredMillisecondsWhileInactive) {
    Ticking t;
    t.inactive = true;
    for (std::uint32_t ms = 100; ms < 1100; ms += 10)
        t.At(ms);
    EXPECT_EQ(t.repaints, 10);
    EXPECT_GT(t.game.seconds, 0) << "the clock still runs";
    Ticking u;
    u.At(10);
    EXPECT_FALSE(Tick(u.clock, 20, false, false, u.game, u.scene)) << "not painted yet";
    EXPECT_EQ(u.clock.frameCount, 1);
}

} // namespace
} // namespace zembro
