// The window step through the scenario file every level reads, what it asks of the composer, and
// moves taken back and the same deal again over random play.
#include "app/window_script.h"

#include "board_rows.h"
#include "game/reach.h"
#include "render/bmp_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
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

std::string Click(Cell c) {
    return "click cell " + std::to_string(c.col) + " " + std::to_string(c.row);
}

// Random moves through the window's events, then as many take-backs: each gives back the board
// before its move; one more changes nothing; F5 gives back the deal, counters at zero.
TEST_F(WindowStep, TakingMovesBackAndTheSameDealGiveBackWhatWasThere) {
    std::mt19937 rng(11);
    for (int n = 0; n < 40; ++n) {
        OptionValues settings;
        settings.fixedCells = n % 2 * 10;
        settings.kindsUsed = 1 + static_cast<std::int32_t>(rng() % 20);
        settings.reselectAfterMove = static_cast<std::int32_t>(rng() % 2);
        ScriptedWindow window(settings, cell_, static_cast<std::uint32_t>(rng()));
        GameSession& session = window.Session();
        const GameState dealt = session.Game();
        std::vector<std::pair<Board, std::int32_t>> before;
        const int moves = 1 + static_cast<int>(rng() % 30);
        for (int m = 0; m < moves && session.Game().piecesLeft > 0; ++m) {
            const Board& board = session.Game().board;
            const auto at = [](int element) { return Cell{element % 8 + 1, element / 8 + 1}; };
            std::vector<SolverStep> steps;
            for (int from = 0; from < BOARD_CELLS; ++from)
                for (int i = 0;
                     session.Game().IsPiece(at(from)) && i < ReachFrom(board, from).count; ++i)
                    steps.push_back(
                        {at(from),
                         at(ReachFrom(board, from).targets[static_cast<std::size_t>(i)].cell)});
            if (steps.empty())
                break;
            const SolverStep step = steps[rng() % steps.size()];
            before.emplace_back(board, session.Game().piecesLeft);
            ASSERT_TRUE(window.RunScript("right, " + Click(step.from) + ", " + Click(step.to)));
            ASSERT_NE(session.Game().board, before.back().first) << "a move the reach allows";
        }
        const std::int32_t made = session.Game().moves;
        ASSERT_EQ(made, static_cast<std::int32_t>(before.size()));
        for (int back = 1; !before.empty(); ++back, before.pop_back()) {
            ASSERT_TRUE(window.RunScript(back % 2 ? "key ctrl+z" : "key backspace"));
            EXPECT_EQ(test::BoardText(session.Game().board), test::BoardText(before.back().first));
            EXPECT_EQ(session.Game().piecesLeft, before.back().second);
            EXPECT_EQ(session.Game().moves, made + back);
        }
        ASSERT_TRUE(window.RunScript("key ctrl+z"));
        EXPECT_EQ(session.Game().board, dealt.board) << "nothing left to take back";
        EXPECT_EQ(session.Game().moves, 2 * made);
        ASSERT_TRUE(window.RunScript(Click({1, 1}) + ", " + Click({4, 4}) + ", key f5"));
        EXPECT_EQ(session.Game().board, dealt.board);
        EXPECT_EQ(session.Game().piecesLeft, dealt.piecesLeft);
        EXPECT_EQ(session.Game().moves + session.Game().seconds, 0);
        EXPECT_TRUE(session.Frame().Paused());
    }
}

} // namespace
} // namespace zembro
