// The window step through the scenario file every level reads, and what it asks of the composer.
#include "app/window_script.h"

#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zembro {
namespace {

struct Scenario {
    int line;
    std::string flags, events, seen;
};

// The rows of the scenario file: "[FLAGS] EVENTS => WORDS".
std::vector<Scenario> Scenarios() {
    std::ifstream in(ZEMBRO_SCENARIOS);
    std::vector<Scenario> rows;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (text.empty() || text[0] == '#')
            continue;
        Scenario row{number, "", "", ""};
        if (text[0] == '[') {
            row.flags = text.substr(1, text.find(']') - 1);
            text.erase(0, text.find(']') + 2);
        }
        const std::size_t arrow = text.find("=>");
        row.events = text.substr(0, arrow);
        row.seen = arrow + 3 <= text.size() ? text.substr(arrow + 3) : "";
        rows.push_back(row);
    }
    return rows;
}

OptionValues ScenarioSettings(const std::string& flags) {
    OptionValues settings;
    settings.NumMaxPedine = 33;
    settings.fixedCells = 7;
    settings.kindsUsed = 1;
    if (flags.find("hold") != std::string::npos)
        settings.holdToDrag = settings.reselectAfterMove = 1;
    return settings;
}

class WindowStep : public testing::Test {
  protected:
    void SetUp() override {
        Result<Sprite> cell = LoadSprite(std::string(ZEMBRO_RUN_DIR) + "/Immagini/Pedone2.bmp");
        ASSERT_TRUE(cell);
        cell_ = std::move(*cell);
    }
    Sprite cell_;
};

TEST_F(WindowStep, EveryScenarioAsAPlayerSeesIt) {
    const std::vector<Scenario> rows = Scenarios();
    ASSERT_GT(rows.size(), 50u) << ZEMBRO_SCENARIOS;
    for (const Scenario& row : rows) {
        const OptionValues settings = ScenarioSettings(row.flags);
        ScriptedWindow window(settings, cell_, 1);
        const IoResult ran = window.RunScript(row.events);
        ASSERT_TRUE(ran) << "line " << row.line << ": " << ran.Reason();
        EXPECT_EQ(window.Seen(), row.seen) << "line " << row.line << ": " << row.events;
    }
}

// What a press asks the composer to draw first over a frozen scene, in that order.
TEST_F(WindowStep, PressesAskForTheirOverlays) {
    struct Case {
        const char* zone;
        bool removePointer, menuStrip;
        std::vector<int> marksY;
    };
    const Case cases[] = {{"menu", true, true, {}},
                          {"pause", true, false, {PAUSE_POS.y}},
                          {"minimise", true, false, {MINIMISE_PAUSE_POS.y, PAUSE_POS.y}},
                          {"strip", false, false, {}}};
    const auto step = [&](WindowEvent event, bool barShown) {
        FrameState frame;
        InputState input;
        GameState game;
        const OptionValues settings = ScenarioSettings("");
        return Step(event, {frame, input, game, settings, cell_, barShown});
    };
    for (const Case& c : cases) {
        const WindowEvent at = ParseScriptItem(std::string("move ") + c.zone)->front();
        const StepOutcome out =
            step({.kind = WindowEvent::Kind::Press, .x = at.x, .y = at.y}, false);
        std::vector<int> marks;
        for (const ScenePoint& p : out.overlays.pauseMarks)
            marks.push_back(p.y);
        EXPECT_EQ(out.overlays.removePointer, c.removePointer) << c.zone;
        EXPECT_EQ(out.overlays.menuStrip, c.menuStrip) << c.zone;
        EXPECT_EQ(marks, c.marksY) << c.zone;
    }
    // Leaving recomposes a frozen scene without the pointer, unless the bar's strip is shown.
    for (const bool bar : {false, true})
        EXPECT_EQ(step({.kind = WindowEvent::Kind::Leave}, bar).fullRedraw, !bar);
}

} // namespace
} // namespace zembro
