// The window step as tables: a sequence of window events, and what a player then sees.
#include "app/window_step.h"

#include "game/deal.h"
#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zembro {
namespace {

using Kind = WindowEvent::Kind;

// A script of events, comma-separated: "move X Y", "press piece" (the middle of cell (2, 1)),
// "release", "right", "frame X Y grip|off", "leave", "grip", "grip-up", "active 0|1",
// "key up|down|left|right|act|escape|p|m".
std::vector<WindowEvent> Events(const std::string& script) {
    static const std::pair<const char*, Kind> NAMES[] = {
        {"press", Kind::Press},         {"release", Kind::Release},
        {"right", Kind::RightPress},    {"move", Kind::Move},
        {"frame", Kind::NonClientMove}, {"leave", Kind::Leave},
        {"grip", Kind::CaptionPress},   {"grip-up", Kind::CaptionRelease},
        {"active", Kind::Activate},     {"key", Kind::KeyPress}};
    static const std::pair<const char*, Key> KEYS[] = {
        {"up", Key::Up},       {"down", Key::Down}, {"left", Key::Left},
        {"right", Key::Right}, {"act", Key::Act},   {"escape", Key::Cancel},
        {"p", Key::Pause},     {"m", Key::Menu},    {"c", Key::Shapes}};
    std::vector<WindowEvent> events;
    std::istringstream items(script);
    for (std::string item; std::getline(items, item, ',');) {
        std::istringstream words(item);
        std::string name, x, y, caption;
        words >> name >> x >> y >> caption;
        WindowEvent event{.kind = Kind::Leave};
        for (const auto& [text, kind] : NAMES)
            if (name == text)
                event.kind = kind;
        const ScenePoint piece = CellMiddle(2, 1);
        event.x = x == "piece" ? piece.x : x.empty() || !std::isdigit(x[0]) ? 0 : std::stoi(x);
        event.y = x == "piece" ? piece.y : y.empty() ? 0 : std::stoi(y);
        event.onCaption = caption == "grip";
        event.active = x == "1";
        for (const auto& [text, key] : KEYS)
            if (x == text)
                event.key = key;
        events.push_back(event);
    }
    return events;
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
    // What a player sees after the events, as words in this order: paused, bar, pointer (the
    // system's), minimised, dragging, inactive, selected, hover, cursor (the keyboard's, and its
    // cell).
    std::string Run(const std::vector<WindowEvent>& events) {
        bool minimised = false;
        for (const WindowEvent& event : events) {
            const StepOutcome out =
                Step(event, {frame_, input_, game_, scene_, settings_, cell_, bar_});
            bar_ = out.bar.value_or(bar_);
            pointer_ = out.systemPointer.value_or(pointer_);
            minimised = minimised || out.minimise;
            if (out.barChoose) // the bar hides itself and runs the button's command
                chosen_ = *out.barChoose + 1, bar_ = false;
        }
        const bool seen[] = {(frame_.stateBits & STATE_PAUSED) != 0,
                             bar_,
                             pointer_,
                             minimised,
                             (frame_.stateBits & STATE_CAPTION_PRESSED) != 0,
                             (frame_.stateBits & STATE_INACTIVE) != 0,
                             game_.HasSelection(),
                             game_.HasHover(),
                             frame_.cursorShown,
                             frame_.pathShapes};
        const char* const names[] = {"paused",   "bar",      "pointer", "minimised", "dragging",
                                     "inactive", "selected", "hover",   "cursor",    "shapes"};
        std::string words;
        for (std::size_t i = 0; i < std::size(seen); ++i)
            if (seen[i])
                words +=
                    (words.empty() ? "" : " ") + std::string(names[i]) +
                    (names[i] == std::string("cursor") ? " " + std::to_string(frame_.cursorCol) +
                                                             "," + std::to_string(frame_.cursorRow)
                                                       : "");
        return chosen_ == 0 ? words : words + " button" + std::to_string(chosen_);
    }

    Sprite cell_;
    OptionValues settings_;
    FrameState frame_;
    InputState input_;
    GameState game_;
    SceneState scene_;
    bool bar_ = false, pointer_ = true;
    int chosen_ = 0; // the bar button the keys clicked, from 1
};

// What a player sees after each script, as words: paused, bar, pointer (the system's), minimised,
// dragging, inactive, selected, hover. Cell (1, 1) is an empty corner, (2, 1) a piece.
TEST_F(WindowStep, EventSequencesAsAPlayerSeesThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "paused pointer"}, // the system's pointer until the game's is seen
        {"move piece", "paused hover"},
        {"move piece, press piece, release piece", "selected hover"},
        {"move piece, press piece, press 740 40, right 400 300", "hover"},
        {"press 740 10", "bar pointer"}, // MENU
        {"press 740 10, move piece", "bar pointer hover"},
        {"press 740 10, move piece, press piece", "selected hover"},
        {"press 400 300, press 740 40", "paused"},           // the pause zone
        {"press 400 300, press 712 40", "paused minimised"}, // the minimise zone
        {"press 760 40", "pointer"},                         // the rest of the panel
        {"grip", "paused pointer dragging"},
        {"grip, frame 700 300 off", "paused pointer dragging"},
        {"grip, frame 780 40 grip", "paused pointer"},
        {"grip, move 20 590", "paused"},
        {"grip, grip-up", "paused pointer"},
        {"active 0", "paused pointer inactive"},
        {"press 740 40, active 0, active 1", "paused pointer"},
        {"move piece, leave", "paused"},
        // Keys: the first arrow shows the cursor on the top corner, an empty cell; (2, 1) is a
        // piece. A key that acts restarts the clock; P pauses and resumes; M opens the bar.
        {"key right", "pointer hover cursor 1,1"},
        {"key up, key right, key act", "pointer selected hover cursor 2,1"},
        {"key up, key right, key act, key escape", "pointer hover cursor 2,1"},
        {"key right, key down, key down, key up, key right", "pointer hover cursor 2,2"},
        {"key act", "pointer hover cursor 1,1"}, // the first key only shows where the keyboard is
        {"key p", "pointer"},
        {"key p, key p", "paused pointer"},
        {"key right, key p", "paused pointer hover cursor 1,1"},
        {"key m", "bar pointer"},
        {"key c", "pointer shapes"},
        {"key m, key act", "pointer button1"}, // the bar's buttons take the keys: Resetta
        {"key m, key down, key down, key up, key act", "pointer button2"},
        {"key m, key down, key down, key down, key down, key down, key act", "pointer button5"},
        {"key m, key right, key escape", ""},
        {"press 740 10, key down, key act", "pointer button2"}, // opened with the mouse
        {"key right, move 400 300", "hover"},
        {"move 400 300, key right, move 400 300", "hover cursor 1,1"}, // the mouse did not move
    };
    for (const auto& [script, words] : cases) {
        SetUp();
        frame_ = {};
        input_ = {};
        scene_ = {};
        bar_ = false;
        pointer_ = true;
        chosen_ = 0;
        EXPECT_EQ(Run(Events(script)), words) << script;
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
        Run({{.kind = Kind::Press, .x = c.x, .y = c.y}});
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
        Run(Events("leave"));
        EXPECT_EQ(scene_.fullRedraw, !bar);
        EXPECT_GE(frame_.mouseX, SCREEN_WIDTH) << "the game's pointer drawn nowhere";
    }
}

// Holding to drag: the first key takes the piece at (2, 1), the next lets it go on the corner.
TEST_F(WindowStep, KeysHoldAndLetGoWhenTheButtonIsHeld) {
    settings_.holdToDrag = settings_.reselectAfterMove = 1;
    EXPECT_EQ(Run(Events("key right, key right, key act")), "pointer selected hover cursor 2,1");
    EXPECT_TRUE(input_.cellPressed);
    EXPECT_EQ(Run(Events("key left, key act")), "pointer cursor 1,1");
    EXPECT_EQ(game_.At(1, 1), 1) << "the piece of the one kind moved to the corner";
    EXPECT_EQ(game_.moves, 1);
}

} // namespace
} // namespace zembro
