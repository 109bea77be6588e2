// What every back end's entry point does around its framework: answer a command line that asks
// only for a text, then start the game and run its loop.
#pragma once

#include "platform/framework.h"

#include <optional>
#include <span>

namespace zembro {

// The exit code when the command line asks for a text (printed here) or is refused; nothing
// when it asks to play.
std::optional<int> AnswerCommandLine(std::span<char* const> args);

// Starts the game on `framework` and runs it: the exit code.
int PlayGame(platform::Framework& framework);

} // namespace zembro
