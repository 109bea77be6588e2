// Scene composition: background, board, counters, previews and the software pointer.
#include "render/scene.h"

#include "render/blitters.h"
#include "render/opaque_runs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace zembro {
namespace {

void Keyed(BackBuffer& b, const Sprite& s, int x, int y) {
    if (!s.Empty())
        DrawKeyedRuns(b.View(), x, y, s);
}

void Blended(BackBuffer& b, const Sprite& s, int x, int y) {
    if (!s.Empty())
        DrawBlended(b.View(), x, y, s.View());
}

void DrawCounter(BackBuffer& b, ScenePoint at, std::int32_t value, const Sprite& strip) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", value);
    DrawNumber(b, at.x, at.y, text, strip);
}

// The background is exactly the surface's size (the loader sees to it).
void FillBackground(BackBuffer& b, const Sprite& background) {
    const std::size_t rowBytes = static_cast<std::size_t>(RowStride(SCREEN_WIDTH, 16));
    if (background.pixels.size() * sizeof(Pixel) < rowBytes * SCREEN_HEIGHT)
        return;
    if (b.header.biHeight > 0) {
        std::memcpy(b.bits(), background.bits(), rowBytes * SCREEN_HEIGHT);
        return;
    }
    // A top-down surface holds the rows in the other order.
    const PixelView to = b.View();
    const ConstPixelView from = background.View();
    for (int row = 0; row < SCREEN_HEIGHT; ++row)
        std::memcpy(to.Row(row), from.Row(row), rowBytes);
}

void SavePointer(BackBuffer& b, const GameSprites& sprites, SceneState& scene, int x, int y) {
    Sprite& save = scene.pointerSave;
    const Sprite& pointer = sprites.cursorSprite;
    if (save.Width() != pointer.Width() || save.Height() != pointer.Height())
        save = pointer.Empty() ? Sprite{} : MakeSprite(pointer.Width(), pointer.Height());
    if (!save.Empty()) {
        SaveUnder(b.View(), x, y, save.View());
        b.damage.Mark(x, y, save.Width(), save.Height());
    }
    scene.pointerDrawn = true;
    scene.savedX = x;
    scene.savedY = y;
}

// The seconds go on while the scene stands still behind another window, a drag or the bar: their
// counter follows the clock, drawn anew over the background it stands on.
void FollowTheClock(BackBuffer& b, const GameSprites& sprites, SceneState& scene,
                    const GameState& game) {
    const Sprite& strip = sprites.digitStrip;
    const Sprite& background = sprites.background;
    if (scene.secondsShown == game.seconds || strip.Empty() || background.Empty())
        return;
    constexpr int MOST_DIGITS = 4, WIDEST = 23 + 2;
    const int x = SECONDS_VALUE_POS.x, y = SECONDS_VALUE_POS.y, h = strip.Height();
    const ConstPixelView all = background.View();
    ConstPixelView under = all;
    under.pixels = (all.order == RowOrder::BottomUp ? all.Row(y + h - 1) : all.Row(y)) + x;
    under.width = MOST_DIGITS * WIDEST;
    under.height = h;
    RestoreUnder(b.View(), x, y, under);
    DrawCounter(b, SECONDS_VALUE_POS, game.seconds, strip);
    b.damage.Mark(x, y, under.width, h);
    scene.secondsShown = game.seconds;
}

// The keyboard's frame on its cell, the pixels under it kept first; none when the keyboard is
// not in use.
void SaveAndDrawFrame(BackBuffer& b, const GameSprites& sprites, SceneState& scene,
                      const FrameView& view) {
    scene.frameDrawn.reset();
    const Sprite& frame = sprites.cellFrame;
    if (!view.frame || frame.Empty())
        return;
    Sprite& save = scene.frameSave;
    if (save.Width() != frame.Width() || save.Height() != frame.Height())
        save = MakeSprite(frame.Width(), frame.Height());
    const ScenePoint at = CellPosition(view.frame->col, view.frame->row);
    SaveUnder(b.View(), at.x, at.y, save.View());
    DrawCellFrame(b, frame, *view.frame);
    scene.frameDrawn = view.frame;
}

