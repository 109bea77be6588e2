// zembro-tool trace and pair: the path tracer and the pair scan on a board read from a file.
#include "app/board_text.h"
#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/pair_scan.h"
#include "game/path_trace.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>

namespace zembro::tool {
namespace {

// The fixed code these commands assume, as with 33 pictures.
constexpr int TOOL_NUM_MAX_PEDINE = 33;

std::optional<Board> LoadBoard(const std::string& path) {
    const std::optional<std::string> text = ReadSmallFile(path);
    if (!text)
        return std::nullopt;
    const Result<Board> board = ParseBoard(*text);
    if (!board) {
        Fail(path + ": " + board.Reason());
        return std::nullopt;
    }
    return *board;
}

} // namespace

int RunTrace(const Args& args) {
    const bool twoColour = args.size() == 6 && args[5] == "two-colour";
    if (args.size() != 5 && !twoColour)
        return Fail("usage: zembro-tool trace BOARDFILE SC SR HC HR [two-colour]", EXIT_USAGE);
    const std::optional<int> sc = ParseCoordinate(args[1], "SC");
    const std::optional<int> sr = sc ? ParseCoordinate(args[2], "SR") : std::nullopt;
    const std::optional<int> hc = sr ? ParseCoordinate(args[3], "HC") : std::nullopt;
    const std::optional<int> hr = hc ? ParseCoordinate(args[4], "HR") : std::nullopt;
    if (!hr)
        return EXIT_BAD_INPUT;
    const std::optional<Board> board = LoadBoard(args[0]);
    if (!board)
        return EXIT_BAD_INPUT;

    GameState game;
    game.board = *board;
    game.fixedCode = FixedCode(TOOL_NUM_MAX_PEDINE);
    PointerState pointer;
    pointer.selected = Cell{*sc, *sr};
    pointer.hover = Cell{*hc, *hr};
    if (const std::optional<PathTrace> path =
            TracePath(game.board, *pointer.selected, *pointer.hover, twoColour))
        pointer.path = *path;

    std::cout << FormatBoard(pointer.path.mask) << "path_valid " << pointer.path.valid << '\n'
              << "pair_target " << pointer.path.pairs << '\n'
              << "can_move " << (CanMoveTo(game, pointer, *pointer.hover) ? 1 : 0) << '\n';
    return EXIT_OK;
}

int RunPair(const Args& args) {
    if (args.size() != 3)
        return Fail("usage: zembro-tool pair BOARDFILE C R", EXIT_USAGE);
    const std::optional<int> col = ParseCoordinate(args[1], "C");
    const std::optional<int> row = col ? ParseCoordinate(args[2], "R") : std::nullopt;
    if (!row)
        return EXIT_BAD_INPUT;
    const std::optional<Board> board = LoadBoard(args[0]);
    if (!board)
        return EXIT_BAD_INPUT;
    std::cout << (PairAvailableFrom(*board, *col, *row) ? 1 : 0) << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool
