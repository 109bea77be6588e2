// zembro-tool deal, play and solve: a deal from a known start value, a game played through the
// game's own session with the pointer and button words of the event language, and the solver's
// answer about a deal in those words.
#include "app/board_text.h"
#include "app/window_script.h"
#include "game/deal.h"
#include "game/solver.h"
#include "render/opaque_runs.h"
#include "store/options_file.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <cstdlib>
#include <iostream>

namespace zembro::tool {
namespace {

// The settings of OPTFILE and the start value SEED, the two arguments of both commands; nothing
// after printing why not.
std::optional<std::pair<OptionValues, std::uint32_t>> SettingsAndSeed(const Args& args) {
    const std::optional<std::int64_t> seed = ParseDecimal(args[1], 0, 0xFFFFFFFFll);
    if (!seed) {
        Fail("SEED must be an unsigned 32-bit decimal number, not '" + args[1] + "'");
        return std::nullopt;
    }
    OptionValues settings;
    if (const Result<OptionsRead> read = ReadOptions(args[0], settings); !read) {
        Fail(read.Reason());
        return std::nullopt;
    }
    return std::pair{settings, static_cast<std::uint32_t>(*seed)};
}

// The cells' shape where no pictures are read: a diamond filling its 98 x 72 box, as the cells
// of the board lie.
Sprite DiamondCell() {
    constexpr Pixel KEY = 0x7C1F, CELL = 0x3DEF;
    Sprite cell = MakeSprite(BAND_WIDTH, BAND_HEIGHT);
    const PixelView view = cell.View();
    for (int y = 0; y < BAND_HEIGHT; ++y)
        for (int x = 0; x < BAND_WIDTH; ++x)
            view.Row(y)[x] = std::abs(2 * x + 1 - BAND_WIDTH) * BAND_HEIGHT +
                                         std::abs(2 * y + 1 - BAND_HEIGHT) * BAND_WIDTH <=
                                     BAND_WIDTH * BAND_HEIGHT
                                 ? CELL
                                 : KEY;
    IndexOpaqueRuns(cell);
    return cell;
}

} // namespace

int RunDeal(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool deal OPTFILE SEED", EXIT_USAGE);
    const auto given = SettingsAndSeed(args);
    if (!given)
        return EXIT_BAD_INPUT;
    GameState game;
    PointerState pointer;
    ResetGame(game, pointer);
    const std::uint32_t rng = Deal(game, DealParamsFrom(given->first), given->second);
    std::cout << FormatBoard(game.board) << "pieces_left " << game.piecesLeft << '\n'
              << "rng_state " << rng << '\n';
    return EXIT_OK;
}

int RunPlay(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool play OPTFILE SEED", EXIT_USAGE);
    const auto given = SettingsAndSeed(args);
    if (!given)
        return EXIT_BAD_INPUT;
    const Sprite cell = DiamondCell();
    ScriptedWindow window(given->first, cell, given->second);
    const int status = RunScript([&](const std::string& line) {
        if (const IoResult ran = window.RunScript(line); !ran)
            return Result<bool>::Fail(ran.Reason());
        return Result<bool>::Ok(window.Won());
    });
    if (status != EXIT_OK)
        return status;

    const GameState& game = window.Session().Game();
    const PointerState& pointer = window.Session().Pointer();
    // The contract's way of saying none: 0 0 for no selection, 255 255 for no hover.
    const Cell selected = pointer.selected.value_or(Cell{0, 0});
    const Cell hover = pointer.hover.value_or(Cell{255, 255});
    std::cout << FormatBoard(game.board) << "moves " << game.moves << '\n'
              << "seconds " << game.seconds << '\n'
              << "pieces_left " << game.piecesLeft << '\n'
              << "selected " << selected.col << ' ' << selected.row << '\n'
              << "hover " << hover.col << ' ' << hover.row << '\n'
              << "won " << (window.Won() ? 1 : 0) << '\n';
    return EXIT_OK;
}

int RunSolve(const Args& args) {
    if (args.size() != 2 && args.size() != 3)
        return Fail("usage: zembro-tool solve OPTFILE SEED [BUDGET]", EXIT_USAGE);
    const auto given = SettingsAndSeed(args);
    if (!given)
        return EXIT_BAD_INPUT;
    std::int64_t budget = 1000000; // positions: a few seconds at most
    if (args.size() == 3) {
        const std::optional<std::int64_t> parsed = ParseDecimal(args[2], 1, 1000000000000ll);
        if (!parsed)
            return Fail("BUDGET must be a number of positions from 1 to 10^12, not '" + args[2] +
                            "'",
                        EXIT_USAGE);
        budget = *parsed;
    }
    GameState game;
    PointerState pointer;
    ResetGame(game, pointer);
    Deal(game, DealParamsFrom(given->first), given->second);
    const Solution solution = Solve(game.board, game.fixedCode, budget);
    switch (solution.verdict) {
    case Solution::Verdict::Unwinnable:
        std::cout << "unwinnable " << ProofText(solution.proof) << '\n';
        return EXIT_OK;
    case Solution::Verdict::Unknown:
        std::cout << "unknown\n";
        return EXIT_OK;
    case Solution::Verdict::Winnable:
        break;
    }
    const auto at = [](Cell c) { return std::to_string(c.col) + ' ' + std::to_string(c.row); };
    const bool hold = given->first.holdToDrag != 0;
    // Each step from no selection: a reselected piece would take the next click as a target.
    for (const SolverStep& step : solution.line)
        std::cout << "right\n"
                  << (hold ? "hover " + at(step.from) + "\ndown\nhover " + at(step.to) + "\nup\n"
                           : "click " + at(step.from) + "\nclick " + at(step.to) + '\n');
    return EXIT_OK;
}

} // namespace zembro::tool