// Over a frozen scene the frame moves as the pointer does: the old place restored, the new one
// kept and drawn. The pointer must have been taken away first.
void MoveFrame(BackBuffer& b, const GameSprites& sprites, SceneState& scene,
               const FrameView& view) {
    if (scene.frameDrawn == view.frame)
        return;
    if (scene.frameDrawn) {
        const ScenePoint at = CellPosition(scene.frameDrawn->col, scene.frameDrawn->row);
        RestoreUnder(b.View(), at.x, at.y, scene.frameSave.View());
        b.damage.Mark(at.x, at.y, scene.frameSave.Width(), scene.frameSave.Height());
    }
    SaveAndDrawFrame(b, sprites, scene, view);
}

} // namespace

void DrawNumber(BackBuffer& buffer, int x, int y, std::string_view text, const Sprite& strip) {
    if (strip.Empty())
        return;
    for (const char c : text) {
        if (c < '0' || c > '9')
            continue;
        const auto k = static_cast<std::size_t>(c - '0');
        DrawGlyph(buffer.View(), x, y, strip.View(), DIGIT_OFFSET[k], 0, DIGIT_WIDTH[k], 0);
        x += DIGIT_WIDTH[k] + 2;
    }
}

void DrawBoard(BackBuffer& buffer, const GameSprites& sprites, const GameState& game,
               const PointerState& pointer, const OptionValues& settings) {
    const bool pressed = pointer.pressed && settings.holdToDrag == 0;
    const bool good = !pointer.selected             ? true
                      : settings.twoColourPath != 0 ? pointer.path.pairs
                                                    : pointer.path.valid;
    const Sprite& highlight = good ? sprites.cellHighlight : sprites.cellAltHighlight;
    const int hovered = pointer.hover ? static_cast<int>(IndexOf(*pointer.hover)) : -1;
    const int selected = pointer.selected ? static_cast<int>(IndexOf(*pointer.selected)) : -1;

    for (int diagonal = 1; diagonal <= 2 * BOARD_SIDE - 1; ++diagonal) {
        for (int col = std::max(1, diagonal - BOARD_SIDE + 1);
             col <= std::min(BOARD_SIDE, diagonal); ++col) {
            const int row = diagonal + 1 - col;
            const int element = CellIndex(col, row);
            const std::uint8_t code = game.board[static_cast<std::size_t>(element)];
            const ScenePoint at = CellPosition(col, row);
            const Sprite* piece = code != EMPTY_CELL ? sprites.Piece(code) : nullptr;
            const bool lit = element == selected || element == hovered ||
                             pointer.path.mask[static_cast<std::size_t>(element)] != 0;
            if (!lit) {
                if (piece != nullptr)
                    Keyed(buffer, *piece, at.x - piece->hotX, at.y - piece->hotY);
                else
                    Keyed(buffer, sprites.cellEmpty, at.x, at.y);
                continue;
            }
            Keyed(buffer, highlight, at.x, at.y);
            const int y = at.y + (pressed ? 2 : 0);
            if (piece != nullptr)
                Blended(buffer, *piece, at.x - piece->hotX, y - piece->hotY);
            else
                Blended(buffer, sprites.cellEmpty, at.x, y);
        }
    }
}

namespace {
// The colours of the pictures made at load: light over dark, on a key the blitters skip.
constexpr Pixel KEY = 0x7C1F, LIGHT = 0x7FFF, DARK = 0;
constexpr int SHAPE_REACH = 26; // the path's end shapes' half size around the cell's middle
} // namespace

