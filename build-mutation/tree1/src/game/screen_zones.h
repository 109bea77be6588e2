// What a press does in each zone of the screen, and the window's drag zone.
#pragma once

#include "game/screen_layout.h"

namespace zembro {

// Where a left press lands.
enum class PressZone {
    Menu,      // opens the button bar
    Minimise,  // pauses and minimises
    Pause,     // pauses the clock
    Strip,     // the rest of the strip's band inside its panel: nothing
    BoardArea, // everything else: cell selection and moves
};

constexpr PressZone ClassifyPress(int x, int y) {
    if (MENU_ZONE.Contains(x, y))
        return PressZone::Menu;
    if (MINIMISE_ZONE.Contains(x, y))
        return PressZone::Minimise;
    if (PAUSE_ZONE.Contains(x, y))
        return PressZone::Pause;
    // The band takes presses only over its panel: the board's top corner cell reaches into
    // the band's height and answers a press as it answers the hover.
    if (STRIP_BAND.Contains(x, y))
        return PressZone::Strip;
    return PressZone::BoardArea;
}

constexpr bool InDragZone(int x, int y) {
    return DRAG_ZONE.Contains(x, y);
}

// Window points become game-screen points by this offset.
inline constexpr int POINTER_OFFSET_X = 5, POINTER_OFFSET_Y = 0;

} // namespace zembro
