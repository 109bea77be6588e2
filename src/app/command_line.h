// What the game's command line asks for: to play, or only a text on the terminal.
#pragma once

#include <span>
#include <string>

namespace zembro {

enum class CommandAction { Play, Help, Version, Refuse };

struct CommandLine {
    CommandAction action = CommandAction::Play;
    std::string refused; // the argument that was not understood
};

// `args` are the arguments after the program's name. The game takes no settings on the command
// line (they live in Option.opt), so anything but --help or --version is refused.
CommandLine ReadCommandLine(std::span<char* const> args);

// The texts for standard output (help, version) and standard error (refusal), each ending in a
// line break.
std::string HelpText();
std::string VersionText();
std::string RefusalText(const std::string& argument);

} // namespace zembro