Sprite MakeCellFrame(const Sprite& cell) {
    if (cell.Empty())
        return {};
    Sprite frame = MakeSprite(cell.Width(), cell.Height());
    const ConstPixelView shape = cell.View();
    const PixelView out = frame.View();
    const Pixel key = cell.pixels[0];
    const auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < shape.width && y < shape.height && shape.Row(y)[x] != key;
    };
    // How far a pixel of the cell is from its outline, up to 4 steps of four neighbours.
    const auto depth = [&](int x, int y) {
        for (int d = 1; d <= 4; ++d)
            for (int dy = -d; dy <= d; ++dy) {
                const int dx = d - (dy < 0 ? -dy : dy);
                if (!inside(x + dx, y + dy) || !inside(x - dx, y + dy))
                    return d;
            }
        return 5;
    };
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x) {
            const int d = inside(x, y) ? depth(x, y) : 5;
            out.Row(y)[x] = d <= 3 ? LIGHT : d == 4 ? DARK : KEY;
        }
    frame.pixels[0] = KEY; // the key the blitters take
    IndexOpaqueRuns(frame);
    return frame;
}

void DrawCellFrame(BackBuffer& buffer, const Sprite& frame, Cell cell) {
    const ScenePoint at = CellPosition(cell.col, cell.row);
    Keyed(buffer, frame, at.x, at.y);
    buffer.damage.Mark(at.x, at.y, frame.Width(), frame.Height());
}

Sprite MakePathEndShape(bool pairs) {
    Sprite shape = MakeSprite(2 * SHAPE_REACH + 1, 2 * SHAPE_REACH + 1);
    const PixelView out = shape.View();
    for (int dy = -SHAPE_REACH; dy <= SHAPE_REACH; ++dy) {
        for (int dx = -SHAPE_REACH; dx <= SHAPE_REACH; ++dx) {
            // Flattened as the board is: a circle on the cell looks an ellipse on the screen.
            const double x = dx, y = dy * double{BAND_WIDTH} / BAND_HEIGHT;
            const double off =
                pairs ? std::abs(std::hypot(x, y) - 19.0)
                      : (std::abs(x) > 16 || std::abs(y) > 16
                             ? 99.0
                             : std::min(std::abs(x - y), std::abs(x + y)) / std::sqrt(2.0));
            out.Row(dy + SHAPE_REACH)[dx + SHAPE_REACH] = off > 3.5    ? KEY
                                                          : off <= 2.0 ? LIGHT
                                                                       : DARK;
        }
    }
    shape.pixels[0] = KEY; // the key the blitters take (a corner, outside either shape)
    IndexOpaqueRuns(shape);
    return shape;
}

void DrawPathEndShape(BackBuffer& buffer, const GameSprites& sprites, const PointerState& pointer) {
    if (!pointer.selected || !pointer.hover || pointer.path.mask[IndexOf(*pointer.hover)] == 0)
        return;
    const ScenePoint middle = CellMiddle(pointer.hover->col, pointer.hover->row);
    const int x = middle.x - SHAPE_REACH, y = middle.y - SHAPE_REACH;
    Keyed(buffer, pointer.path.pairs ? sprites.pathRing : sprites.pathCross, x, y);
    buffer.damage.Mark(x, y, 2 * SHAPE_REACH + 1, 2 * SHAPE_REACH + 1);
}

void DrawPreviews(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                  const GameState& game, const PointerState& pointer) {
    const std::uint8_t hoveredCode = pointer.hover ? game.At(*pointer.hover) : 0;
    if (!pointer.selected) {
        if (const Sprite* piece = hoveredCode != 0 ? sprites.Piece(hoveredCode) : nullptr)
            Blended(buffer, *piece, SELECTED_PREVIEW_POS.x - piece->hotX,
                    SELECTED_PREVIEW_POS.y - piece->hotY);
        return;
    }
    if (const Sprite* piece = sprites.Piece(game.At(*pointer.selected)))
        Keyed(buffer, *piece, SELECTED_PREVIEW_POS.x - piece->hotX,
              SELECTED_PREVIEW_POS.y - piece->hotY);
    if (hoveredCode == 0)
        return;
    if (!pointer.path.pairs) {
        scene.blinkOn = true;
    } else if (scene.blinkTick) {
        scene.blinkOn = !scene.blinkOn;
        scene.blinkTick = false;
    }
    if (const Sprite* target = sprites.Piece(hoveredCode)) {
        const int x = TARGET_PREVIEW_POS.x - target->hotX, y = TARGET_PREVIEW_POS.y - target->hotY;
        if (scene.blinkOn)
            Blended(buffer, *target, x, y);
        else
            Keyed(buffer, *target, x, y);
    }
}

namespace {

void DrawOverlays(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                  const FrameView& view) {
    const SceneOverlays& overlays = scene.overlays;
    if (!overlays.Any())
        return;
    buffer.damage.MarkAll();
    if (overlays.removePointer) {
        // First, so that its old rectangle restored later cannot cut a hole in what follows.
        const Sprite& save = scene.pointerSave;
        if (scene.pointerDrawn && !save.Empty())
            RestoreUnder(buffer.View(), scene.savedX, scene.savedY, save.View());
        scene.pointerDrawn = false;
    }
    // The paint does not recompose while the bar is shown: the strip and the board are drawn now.
    if (overlays.menuStrip && !sprites.menuImage.Empty()) {
        Keyed(buffer, sprites.menuImage, MENU_STRIP_POS.x, MENU_STRIP_POS.y);
        DrawBoard(buffer, sprites, view.game, view.pointer, view.settings);
        scene.frameDrawn.reset(); // drawn over: the pixels kept under it are no longer there
    }
    for (const ScenePoint at : overlays.pauseMarks)
        Keyed(buffer, sprites.pauseImage, at.x, at.y);
}

} // namespace

void PaintFrame(BackBuffer& buffer, const GameSprites& sprites, SceneState& scene,
                const FrameView& view) {
    if (buffer.HasSurface()) {
        DrawOverlays(buffer, sprites, scene, view);
        if (scene.fullRedraw || (!view.barVisible && !view.frozen)) {
            buffer.damage.MarkAll();
            const GameState& game = view.game;
            FillBackground(buffer, sprites.background);
            DrawBoard(buffer, sprites, game, view.pointer, view.settings);
            if (view.paused)
                Keyed(buffer, sprites.pauseImage, PAUSE_POS.x, PAUSE_POS.y);
            Keyed(buffer, sprites.fpsLabel, FPS_LABEL_POS.x, FPS_LABEL_POS.y);
            DrawCounter(buffer, FPS_VALUE_POS, view.fps, sprites.digitStrip);
            Keyed(buffer, sprites.secondsLabel, SECONDS_LABEL_POS.x, SECONDS_LABEL_POS.y);
            DrawCounter(buffer, SECONDS_VALUE_POS, game.seconds, sprites.digitStrip);
            scene.secondsShown = game.seconds;
            DrawCounter(buffer, PIECES_VALUE_POS, game.piecesLeft, sprites.digitStrip);
            DrawCounter(buffer, MOVES_VALUE_POS, game.moves, sprites.digitStrip);
            DrawPreviews(buffer, sprites, scene, game, view.pointer);
            if (view.pathShapes)
                DrawPathEndShape(buffer, sprites, view.pointer);
            SaveAndDrawFrame(buffer, sprites, scene, view);
            SavePointer(buffer, sprites, scene, view.mouseX, view.mouseY);
            if (!scene.fullRedraw)
                Keyed(buffer, sprites.cursorSprite, view.mouseX, view.mouseY);
        } else {
            const Sprite& save = scene.pointerSave;
            if (scene.pointerDrawn && !save.Empty()) {
                RestoreUnder(buffer.View(), scene.savedX, scene.savedY, save.View());
                buffer.damage.Mark(scene.savedX, scene.savedY, save.Width(), save.Height());
            }
            FollowTheClock(buffer, sprites, scene, view.game);
            // The bar's strip stands over the board while it is shown: the frame waits.
            if (!view.barVisible)
                MoveFrame(buffer, sprites, scene, view);
            SavePointer(buffer, sprites, scene, view.mouseX, view.mouseY);
            if (!view.barVisible)
                Keyed(buffer, sprites.cursorSprite, view.mouseX, view.mouseY);
        }
    }
    scene.overlays = {};
    scene.fullRedraw = false;
    scene.paintDone = true;
}

} // namespace zembro
