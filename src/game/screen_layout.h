// The game screen's layout: every zone that answers the mouse and the art drawn under it, in
// game-screen coordinates. The hit tests, the pictures drawn at build time and the tests all
// take their numbers from here, so a zone cannot drift from its art.
#pragma once

namespace zembro {

inline constexpr int SCREEN_WIDTH = 800, SCREEN_HEIGHT = 600;

// The window on a screen larger than the game: the client area inside a 3-pixel frame,
// centred by this formula (the left edge on a multiple of 4, as the game always placed it).
inline constexpr int FRAME_BORDER = 3;
inline constexpr int FRAMED_WIDTH = SCREEN_WIDTH + 2 * FRAME_BORDER;
inline constexpr int FRAMED_HEIGHT = SCREEN_HEIGHT + 2 * FRAME_BORDER;

// Where the window stands on a screen of at least the game's size: on exactly 800 x 600 it is
// the whole screen, without a frame; on a larger one it is centred in the frame.
struct WindowPlacement {
    int left, top, width, height;
    bool framed;
    int Border() const { return framed ? FRAME_BORDER : 0; }
};
constexpr WindowPlacement PlaceWindow(int screenWidth, int screenHeight) {
    if (screenWidth == SCREEN_WIDTH && screenHeight == SCREEN_HEIGHT)
        return {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, false};
    return {((screenWidth - (SCREEN_WIDTH - 2 * FRAME_BORDER)) / 2) & ~3,
            (screenHeight - (SCREEN_HEIGHT - 2 * FRAME_BORDER)) / 2, FRAMED_WIDTH, FRAMED_HEIGHT,
            true};
}

// A point of the game screen.
struct ScenePoint {
    int x, y;
};

// A rectangle whose bounds are all inclusive.
struct ScreenRect {
    int left, top, right, bottom;

    constexpr bool Contains(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    constexpr int Width() const { return right - left + 1; }
    constexpr ScenePoint Middle() const { return {(left + right) / 2, (top + bottom) / 2}; }
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
// The column of five command buttons the menu zone opens, each 121 x 31, over the panel.
inline constexpr ScenePoint BUTTON_BAR_POS{650, 23};
inline constexpr int BUTTON_WIDTH = 121, BUTTON_HEIGHT = 31, BUTTON_COUNT = 5;

// Where the scene puts its pictures: top-left corners.
inline constexpr ScenePoint MENU_STRIP_POS{636, 0};
inline constexpr ScenePoint PAUSE_POS{736, 25};
// The pause mark drawn by a press on the minimise zone, one row lower than the pause's.
inline constexpr ScenePoint MINIMISE_PAUSE_POS{736, 26};
inline constexpr ScenePoint FPS_LABEL_POS{40, 30}, FPS_VALUE_POS{145, 30};
inline constexpr ScenePoint SECONDS_LABEL_POS{40, 70}, SECONDS_VALUE_POS{130, 70};
inline constexpr ScenePoint PIECES_VALUE_POS{210, 544}, MOVES_VALUE_POS{675, 532};
inline constexpr ScenePoint SELECTED_PREVIEW_POS{23, 466}, TARGET_PREVIEW_POS{113, 465};

// The board's bounding rectangle, inclusive.
inline constexpr ScreenRect BOARD_AREA{11, 2, 795, 578};
// Cells are drawn in 98 x 72 boxes; column bands are 98 pixels wide, row bands 72 high, and
// cell centres lie on the half-band lattice.
inline constexpr int BAND_WIDTH = 98, BAND_HEIGHT = 72;

// The drawing position of cell (col, row): the top-left corner of its 98 x 72 box.
constexpr ScenePoint CellPosition(int col, int row) {
    return {354 + 49 * (col - row) - ((col + row) % 2 == 0 ? 1 : 0), 36 * (col + row) - 70};
}
// The middle of cell (col, row), where a click takes it.
constexpr ScenePoint CellMiddle(int col, int row) {
    return {CellPosition(col, row).x + BAND_WIDTH / 2, CellPosition(col, row).y + BAND_HEIGHT / 2};
}

} // namespace zembro
