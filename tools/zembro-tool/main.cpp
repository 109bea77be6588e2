// zembro-tool: the game's rules and files without a window, for tests and theme makers.
#include "store/regular_file.h"
#include "tool_args.h"
#include "tool_commands.h"

#include <iostream>
#include <string_view>

namespace {

constexpr std::string_view USAGE = R"(usage: zembro-tool COMMAND ARGS...
       zembro-tool --help | --version

  deal OPTFILE SEED            deal a board with the settings of OPTFILE from start value SEED
  play OPTFILE SEED            deal, then play the pointer and button events read from stdin:
                               hover C R | off | down | up | right | click C R
  solve OPTFILE SEED [BUDGET]  deal, then ask the game's solver, examining at most BUDGET
                               positions (1000000): a winning line in play's words, or
                               unwinnable and why, or unknown
  window SEED                  deal with this folder's settings and pictures, then play the
                               event language read from stdin (see zembro-tool(6)): move X Y |
                               click|press|release|right [C R | cell C R | ZONE] | frame X Y |
                               hit X Y | leave | grip | grip-up | active 0|1 | key NAME |
                               dialog | new | idle, and the state words of render
  keys                         the key table: each key's name and the X key that presses it
  zones [WIDTHxHEIGHT]         where the game window stands on a screen of that size (1024x768),
                               its client area, the offset from client to game-screen x and y,
                               and the middle of each zone and bar button in game-screen pixels
  trace BOARDFILE SC SR HC HR [two-colour]
                               trace the path from cell (SC, SR) to cell (HC, HR)
  pair BOARDFILE C R           1 when the piece in cell (C, R) can be paired from where it stands
  options OPTFILE              the eleven values of an options file, as the game reads them
  bmp FILE                     load a picture as the game does: width, height, CRC-32 of its pixels
  hit X Y                      the cell under game-screen point (X, Y), with this folder's pictures
  cell C R                     the game-screen point in the middle of cell (C, R)
  render OUT.png [STATE]       compose a frame with this folder's pictures and write it as PNG;
                               STATE lines: board (then 8 rows), seed N, selected C R, hover C R,
                               seconds N, moves N, fps N, pressed 0|1, paused 0|1, mouse X Y,
                               cursor C R (the keyboard's framed cell), shapes 0|1, and events

  scores RECFILE               every record of a score file, as the ranking shows it
  rank RECFILE SECONDS MOVES   the place a result would take (1..16, or 255)
  insert RECFILE NAME SECONDS MOVES PENALTY FIXED KINDS "YYYY-MM-DD HH:MM"
                               store a result as the end of a game does; prints its place

A board file holds 8 lines of 8 cell codes, row 1 first. See zembro-tool(6).
)";

struct Subcommand {
    std::string_view name;
    int (*run)(const zembro::tool::Args&);
};

constexpr Subcommand SUBCOMMANDS[] = {
    {"deal", zembro::tool::RunDeal},       {"play", zembro::tool::RunPlay},
    {"trace", zembro::tool::RunTrace},     {"pair", zembro::tool::RunPair},
    {"options", zembro::tool::RunOptions}, {"bmp", zembro::tool::RunBmp},
    {"hit", zembro::tool::RunHit},         {"render", zembro::tool::RunRender},
    {"scores", zembro::tool::RunScores},   {"rank", zembro::tool::RunRank},
    {"insert", zembro::tool::RunInsert},   {"cell", zembro::tool::RunCell},
    {"window", zembro::tool::RunWindow},   {"zones", zembro::tool::RunZones},
    {"keys", zembro::tool::RunKeys},       {"solve", zembro::tool::RunSolve},
};

} // namespace

int main(int argc, char** argv) {
    using namespace zembro::tool;
    if (argc < 2)
        return Fail("no command given; try zembro-tool --help", EXIT_USAGE);
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << USAGE;
        return EXIT_OK;
    }
    if (name == "--version") {
        std::cout << "zembro-tool " ZEMBRO_VERSION "\n";
        return EXIT_OK;
    }
    zembro::FailWritesPastTheSizeLimit();
    const Args args(argv + 2, argv + argc);
    for (const Subcommand& subcommand : SUBCOMMANDS) {
        if (subcommand.name == name)
            return subcommand.run(args);
    }
    return Fail("unknown command '" + std::string(name) + "'; try zembro-tool --help", EXIT_USAGE);
}
