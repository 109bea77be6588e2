// Zembro: the game on the Qt framework.
#include "app/game_app.h"
#include "platform/qt/qt_framework.h"

int main(int argc, char** argv) {
    zembro::platform::QtFramework framework(argc, argv);
    zembro::GameApp app(framework);
    if (!app.InitInstance())
        return 1;
    return framework.Run(app);
}
