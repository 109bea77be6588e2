// The one language of window events and game states that the scenario file, the tool's window,
// play and render commands, and the end-to-end scripts share.
//
// Events, in game-screen pixels:
//   move|frame|hit TARGET          the pointer to TARGET: "X Y", "cell C R", or a zone (menu,
//                                  minimise, pause, strip: a point of the strip's band that is
//                                  no zone, grip); frame: over the window's frame or drag zone;
//                                  hit: the window system asks whether it is the caption
//   click|press|release|right [AT] AT: a zone, "cell C R" or "C R" (a cell); alone, where the
//                                  pointer stands; click: move, press, release
//   hover C R | off                the pointer onto the middle of cell (C, R), or onto the
//                                  board's corner, which is on no cell
//   down | up                      press | release, where the pointer stands
//   grip, grip-up, leave, active 0|1, key NAME (the key table's names, "ctrl+" for Control),
//   dialog (one opens and closes), new (a new deal), idle (time for the watch over the game)
// States, which set what no event reaches:
//   board (and the eight rows of codes after it), seed N, selected C R, cursor C R, shapes 0|1,
//   mouse X Y, seconds N, moves N, fps N, pressed 0|1, paused 0|1
#pragma once

#include "app/window_step.h"
#include "base/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zembro {

struct StateWord {
    std::string name;
    std::vector<std::int64_t> values;
    Board board{}; // "board": its rows
};

using ScriptItem = std::variant<std::vector<WindowEvent>, StateWord>;

// The items of a text, separated by commas or line ends; blank items and lines that start with
// '#' are skipped. Stops at the first item that is none, saying why.
Result<std::vector<ScriptItem>> ParseScript(std::string_view text);

} // namespace zembro
