// Zembro: the game on the Qt framework.
#include "app/game_app.h"
#include "platform/qt/platform_choice.h"
#include "platform/qt/qt_framework.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (const auto platform = zembro::platform::PlatformToAskFor(std::getenv("QT_QPA_PLATFORM"),
                                                                 std::getenv("DISPLAY")))
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    zembro::platform::QtFramework framework(argc, argv);
    if (const auto problem = framework.DisplayProblem()) {
        std::fprintf(stderr, "zembro: %s\n", problem->c_str());
        return 1;
    }
    zembro::GameApp app(framework);
    if (!app.InitInstance())
        return 1;
    return framework.Run(app);
}
