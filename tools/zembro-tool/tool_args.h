// Argument parsing and error reporting shared by the subcommands of zembro-tool.
#pragma once

#include "base/result.h"
#include "store/decimal_text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zembro::tool {

inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_BAD_INPUT = 1;
inline constexpr int EXIT_USAGE = 2;

// Prints "zembro-tool: MESSAGE" on standard error and gives the exit code.
int Fail(std::string_view message, int exitCode = EXIT_BAD_INPUT);

// A cell coordinate 1..8 named `what` in the error, or nothing after printing the error.
std::optional<int> ParseCoordinate(std::string_view text, std::string_view what);

// The whole of a small text file, or nothing after printing why not.
std::optional<std::string> ReadSmallFile(const std::string& path);

// Runs each line of a script read from standard input through `apply`, blanks and comments
// ('#') aside, until the end or until `apply` gives true (the game was won). Gives the exit
// code: 0, or 1 after printing which line was refused and why.
int RunScript(const std::function<Result<bool>(const std::string& line)>& apply);

} // namespace zembro::tool
