// Composing a frame in the back buffer: the whole scene, or only the pointer over a frozen one.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"
#include "render/back_buffer.h"
#include "render/game_sprites.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace zembro {

// Widths of the ten digit glyphs and their x in the digit strip.
inline constexpr std::array<std::uint8_t, 10> DIGIT_WIDTH = {23, 14, 18, 16, 21,
                                                             19, 19, 21, 17, 19};
inline constexpr std::array<std::uint8_t, 10> DIGIT_OFFSET = {0,   23,  39,  59,  77,
                                                              100, 121, 142, 165, 184};

// Where the scene puts things, top-left corners in back-buffer pixels.
struct ScenePoint {
    int x, y;
};
inline constexpr ScenePoint PAUSE_POS{736, 25};
inline constexpr ScenePoint FPS_LABEL_POS{40, 30}, FPS_VALUE_POS{145, 30};
inline constexpr ScenePoint SECONDS_LABEL_POS{40, 70}, SECONDS_VALUE_POS{130, 70};
inline constexpr ScenePoint PIECES_VALUE_POS{210, 544}, MOVES_VALUE_POS{675, 532};
inline constexpr ScenePoint SELECTED_PREVIEW_POS{23, 466}, TARGET_PREVIEW_POS{113, 465};
inline constexpr ScenePoint MENU_STRIP_POS{636, 0};

// The composer's own state, kept between paints.
struct SceneState {
    bool fullRedraw = true;    // the next paint recomposes and draws no pointer
    bool paintDone = false;    // the last requested paint has been made
    bool pointerDrawn = false; // `cursorSave` holds the pixels under the pointer at savedX/Y
    int savedX = 0, savedY = 0;
    bool blinkOn = false;   // the pairing target's preview is drawn half-blended
    bool blinkTick = false; // raised every 250 ms by the clock; flips blinkOn once
};

// What a paint reads of the frame besides the game.
struct FrameView {
    const GameState& game;
    const OptionValues& settings;
    bool cellPressed;
    int mouseX, mouseY;
    bool frozen;     // inactive, being dragged or paused: only the pointer moves
    bool paused;     // shows the pause mark
    bool barVisible; // the button bar is shown: frozen, and no software pointer
};

// One paint: a full recomposition when asked for or when nothing freezes the scene, else a
// pointer-only update. Ends by clearing fullRedraw and setting paintDone.
void PaintFrame(BackBuffer& buffer, GameSprites& sprites, SceneState& scene, const FrameView& view);

// The 64 cells, back diagonals first so that nearer rows cover those behind them.
void DrawBoard(BackBuffer& buffer, const GameSprites& sprites, const GameState& game,
               const OptionValues& settings, bool cellPressed);

// The text's digits from (x, y) rightward; other characters are skipped.
void DrawNumber(BackBuffer& buffer, int x, int y, std::string_view text, const Sprite& strip);

// The selected piece and the hovered target, the target blinking when it pairs.
void DrawPreviews(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                  const GameState& game);

// The drawing position of cell (col, row): the top-left corner of its 98 x 72 box.
constexpr ScenePoint CellPosition(int col, int row) {
    return {354 + 49 * (col - row) - ((col + row) % 2 == 0 ? 1 : 0), 36 * (col + row) - 70};
}

} // namespace zembro
