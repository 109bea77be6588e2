// The program's own pictures by id (bitmapID.bmp, iconID-SIZE.png and iconID.svg among the
// resources artgen draws and the build compiles in): the one list the game, artgen and the build
// take them from. The build reads every `BITMAP_` line of this file to know what artgen draws.
#pragma once

namespace zembro {

inline constexpr int ICON_GAME = 102;
inline constexpr int BITMAP_BUTTON = 105;
inline constexpr int BITMAP_BUTTON_PRESSED = 107;
inline constexpr int BITMAP_OPTIONS = 111;
inline constexpr int BITMAP_OPTIONS_PRESSED = 112;
inline constexpr int BITMAP_NEW_GAME = 113;
inline constexpr int BITMAP_NEW_GAME_PRESSED = 114;
inline constexpr int BITMAP_ABOUT_BUTTON = 115;
inline constexpr int BITMAP_ABOUT_BUTTON_PRESSED = 116;
inline constexpr int BITMAP_END_GAME = 117;
inline constexpr int BITMAP_END_GAME_PRESSED = 118;
inline constexpr int BITMAP_ABOUT = 123;
inline constexpr int BITMAP_RANKING = 126;
inline constexpr int BITMAP_RANKING_PRESSED = 127;
// Buttons the program ships and never shows.
inline constexpr int BITMAP_SPARE[] = {108, 109, 110, 119, 125};

// A button's pictures and the word artgen writes on them.
struct ButtonPictures {
    int picture, pressedPicture;
    const char* label;
};
inline constexpr ButtonPictures DEFAULT_BUTTON = {BITMAP_BUTTON, BITMAP_BUTTON_PRESSED, ""};
// The bar's buttons, top to bottom.
inline constexpr ButtonPictures BAR_BUTTONS[] = {
    {BITMAP_NEW_GAME, BITMAP_NEW_GAME_PRESSED, "Resetta"},
    {BITMAP_OPTIONS, BITMAP_OPTIONS_PRESSED, "Opzioni"},
    {BITMAP_RANKING, BITMAP_RANKING_PRESSED, "Classifica"},
    {BITMAP_ABOUT_BUTTON, BITMAP_ABOUT_BUTTON_PRESSED, "About"},
    {BITMAP_END_GAME, BITMAP_END_GAME_PRESSED, "Uscita"},
};

} // namespace zembro
