// Zembro on Qt: the command line, the toolkit's environment, the framework, the game.
#include "app/program.h"
#include "platform/qt/platform_choice.h"
#include "platform/qt/qt_framework.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Set before Qt starts: the window-system back end, and whole scale factors.
void ChooseTheToolkitsEnvironment() {
    using namespace zembro::platform;
    if (const auto platform =
            PlatformToAskFor(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY")))
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    for (const char* scale : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"})
        if (const char* factors = std::getenv(scale))
            setenv(scale, WholeScaleFactors(factors).c_str(), 1);
}

} // namespace

int main(int argc, char** argv) {
    // Read before Qt starts, so that asking for a text needs no display.
    if (const auto answered = zembro::AnswerCommandLine({argv + 1, argv + argc}))
        return *answered;
    ChooseTheToolkitsEnvironment();
    // Qt sees no arguments: its own (-platform, -display, ...) were refused above.
    int qtArgc = 1;
    zembro::platform::QtFramework framework(qtArgc, argv);
    if (const auto problem = framework.DisplayProblem()) {
        std::fprintf(stderr, "zembro: %s\n", problem->c_str());
        return 1;
    }
    return zembro::PlayGame(framework);
}
