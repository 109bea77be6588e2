#include "frame_fixture.h"
#include "render/scene.h"

namespace zembro {
namespace {

using platform::HitCode;
using test::FrameTest;

ScenePoint CellMiddle(int col, int row) {
    const ScenePoint at = CellPosition(col, row);
    return {at.x + 49, at.y + 36};
}

class FrameInput : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        // One kind and the corners empty: every board is the same, whatever the clock.
        WriteOptions("Immagini Contatori 33 0 0 0 0 0 0 0 1");
        ASSERT_TRUE(Start());
    }
    // The top strip (y 27..56) takes no board presses, even over the top corner cell.
    void ClickCell(int col, int row) {
        ScenePoint p = CellMiddle(col, row);
        if (p.y >= 27 && p.y <= 56)
            p.y = 62;
        Move(p.x, p.y);
        Press(p.x, p.y);
        Release(p.x, p.y);
    }
};

TEST_F(FrameInput, SelectMoveAndPairWithTheMouse) {
    ClickCell(2, 1);
    EXPECT_EQ(Frame().Game().sourceCol, 2);
    ClickCell(1, 1); // the empty top corner: a plain move, the piece stays selected
    EXPECT_EQ(Frame().Game().At(1, 1), 1);
    EXPECT_EQ(Frame().Game().sourceCol, 1);
    ClickCell(1, 2); // an equal piece next to it: both go
    EXPECT_EQ(Frame().Game().At(1, 1), 0);
    EXPECT_EQ(Frame().Game().At(1, 2), 0);
    EXPECT_EQ(Frame().Game().moves, 2);
    EXPECT_EQ(Frame().Game().piecesLeft, 60);
    EXPECT_EQ(Frame().StateBits() & STATE_PAUSED, 0u) << "the first click started the clock";
}

TEST_F(FrameInput, ZonesOfTheTopStrip) {
    struct Case {
        int x, y;
        bool barShown, paused, minimized;
    };
    const Case cases[] = {
        {729, 7, true, false, false},   {765, 15, true, false, false},
        {698, 27, false, true, true},   {727, 56, false, true, true},
        {729, 27, false, true, false},  {758, 56, false, true, false},
        {728, 40, false, false, false}, {780, 40, false, false, false},
        {740, 20, false, false, false}, // y 16..26 is board area
    };
    for (const Case& c : cases) {
        TearDown();
        framework_ = platform::HeadlessFramework{};
        SetUp();
        Press(403, 300); // unpause
        Press(c.x, c.y);
        EXPECT_EQ(Frame().Bar().Visible(), c.barShown) << c.x << "," << c.y;
        EXPECT_EQ((Frame().StateBits() & STATE_PAUSED) != 0, c.paused) << c.x << "," << c.y;
        EXPECT_EQ(Window().Minimized(), c.minimized) << c.x << "," << c.y;
    }
}

TEST_F(FrameInput, MenuButtonsHideTheBarAndPostTheirCommand) {
    Press(740, 10);
    ASSERT_TRUE(Frame().Bar().Visible());
    EXPECT_TRUE(Frame().SystemCursorShown()) << "the bar is used with the system pointer";
    const int invalidations = Window().Invalidations();
    framework_.buttons->Click(0); // "Resetta": a new game
    EXPECT_FALSE(Frame().Bar().Visible());
    EXPECT_EQ(Window().Invalidations(), invalidations + 1);
    EXPECT_EQ(Window().Posted(), std::vector<int>{CMD_NEW_GAME}) << "queued, not run yet";
    Window().RunPosted();
    EXPECT_TRUE(Frame().Scene().fullRedraw);
    EXPECT_FALSE(Frame().SystemCursorShown());
    EXPECT_EQ(framework_.buttons->Images(2), (std::pair<int, int>{126, 127}));
}

TEST_F(FrameInput, APressOnTheBoardClosesTheBar) {
    Press(740, 10);
    Move(403, 300);
    EXPECT_TRUE(Frame().SystemCursorShown()) << "moving with the bar open keeps the pointer";
    Press(403, 300);
    EXPECT_FALSE(Frame().Bar().Visible());
    EXPECT_FALSE(Frame().SystemCursorShown());
    for (std::size_t i = 1; i < framework_.cursorCalls.size(); ++i)
        EXPECT_NE(framework_.cursorCalls[i], framework_.cursorCalls[i - 1]);
}

