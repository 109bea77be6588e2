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

TEST(Tick, FirstTickEndsAPeriodAtOnceAndStartsTheClockAtNow) {
    Ticking t;
    t.At(5000);
    EXPECT_EQ(t.clock.quarterCount, 1);
    EXPECT_EQ(t.clock.periodStart, 5000u);
    EXPECT_TRUE(t.scene.blinkTick);
}

TEST(Tick, PeriodsCatchUpOrRestartAfterAStall) {
    struct Case {
        std::uint32_t stall;
        int periods;
        std::uint32_t nextStart;
    };
    // 400 ms late: one period, the next starts 250 ms after this one began; 600 ms: one period,
    // restarted at the current time; exactly 250: no period yet (more than 250 is needed).
    for (const Case c :
         {Case{400, 1, 1250}, Case{600, 1, 1600}, Case{250, 0, 1000}, Case{251, 1, 1250}}) {
        Ticking t;
        t.clock.periodStart = 1000;
        t.At(1000 + c.stall);
        EXPECT_EQ(t.clock.quarterCount, c.periods) << c.stall;
        EXPECT_EQ(t.clock.periodStart, c.nextStart) << c.stall;
    }
}

TEST(Tick, FourPeriodsMakeASecondUnlessPaused) {
    for (const bool paused : {false, true}) {
        Ticking t;
        t.paused = paused;
        t.clock.periodStart = 0;
        for (std::uint32_t now = 251; now < 251 + 4 * 250; now += 250)
            t.At(now);
        EXPECT_EQ(t.game.seconds, paused ? 0 : 1);
        EXPECT_EQ(t.clock.fpsSeconds, 1) << "frames per second are measured while paused too";
        EXPECT_EQ(t.clock.quarterCount, 0);
    }
}

TEST(Tick, FramesPerSecondUpdatesOnlyAfterMoreThanAHundredFrames) {
    Ticking t;
    t.clock.periodStart = 0;
    // 60 ticks a second for three seconds, one repaint each.
    for (std::uint32_t ms = 1; ms <= 3000; ms += 16)
        t.At(ms);
    // The second boundary after more than 100 frames: 2 seconds, about 120 frames.
    EXPECT_GE(t.clock.fps, 55);
    EXPECT_LE(t.clock.fps, 65);
}

TEST(Tick, InactiveWindowRepaintsAtMostEveryHundredMilliseconds) {
    Ticking t;
    t.inactive = true;
    for (std::uint32_t ms = 100; ms < 1100; ms += 10)
        t.At(ms);
    EXPECT_EQ(t.repaints, 10);
    EXPECT_GT(t.game.seconds, 0) << "the clock still runs";
}

TEST(Tick, NoRepaintIsRequestedBeforeThePreviousOneIsPainted) {
    Ticking t;
    t.At(10);
    ASSERT_EQ(t.repaints, 1);
    EXPECT_FALSE(t.scene.paintDone);
    EXPECT_FALSE(Tick(t.clock, 20, false, false, t.game, t.scene));
    EXPECT_EQ(t.clock.frameCount, 1);
}

TEST(Tick, TheMillisecondClockWrapsWithoutHarm) {
    Ticking t;
    t.clock.periodStart = 0xFFFFFF00u;
    t.At(0x00000010u); // 272 ms later, across the wrap
    EXPECT_EQ(t.clock.quarterCount, 1);
    EXPECT_EQ(t.clock.periodStart, 0xFFFFFF00u + 250u);
}

} // namespace
} // namespace zembro
