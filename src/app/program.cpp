// The entry points' common part.
#include "app/program.h"

#include "app/command_line.h"
#include "app/game_app.h"
#include "store/regular_file.h"

#include <cstdio>

namespace zembro {

std::optional<int> AnswerCommandLine(std::span<char* const> args) {
    const CommandLine line = ReadCommandLine(args);
    switch (line.action) {
    case CommandAction::Help:
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    case CommandAction::Version:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case CommandAction::Refuse:
        std::fputs(RefusalText(line.refused).c_str(), stderr);
        return 2;
    case CommandAction::Play:
        break;
    }
    FailWritesPastTheSizeLimit();
    return std::nullopt;
}

int PlayGame(platform::Framework& framework) {
    GameApp app(framework);
    if (!app.InitInstance())
        return 1;
    return framework.Run(app);
}

} // namespace zembro
