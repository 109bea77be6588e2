// The game screen's layout: every zone that answers the mouse and the art drawn under it, in
// game-screen coordinates. The hit tests, the pictures drawn at build time and the tests all
// take their numbers from here, so a zone cannot drift from its art.
#pragma once

namespace zembro {

// A rectangle whose bounds are all inclusive.
struct ScreenRect {
    int left, top, right, bottom;

    constexpr bool Contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    constexpr int Width() const { return right - left + 1; }
    constexpr int Height() const { return bottom - top + 1; }
};

// The panel at the top right that holds the strip's controls.
inline constexpr ScreenRect STRIP_PANEL{690, 1, 795, 64};
inline constexpr ScreenRect MENU_ZONE{729, 7, 765, 15};
// The band of the minimise and pause buttons; inside the panel it takes every press.
inline constexpr ScreenRect STRIP_BAND{STRIP_PANEL.left, 27, STRIP_PANEL.right, 56};
inline constexpr ScreenRect MINIMISE_ZONE{698, 27, 727, 56};
inline constexpr ScreenRect PAUSE_ZONE{729, 27, 758, 56};
// The grip that drags the window, as a title bar would.
inline constexpr ScreenRect DRAG_ZONE{772, 22, 790, 60};

} // namespace zembro