TEST_F(FrameInput, PausedSceneOnlyMovesThePointer) {
    Press(740, 40); // pause
    Paint();
    const BackBuffer before = Frame().Buffer();
    Frame().Game().seconds = 500; // not shown while paused
    Move(100, 100);
    Paint();
    Move(120, 110);
    Paint();
    Move(100, 100); // back where it was: only the pointer was ever drawn
    Paint();
    int changed = 0;
    for (std::size_t i = 0; i < before.pixels.size(); ++i)
        changed += before.pixels[i] != Frame().Buffer().pixels[i] ? 1 : 0;
    EXPECT_LE(changed, 24 * 32 * 2) << "only the pointer's rectangles";
}

TEST_F(FrameInput, DraggingByTheGripFreezesTheSceneUntilTheDragEnds) {
    const platform::Point origin{112 + 3, 87 + 3}; // the client area on the screen
    auto screen = [&](int gameX, int gameY) {
        return platform::Point{origin.x + gameX - 5, origin.y + gameY};
    };
    EXPECT_EQ(Frame().OnNcHitTest(screen(772, 22), HitCode::Client), HitCode::Caption);
    EXPECT_EQ(Frame().OnNcHitTest(screen(790, 60), HitCode::Client), HitCode::Caption);
    EXPECT_EQ(Frame().OnNcHitTest(screen(771, 40), HitCode::Client), HitCode::Client);
    EXPECT_EQ(Frame().OnNcHitTest(screen(791, 40), HitCode::Client), HitCode::Client);
    EXPECT_EQ(Frame().OnNcHitTest(screen(780, 40), HitCode::Border), HitCode::Border);

    Frame().OnNcLButtonDown(HitCode::Caption, screen(780, 40));
    EXPECT_NE(Frame().StateBits() & STATE_CAPTION_PRESSED, 0u);
    Frame().OnNcMouseMove(HitCode::Client, screen(700, 300));
    EXPECT_NE(Frame().StateBits() & STATE_CAPTION_PRESSED, 0u)
        << "only a move over the grip ends it";
    EXPECT_EQ(Frame().Mouse(), (platform::Point{700, 300}));
    const int invalidations = Window().Invalidations();
    Frame().OnNcMouseMove(HitCode::Caption, screen(780, 40));
    EXPECT_EQ(Frame().StateBits() & STATE_CAPTION_PRESSED, 0u);
    EXPECT_EQ(Window().Invalidations(), invalidations + 1);

    Frame().OnNcLButtonDown(HitCode::Caption, screen(780, 40));
    Move(300, 300); // any move in the client area ends it too
    EXPECT_EQ(Frame().StateBits() & STATE_CAPTION_PRESSED, 0u);
}

TEST_F(FrameInput, ActivationAndMinimising) {
    using platform::ActivateState;
    Frame().OnActivate(ActivateState::Active, true);
    EXPECT_NE(Frame().StateBits() & STATE_INACTIVE, 0u) << "minimised counts as inactive";
    Frame().OnActivate(ActivateState::ClickActive, false);
    EXPECT_EQ(Frame().StateBits() & STATE_INACTIVE, 0u);
    Frame().OnActivate(ActivateState::Inactive, false);
    EXPECT_NE(Frame().StateBits() & STATE_INACTIVE, 0u);

    Press(403, 300);
    Frame().OnCommand(CMD_MINIMIZE);
    EXPECT_TRUE(Window().Minimized());
    EXPECT_NE(Frame().StateBits() & STATE_PAUSED, 0u) << "stays paused until the next click";
    Frame().OnActivate(ActivateState::Active, false);
    EXPECT_NE(Frame().StateBits() & STATE_PAUSED, 0u);
}

} // namespace
} // namespace zembro

namespace zembro {
namespace {

// Opening the menu over the game's pointer: the next paint must not put the old pixels back
// over the menu strip.
TEST_F(FrameInput, OpeningTheMenuLeavesNoHoleInTheStrip) {
    Press(403, 300);
    Move(740, 10);
    Paint(); // the pointer drawn over the menu zone
    Press(740, 10);
    const std::vector<Pixel> strip = Frame().Buffer().pixels;
    Paint(); // frozen by the bar: pointer only
    EXPECT_EQ(Frame().Buffer().pixels, strip);
}

} // namespace
} // namespace zembro
