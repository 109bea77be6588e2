// Command ids of the game window, and the bits of its window state.
#pragma once

#include <cstdint>

namespace zembro {

inline constexpr int CMD_OPTIONS = 5;
inline constexpr int CMD_NEW_GAME = 6;
inline constexpr int CMD_MINIMIZE = 7;
inline constexpr int CMD_ABOUT = 8;
inline constexpr int CMD_END_GAME = 9;
inline constexpr int CMD_RANKING = 10;
inline constexpr int CMD_KEYS = 11;   // the list of the game's keys
inline constexpr int CMD_HINTED = 12; // the first hint of a game: it will not be ranked
inline constexpr int CMD_LOST = 13;   // the game was proven lost

// The window is not the active window, or it is minimised: repaints are throttled.
inline constexpr std::uint32_t STATE_INACTIVE = 0x100;
// The left button went down on the drag zone and the drag has not been seen to end.
inline constexpr std::uint32_t STATE_CAPTION_PRESSED = 0x400;
// The clock is stopped.
inline constexpr std::uint32_t STATE_PAUSED = 0x800;
// Any of these freezes the scene: paints only move the pointer.
inline constexpr std::uint32_t STATE_FREEZING_BITS = 0xFF00;

} // namespace zembro
