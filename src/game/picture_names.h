// The scene's picture files by name, in the two picture folders the settings name: the one list
// the loader, the settings, artgen and the build take them from. The build reads the names from
// this file (BOARD_ and COUNTER_ lines, one name each) to know what artgen draws.
#pragma once

namespace zembro {

// In the board folder (the settings' directory1).
inline constexpr const char* BOARD_BACKGROUND = "Sfondo2.bmp";
inline constexpr const char* BOARD_EMPTY_CELL = "Pedone2.bmp";
inline constexpr const char* BOARD_HIGHLIGHT = "Pedone1.bmp";     // a valid path
inline constexpr const char* BOARD_ALT_HIGHLIGHT = "Pedone3.bmp"; // a path that is not
inline constexpr const char* BOARD_MENU_STRIP = "MenuImg.bmp";
inline constexpr const char* BOARD_POINTER = "Mouse1.bmp";
inline constexpr const char* BOARD_HOTSPOTS = "Pedine.pos";
// Piece picture k, from 1: "pedina01.bmp" and on.
inline constexpr const char* PIECE_PICTURE_FORMAT = "pedina%02d.bmp";
// The piece pictures the default settings name and artgen draws: 32 kinds and the fixed cell.
inline constexpr int DEFAULT_PIECE_PICTURES = 33;

// In the counters folder (the settings' directory2).
inline constexpr const char* COUNTER_SECONDS_LABEL = "Sec.bmp";
inline constexpr const char* COUNTER_FPS_LABEL = "FPS.bmp";
inline constexpr const char* COUNTER_PIECES_LABEL = "Pedine.bmp";
inline constexpr const char* COUNTER_DIGITS = "Numeri.bmp";
inline constexpr const char* COUNTER_MOVES_LABEL = "Mosse.bmp";
inline constexpr const char* COUNTER_PAUSE = "Pausa.bmp";
inline constexpr const char* COUNTER_MINIMISE = "Mini.bmp";

} // namespace zembro
