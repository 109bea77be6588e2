// The window step through the scenario file every level reads, and what it asks of the composer.
#include "app/window_script.h"

#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace zembro {
namespace {

struct Scenario {
    int line;
    std::string flags, events, seen;
};

// The rows of the scenario file: "[FLAGS] EVENTS => WORDS".
std::vector<Scenario> Scenarios() {
    std::ifstream in(ZEMBRO_SCENARIOS);
    const std::regex format(R"(^(?:\[([^\]]*)\] )?(.*?)(?: =>(?: (.*))?)?$)");
    std::vector<Scenario> rows;
    std::smatch m;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line)
        if (!text.empty() && text[0] != '#' && std::regex_match(text, m, format))
            rows.push_back({line, m[1], m[2], m[3]});
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
        frame.barShown = barShown;
        PointerState pointer;
        GameState game;
        const OptionValues settings = ScenarioSettings("");
        return Step(event, {frame, pointer, game, settings, cell_});
    };
    for (const Case& c : cases) {
        const WindowEvent at = std::get<std::vector<WindowEvent>>(
            ParseScript(std::string("move ") + c.zone)->front())[0];
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
