// The game window in memory: zones of the top strip, bar, drag, activation, the pointers.
#include "frame_fixture.h"
#include "game/screen_zones.h"
#include "render/scene.h"
#include "store/score_file.h"
#include "ui/dialog_templates.h"

namespace zembro {
namespace {

using platform::HitCode;
using test::FrameTest;

class FrameInput : public FrameTest {
  protected:
    void SetUp() override {
        FrameTest::SetUp();
        // One kind and the corners empty: every board is the same, whatever the clock.
        WriteOptions("Immagini Contatori 33 0 0 0 0 0 0 0 1");
        ASSERT_TRUE(Start());
    }
    void ClickCell(int col, int row) {
        const ScenePoint p = CellMiddle(col, row);
        Move(p.x, p.y);
        Press(p.x, p.y);
        Release(p.x, p.y);
    }
};

TEST(ScreenZones, PressesByZone) {
    struct Case {
        int x, y;
        PressZone zone;
    };
    const Case cases[] = {
        {729, 7, PressZone::Menu},       {765, 15, PressZone::Menu},
        {728, 7, PressZone::BoardArea},  {766, 15, PressZone::BoardArea},
        {740, 16, PressZone::BoardArea}, {740, 6, PressZone::BoardArea},
        {698, 27, PressZone::Minimise},  {727, 56, PressZone::Minimise},
        {729, 27, PressZone::Pause},     {758, 56, PressZone::Pause},
        {728, 40, PressZone::Strip},     {690, 40, PressZone::Strip},
        {795, 40, PressZone::Strip},     {740, 26, PressZone::BoardArea},
        {740, 57, PressZone::BoardArea}, // the band is rows 27..56
        {689, 40, PressZone::BoardArea}, {796, 40, PressZone::BoardArea},
        {403, 38, PressZone::BoardArea}, // the top corner cell, inside the band's rows
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyPress(c.x, c.y), c.zone) << c.x << "," << c.y;
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

// The window's messages reach the step; what they do is the step's table.
TEST_F(FrameInput, NonClientMessagesAndTheDragZone) {
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
    Frame().OnNcMouseMove(HitCode::Client, screen(700, 300));
    EXPECT_EQ(Frame().Mouse(), (platform::Point{700, 300})) << "in game-screen pixels";
}

// The path's shapes are the player's choice, kept between runs: read at start, written by C.
TEST_F(FrameTest, ThePathShapesChoiceIsKept) {
    framework_.preferences["pathShapes"] = true;
    ASSERT_TRUE(Start());
    Frame().OnKeyDown(platform::Key::Shapes);
    EXPECT_FALSE(framework_.preferences["pathShapes"]) << "turned off from on";
    Frame().OnKeyDown(platform::Key::Shapes);
    EXPECT_TRUE(framework_.preferences["pathShapes"]);
}

TEST_F(FrameInput, ActivationAndMinimising) {
    using platform::ActivateState;
    Frame().OnActivate(ActivateState::Active, true);
    EXPECT_NE(Frame().StateBits() & STATE_INACTIVE, 0u) << "minimised counts as inactive";
    Frame().OnActivate(ActivateState::ClickActive, false);
    EXPECT_EQ(Frame().StateBits() & STATE_INACTIVE, 0u);

    Press(403, 300);
    Frame().OnCommand(CMD_MINIMIZE);
    EXPECT_TRUE(Window().Minimized());
    EXPECT_NE(Frame().StateBits() & STATE_PAUSED, 0u);
}

} // namespace
} // namespace zembro

namespace zembro {
namespace {

// Before a dialog shows, the window has the whole scene without the game's pointer, so the
// player never sees two pointers; after the about box the pointer is where the system's is.
TEST_F(FrameInput, DialogsShowOverOnePointer) {
    // The pixels around the MENU label, where the pointer stands when a command is chosen.
    const auto label = [&] {
        std::vector<Pixel> block;
        const std::vector<Pixel>& pixels = Frame().Buffer().pixels;
        for (int y = 10; y < 30; ++y) // bottom-up rows
            for (int x = 740; x < 760; ++x)
                block.push_back(
                    pixels[static_cast<std::size_t>((SCREEN_HEIGHT - 1 - y) * SCREEN_WIDTH + x)]);
        return block;
    };
    Move(400, 300);
    Paint();
    const std::vector<Pixel> bare = label();
    std::vector<Pixel> shown;
    int presentsBefore = 0;
    for (const int command : {CMD_ABOUT, CMD_OPTIONS, CMD_RANKING}) {
        ASSERT_TRUE(InsertScore((folder_ / "Zembro.rec").string(),
                                MakeRecord("x", 1, 1, std::tm{}, OptionValues{})));
        Move(740, 10);
        Window().pointer = platform::Point{735, 10}; // the system pointer stands there too
        Paint();
        ASSERT_NE(label(), bare) << "the pointer is drawn there";
        const int presents = Window().Presents();
        framework_.dialogScripts[command == CMD_ABOUT     ? DIALOG_ABOUT
                                 : command == CMD_OPTIONS ? DIALOG_OPTIONS
                                                          : DIALOG_RANKING] =
            [&](platform::HeadlessDialog& d, platform::DialogHandler& h) {
                shown = label();
                presentsBefore = Window().Presents();
                h.OnCommand(2, d);
            };
        Frame().OnCommand(command);
        EXPECT_EQ(shown, bare) << command;
        EXPECT_EQ(presentsBefore, presents + 1) << command;
    }
    // After every dialog one pointer: the system's hidden over the game, the game's where the
    // system's is, or none when the system's is elsewhere (the hover goes with it).
    struct After {
        int command;
        std::optional<platform::Point> pointer;
        int x, y;
    };
    const After afters[] = {{CMD_ABOUT, platform::Point{100, 200}, 105, 200},
                            {CMD_RANKING, platform::Point{300, 250}, 305, 250},
                            {CMD_OPTIONS, std::nullopt, SCREEN_WIDTH, SCREEN_HEIGHT}};
    for (const After& a : afters) {
        Move(400, 300);
        Window().pointer = a.pointer;
        Frame().OnCommand(a.command);
        EXPECT_FALSE(Frame().SystemCursorShown()) << a.command;
        EXPECT_EQ(Frame().Mouse().x, a.x) << a.command;
        EXPECT_EQ(Frame().Mouse().y, a.y) << a.command;
        EXPECT_EQ(Frame().Game().HasHover(), a.pointer.has_value()) << a.command;
    }
}

// The strip drawn when the menu opens is the same whether or not the game's pointer stood on it:
// taking the pointer away never cuts a hole in the strip.
TEST_F(FrameInput, OpeningTheMenuLeavesNoHoleInTheStrip) {
    const auto openMenu = [&](bool pointerDrawnOnTheZone) {
        EXPECT_TRUE(Start()); // a fresh game on the same board
        Move(400, 300);
        Paint();
        Move(740, 10);
        if (pointerDrawnOnTheZone)
            Paint();
        Press(740, 10);
        Paint();
        const std::vector<Pixel> opened = Frame().Buffer().pixels;
        Paint(); // frozen by the bar: the pointer only, and it is not drawn
        EXPECT_EQ(Frame().Buffer().pixels, opened);
        return opened;
    };
    EXPECT_EQ(openMenu(true), openMenu(false));
}

} // namespace
} // namespace zembro
