// The window step as tables: a sequence of window events, and what a player then sees.
#include "app/window_step.h"

#include "game/deal.h"
#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zembro {
namespace {

using Kind = WindowEvent::Kind;

WindowEvent E(Kind kind, int x = 0, int y = 0) {
    return {.kind = kind, .x = x, .y = y};
}
WindowEvent NonClient(int x, int y, bool onCaption) {
    return {.kind = Kind::NonClientMove, .x = x, .y = y, .onCaption = onCaption};
}
WindowEvent Activate(bool active) {
    return {.kind = Kind::Activate, .active = active};
}

// What a player sees after the events.
struct Seen {
    bool paused = false, bar = false, systemPointer = false, minimised = false;
    bool dragging = false, inactive = false, selected = false, hover = false;
    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "paused " << s.paused << ", bar " << s.bar << ", system pointer "
               << s.systemPointer << ", minimised " << s.minimised << ", dragging " << s.dragging
               << ", inactive " << s.inactive << ", selected " << s.selected << ", hover "
               << s.hover;
}

class WindowStep : public testing::Test {
  protected:
    void SetUp() override {
        Result<Sprite> cell = LoadSprite(std::string(ZEMBRO_RUN_DIR) + "/Immagini/Pedone2.bmp");
        ASSERT_TRUE(cell);
        cell_ = std::move(*cell);
        settings_.NumMaxPedine = 33;
        settings_.kindsUsed = 1; // one kind, the corners empty: every deal is the same
        ResetGame(game_);
        Deal(game_, DealParamsFrom(settings_), 1);
    }
    Seen Run(const std::vector<WindowEvent>& events) {
        Seen seen;
        for (const WindowEvent& event : events) {
            const StepOutcome out =
                Step(event, {frame_, input_, game_, scene_, settings_, cell_, bar_});
            if (out.bar)
                bar_ = *out.bar;
            if (out.systemPointer)
                pointer_ = *out.systemPointer;
            seen.minimised = seen.minimised || out.minimise;
        }
        seen.paused = (frame_.stateBits & STATE_PAUSED) != 0;
        seen.bar = bar_;
        seen.systemPointer = pointer_;
        seen.dragging = (frame_.stateBits & STATE_CAPTION_PRESSED) != 0;
        seen.inactive = (frame_.stateBits & STATE_INACTIVE) != 0;
        seen.selected = game_.HasSelection();
        seen.hover = game_.HasHover();
        return seen;
    }

