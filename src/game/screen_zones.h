// The hot zones of the top strip and the window's drag zone, in game-screen coordinates.
#pragma once

namespace zembro {

// Where a left press lands.
enum class PressZone {
    Menu,      // opens the button bar
    Minimise,  // pauses and minimises
    Pause,     // pauses the clock
    Strip,     // the rest of the top strip: nothing
    BoardArea, // everything else: cell selection and moves
};

constexpr PressZone ClassifyPress(int x, int y) {
    if (x >= 729 && x <= 765 && y >= 7 && y <= 15)
        return PressZone::Menu;
    if (y >= 27 && y <= 56) {
        if (x >= 698 && x <= 727)
            return PressZone::Minimise;
        if (x >= 729 && x <= 758)
            return PressZone::Pause;
        return PressZone::Strip;
    }
    return PressZone::BoardArea;
}

// The grip that drags the window: a press there moves the window as a title bar would.
constexpr bool InDragZone(int x, int y) {
    return x >= 772 && x <= 790 && y >= 22 && y <= 60;
}

// Window points become game-screen points by this offset.
inline constexpr int POINTER_OFFSET_X = 5, POINTER_OFFSET_Y = 0;

} // namespace zembro
