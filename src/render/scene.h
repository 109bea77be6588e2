// Composing a frame in the back buffer: the whole scene, or only the pointer over a frozen one.
#pragma once

#include "game/game_settings.h"
#include "game/game_state.h"
#include "game/screen_layout.h"
#include "render/back_buffer.h"
#include "render/game_sprites.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zembro {

// Widths of the ten digit glyphs and their x in the digit strip.
inline constexpr std::array<std::uint8_t, 10> DIGIT_WIDTH = {23, 14, 18, 16, 21,
                                                             19, 19, 21, 17, 19};
inline constexpr std::array<std::uint8_t, 10> DIGIT_OFFSET = {0,   23,  39,  59,  77,
                                                              100, 121, 142, 165, 184};

// What the window asks the next paint to draw first, in this order, over what the back buffer
// holds (a frozen scene keeps its pixels): the game's pointer taken away, the menu strip with the
// board drawn again over it, the pause marks.
struct SceneOverlays {
    bool removePointer = false;
    bool menuStrip = false;
    std::vector<ScenePoint> pauseMarks;

    bool Any() const { return removePointer || menuStrip || !pauseMarks.empty(); }
};

// The composer's own state, kept between paints.
struct SceneState {
    bool fullRedraw = true;    // the next paint recomposes and draws no pointer
    bool paintDone = false;    // the last requested paint has been made
    bool pointerDrawn = false; // `pointerSave` holds the pixels under the pointer at savedX/Y
    int savedX = 0, savedY = 0;
    Sprite pointerSave; // of the pointer's size, made at the first paint
    // The keyboard's frame, moved over a frozen scene as the pointer is: `frameSave` holds the
    // pixels under it on its cell while it is drawn.
    std::optional<Cell> frameDrawn;
    Sprite frameSave;
    std::int32_t secondsShown = 0; // the seconds the counter on the screen shows
    bool blinkOn = false;          // the pairing target's preview is drawn half-blended
    bool blinkTick = false;        // raised every 250 ms by the clock; flips blinkOn once
    SceneOverlays overlays;        // drawn and cleared by the next paint
};

// What a paint reads of the frame besides the game.
struct FrameView {
    const GameState& game;
    const PointerState& pointer;
    const OptionValues& settings;
    std::int32_t fps; // the frames-per-second figure shown
    int mouseX, mouseY;
    bool frozen;               // inactive, being dragged or paused: only the pointer moves
    bool paused;               // shows the pause mark
    bool barVisible;           // the button bar is shown: frozen, and no software pointer
    std::optional<Cell> frame; // the keyboard's cell, framed; none when the keyboard is not used
    bool pathShapes;           // the path's end shows whether it pairs by its shape too
};

// One paint: the overlays asked for, then a full recomposition when asked for or when nothing
// freezes the scene, else a pointer-only update. Ends by clearing the overlays and fullRedraw and
// setting paintDone.
void PaintFrame(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                const FrameView& view);

// The 64 cells, back diagonals first so that nearer rows cover those behind them.
void DrawBoard(BackBuffer& buffer, const GameSprites& sprites, const GameState& game,
               const PointerState& pointer, const OptionValues& settings);

// The keyboard's frame, made once from the empty cell's picture: three light rings along its
// outline outside a dark one, so that it shows on light and dark pictures alike.
Sprite MakeCellFrame(const Sprite& cell);
// That frame around `cell`.
void DrawCellFrame(BackBuffer& buffer, const Sprite& frame, Cell cell);

// The path's end shapes, made once: a ring for a move that pairs (`pairs`), a cross for one that
// does not, light with dark edges, centred in the picture.
Sprite MakePathEndShape(bool pairs);
// On the hovered cell at the end of a drawn path, the ring or the cross, so that the shape tells
// what the colour tells.
void DrawPathEndShape(BackBuffer& buffer, const GameSprites& sprites, const PointerState& pointer);

// The text's digits from (x, y) rightward; other characters are skipped.
void DrawNumber(BackBuffer& buffer, int x, int y, std::string_view text, const Sprite& strip);

// The selected piece and the hovered target, the target blinking when it pairs.
void DrawPreviews(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                  const GameState& game, const PointerState& pointer);

} // namespace zembro
