// Zembro: the game on the Qt framework.
#include "app/command_line.h"
#include "app/game_app.h"
#include "platform/qt/platform_choice.h"
#include "platform/qt/qt_framework.h"
#include "store/regular_file.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Read before Qt starts, so that asking for a text needs no display.
    const zembro::CommandLine line = zembro::ReadCommandLine({argv + 1, argv + argc});
    switch (line.action) {
    case zembro::CommandAction::Help:
        std::fputs(zembro::HelpText().c_str(), stdout);
        return 0;
    case zembro::CommandAction::Version:
        std::fputs(zembro::VersionText().c_str(), stdout);
        return 0;
    case zembro::CommandAction::Refuse:
        std::fputs(zembro::RefusalText(line.refused).c_str(), stderr);
        return 2;
    case zembro::CommandAction::Play:
        break;
    }
    zembro::FailWritesPastTheSizeLimit();
    if (const auto platform = zembro::platform::PlatformToAskFor(std::getenv("QT_QPA_PLATFORM"),
                                                                 std::getenv("DISPLAY")))
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    for (const char* scale : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
        if (const char* factors = std::getenv(scale))
            setenv(scale, zembro::platform::WholeScaleFactors(factors).c_str(), 1);
    // Qt sees no arguments: its own (-platform, -display, ...) were refused above.
    int qtArgc = 1;
    zembro::platform::QtFramework framework(qtArgc, argv);
    if (const auto problem = framework.DisplayProblem()) {
        std::fprintf(stderr, "zembro: %s\n", problem->c_str());
        return 1;
    }
    zembro::GameApp app(framework);
    if (!app.InitInstance())
        return 1;
    return framework.Run(app);
}
