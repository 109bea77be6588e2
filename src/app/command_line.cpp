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

namespace {

// Where the game's files are: where it runs on Linux, beside zembro.exe on Windows.
#ifdef _WIN32
constexpr const char* FILES =
    "It runs in its own folder, the one of zembro.exe: Option.opt there names the picture\n"
    "folders and holds the settings, and the best results are kept in Zembro.rec beside it.\n"
    "Where that folder may not be written, both are kept in %APPDATA%\\Zembro instead.\n";
#else
constexpr const char* FILES =
    "It runs in the current folder: Option.opt there names the picture folders and holds the\n"
    "settings, and the best results are kept in Zembro.rec beside it.\n";
#endif

} // namespace

std::string HelpText() {
    return std::string("usage: zembro [--help | --version]\n"
                       "\n"
                       "Zembro, a tile-pairing puzzle on a diamond board, played with the mouse or "
                       "the keys.\n") +
           FILES +
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
