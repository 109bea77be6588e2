// The game's command line.
#include "app/command_line.h"

#include <string_view>

namespace zembro {

CommandLine ReadCommandLine(std::span<char* const> args) {
    if (args.empty())
        return {};
    const auto action = [](std::string_view arg) {
        if (arg == "--help" || arg == "-h")
            return CommandAction::Help;
        return arg == "--version" ? CommandAction::Version : CommandAction::Refuse;
    };
    if (args.size() == 1 && action(args[0]) != CommandAction::Refuse)
        return {action(args[0]), {}};
    // Named in the refusal: the first argument not understood, else the one too many.
    for (const char* arg : args)
        if (action(arg) == CommandAction::Refuse)
            return {CommandAction::Refuse, arg};
    return {CommandAction::Refuse, args[1]};
}

std::string HelpText() {
    return "usage: zembro [--help | --version]\n"
           "\n"
           "Zembro, a tile-pairing puzzle on a diamond board, played with the mouse. It runs in\n"
           "the current folder: Option.opt there names the picture folders and holds the\n"
           "settings, and the best results are kept in Zembro.rec beside it.\n"
           "\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "See zembro(6).\n";
}

std::string VersionText() {
    return "zembro " ZEMBRO_VERSION "\n";
}

std::string RefusalText(const std::string& argument) {
    return "zembro: unknown argument '" + argument +
           "'\nTry 'zembro --help' for more information.\n";
}

} // namespace zembro