    Sprite cell_;
    OptionValues settings_;
    FrameState frame_;
    InputState input_;
    GameState game_;
    SceneState scene_;
    bool bar_ = false, pointer_ = true;
};

TEST_F(WindowStep, EventSequencesAsAPlayerSeesThem) {
    const ScenePoint piece = CellMiddle(2, 1); // a piece; (1, 1) is an empty corner
    struct Case {
        const char* name;
        std::vector<WindowEvent> events;
        Seen seen;
    };
    const Case cases[] = {
        {"the start: paused, the system pointer until the game's is seen",
         {},
         {.paused = true, .systemPointer = true}},
        {"a move over a piece: the hover, the game's pointer",
         {E(Kind::Move, piece.x, piece.y)},
         {.paused = true, .hover = true}},
        {"a click on it: running, selected",
         {E(Kind::Move, piece.x, piece.y), E(Kind::Press, piece.x, piece.y),
          E(Kind::Release, piece.x, piece.y)},
         {.selected = true, .hover = true}},
        {"a right click drops the selection and runs the clock",
         {E(Kind::Move, piece.x, piece.y), E(Kind::Press, piece.x, piece.y),
          E(Kind::Press, 740, 40), E(Kind::RightPress, 400, 300)},
         {.hover = true}},
        {"MENU opens the bar with the system pointer",
         {E(Kind::Press, 740, 10)},
         {.bar = true, .systemPointer = true}},
        {"moving with the bar open keeps the system pointer",
         {E(Kind::Press, 740, 10), E(Kind::Move, piece.x, piece.y)},
         {.bar = true, .systemPointer = true, .hover = true}},
        {"a press on the board closes the bar and acts",
         {E(Kind::Press, 740, 10), E(Kind::Move, piece.x, piece.y),
          E(Kind::Press, piece.x, piece.y)},
         {.selected = true, .hover = true}},
        {"the pause zone pauses",
         {E(Kind::Press, 400, 300), E(Kind::Press, 740, 40)},
         {.paused = true}},
        {"the minimise zone pauses and minimises",
         {E(Kind::Press, 400, 300), E(Kind::Press, 712, 40)},
         {.paused = true, .minimised = true}},
        {"the rest of the strip's panel does nothing but run the clock",
         {E(Kind::Press, 760, 40)},
         {.systemPointer = true}},
        {"the drag zone pressed: dragging, frozen",
         {E(Kind::CaptionPress)},
         {.paused = true, .systemPointer = true, .dragging = true}},
        {"a move off the grip does not end the drag",
         {E(Kind::CaptionPress), NonClient(700, 300, false)},
         {.paused = true, .systemPointer = true, .dragging = true}},
        {"a move over the grip ends it",
         {E(Kind::CaptionPress), NonClient(780, 40, true)},
         {.paused = true, .systemPointer = true}},
        {"so does any move over the client area",
         {E(Kind::CaptionPress), E(Kind::Move, 20, 590)},
         {.paused = true}},
        {"so does the release on the grip",
         {E(Kind::CaptionPress), E(Kind::CaptionRelease)},
         {.paused = true, .systemPointer = true}},
        {"another window active",
         {Activate(false)},
         {.paused = true, .systemPointer = true, .inactive = true}},
        {"active again; still paused until a click",
         {E(Kind::Press, 740, 40), Activate(false), Activate(true)},
         {.paused = true, .systemPointer = true}},
        {"leaving the window takes the hover",
         {E(Kind::Move, piece.x, piece.y), E(Kind::Leave)},
         {.paused = true}},
    };
    for (const Case& c : cases) {
        SetUp();
        frame_ = {};
        input_ = {};
        scene_ = {};
        bar_ = false;
        pointer_ = true;
        EXPECT_EQ(Run(c.events), c.seen) << c.name;
    }
}

// What the step asks the composer to draw over a frozen scene, in the order it must be drawn.
TEST_F(WindowStep, FrozenSceneOverlays) {
    struct Case {
        int x, y;
        bool removePointer, menuStrip;
        std::vector<ScenePoint> pauseMarks;
    };
    const Case cases[] = {
        {740, 10, true, true, {}},
        {740, 40, true, false, {PAUSE_POS}},
        {712, 40, true, false, {MINIMISE_PAUSE_POS, PAUSE_POS}},
        {760, 40, false, false, {}},
    };
    for (const Case& c : cases) {
        scene_ = {};
        Run({E(Kind::Press, c.x, c.y)});
        EXPECT_EQ(scene_.overlays.removePointer, c.removePointer) << c.x << "," << c.y;
        EXPECT_EQ(scene_.overlays.menuStrip, c.menuStrip) << c.x << "," << c.y;
        ASSERT_EQ(scene_.overlays.pauseMarks.size(), c.pauseMarks.size()) << c.x << "," << c.y;
        for (std::size_t i = 0; i < c.pauseMarks.size(); ++i)
            EXPECT_EQ(scene_.overlays.pauseMarks[i].y, c.pauseMarks[i].y) << c.x << "," << c.y;
    }
    // Leaving recomposes a frozen scene without the pointer, unless the bar's strip is shown.
    for (const bool bar : {false, true}) {
        scene_ = {};
        scene_.fullRedraw = false;
        bar_ = bar;
        Run({E(Kind::Leave)});
        EXPECT_EQ(scene_.fullRedraw, !bar);
        EXPECT_GE(frame_.mouseX, SCREEN_WIDTH) << "the game's pointer drawn nowhere";
    }
}

} // namespace
} // namespace zembro
