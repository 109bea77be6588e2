// zembro-tool deal and play: a deal from a known start value, and a game driven by a script of
// pointer and button events through the game's own input handling.
#include "board_text.h"
#include "game/board_input.h"
#include "game/deal.h"
#include "store/options_file.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>
#include <sstream>

namespace zembro::tool {
namespace {

struct DealtGame {
    OptionValues settings;
    GameState state;
    std::uint32_t rngState = 0;
};

// Deals from OPTFILE and SEED, the two arguments of both commands; prints why it cannot.
std::optional<DealtGame> DealFromArgs(const Args& args) {
    const std::optional<std::int64_t> seed = ParseDecimal(args[1], 0, 0xFFFFFFFFll);
    if (!seed) {
        Fail("SEED must be an unsigned 32-bit decimal number, not '" + args[1] + "'");
        return std::nullopt;
    }
    DealtGame game;
    const Result<OptionsRead> read = ReadOptions(args[0], game.settings);
    if (!read) {
        Fail(read.Reason());
        return std::nullopt;
    }
    ResetGame(game.state);
    game.rngState =
        Deal(game.state, DealParamsFrom(game.settings), static_cast<std::uint32_t>(*seed));
    return game;
}

// A line of the play script, or why it is not one.
struct Command {
    enum class Kind { Hover, Off, Down, Up, Right, Click } kind;
    int col = 0, row = 0;
};

Result<Command> ParseCommand(const std::string& line) {
    std::istringstream words(line);
    std::string name, extra;
    words >> name;
    const bool hasCell = name == "hover" || name == "click";
    std::string colText, rowText;
    if (hasCell)
        words >> colText >> rowText;
    if (words >> extra)
        return Result<Command>::Fail("too many words");
    static const std::pair<const char*, Command::Kind> NAMES[] = {
        {"hover", Command::Kind::Hover}, {"off", Command::Kind::Off},
        {"down", Command::Kind::Down},   {"up", Command::Kind::Up},
        {"right", Command::Kind::Right}, {"click", Command::Kind::Click}};
    for (const auto& [text, kind] : NAMES) {
        if (name != text)
            continue;
        Command command{kind};
        if (hasCell) {
            const std::optional<std::int64_t> col = ParseDecimal(colText, 1, 8);
            const std::optional<std::int64_t> row = ParseDecimal(rowText, 1, 8);
            if (!col || !row)
                return Result<Command>::Fail(name + " needs a column and a row from 1 to 8");
            command.col = static_cast<int>(*col);
            command.row = static_cast<int>(*row);
        }
        return Result<Command>::Ok(command);
    }
    return Result<Command>::Fail("unknown command '" + name + "'");
}

// Gives true when the move won the game.
bool Apply(const Command& command, DealtGame& game, InputState& input) {
    GameState& state = game.state;
    const OptionValues& settings = game.settings;
    MoveResult result = MoveResult::NoMove;
    switch (command.kind) {
    case Command::Kind::Hover:
        PointerOnCell(state, settings, command.col, command.row);
        break;
    case Command::Kind::Off:
        PointerOffCells(state);
        break;
    case Command::Kind::Down:
        result = BoardPress(state, input, settings);
        break;
    case Command::Kind::Up:
        result = BoardRelease(state, input, settings);
        break;
    case Command::Kind::Right:
        RightPress(state);
        break;
    case Command::Kind::Click:
        PointerOnCell(state, settings, command.col, command.row);
        result = BoardPress(state, input, settings);
        if (result != MoveResult::Won)
            result = BoardRelease(state, input, settings);
        break;
    }
    return result == MoveResult::Won;
}

} // namespace

int RunDeal(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool deal OPTFILE SEED", EXIT_USAGE);
    const std::optional<DealtGame> game = DealFromArgs(args);
    if (!game)
        return EXIT_BAD_INPUT;
    std::cout << FormatBoard(game->state.board) << "pieces_left " << game->state.piecesLeft << '\n'
              << "rng_state " << game->rngState << '\n';
    return EXIT_OK;
}

int RunPlay(const Args& args) {
    if (args.size() != 2)
        return Fail("usage: zembro-tool play OPTFILE SEED", EXIT_USAGE);
    std::optional<DealtGame> game = DealFromArgs(args);
    if (!game)
        return EXIT_BAD_INPUT;

    InputState input;
    bool won = false;
    const int status = RunScript([&](const std::string& line) {
        const Result<Command> command = ParseCommand(line);
        if (!command)
            return Result<bool>::Fail(command.Reason());
        won = Apply(*command, *game, input);
        return Result<bool>::Ok(won);
    });
    if (status != EXIT_OK)
        return status;

    const GameState& s = game->state;
    std::cout << FormatBoard(s.board) << "moves " << s.moves << '\n'
              << "seconds " << s.seconds << '\n'
              << "pieces_left " << s.piecesLeft << '\n'
              << "selected " << s.sourceCol << ' ' << s.sourceRow << '\n'
              << "hover " << s.hoverCol << ' ' << s.hoverRow << '\n'
              << "won " << (won ? 1 : 0) << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool
