// Composing frames: cells and paths in their colours, pressed cells, counters, pointer, blink.
#include "render/scene.h"

#include "board_rows.h"
#include "game/path_trace.h"
#include "pixels.h"
#include "render/blitters.h"
#include "render/opaque_runs.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

using test::At;
using test::Screen;
using test::SolidSprite;

constexpr Pixel KEY = 0x7C1F, BACKGROUND = 0x0842, EMPTY = 0x2108, HIGHLIGHT = 0x03E0, ALT = 0x7C00,
                POINTER = 0x7FFF, PAUSE = 0x7FE0;

// A solid sprite keyed at both corners the blitters key on (bottom-left and top-left).
Sprite Keyed(int w, int h, Pixel fill) {
    Sprite s = SolidSprite(w, h, fill);
    At(s, 0, h - 1) = KEY;
    At(s, 0, 0) = KEY;
    return s;
}

// Plain coloured pictures: a piece of kind k is a 98 x 96 block of colour 0x100 * k rising 24
// pixels above its cell; digit d of the strip is colour 0x20 + d.
GameSprites TestSprites() {
    GameSprites s;
    s.background = SolidSprite(800, 600, BACKGROUND);
    s.cellEmpty = Keyed(98, 72, EMPTY);
    s.cellHighlight = Keyed(98, 72, HIGHLIGHT);
    s.cellAltHighlight = Keyed(98, 72, ALT);
    s.cursorSprite = Keyed(16, 16, POINTER);
    s.pauseImage = Keyed(16, 32, PAUSE);
    for (int k = 1; k <= 3; ++k) {
        s.pieceSprites.push_back(Keyed(98, 96, static_cast<Pixel>(0x100 * k)));
        s.pieceSprites.back().hotY = 24;
    }
    s.digitStrip = SolidSprite(DIGIT_OFFSET[9] + DIGIT_WIDTH[9], 20, KEY);
    for (int d = 0; d < 10; ++d)
        for (int x = 1; x < DIGIT_WIDTH[static_cast<std::size_t>(d)]; ++x)
            for (int y = 1; y < 20; ++y)
                At(s.digitStrip, DIGIT_OFFSET[static_cast<std::size_t>(d)] + x, y) =
                    static_cast<Pixel>(0x20 + d);
    for (Sprite* keyed :
         {&s.cellEmpty, &s.cellHighlight, &s.cellAltHighlight, &s.cursorSprite, &s.pauseImage,
          &s.pieceSprites[0], &s.pieceSprites[1], &s.pieceSprites[2]})
        IndexOpaqueRuns(*keyed);
    s.cellFrame = MakeCellFrame(s.cellEmpty);
    s.pathRing = MakePathEndShape(true);
    s.pathCross = MakePathEndShape(false);
    return s;
}

struct Frame {
    GameSprites sprites = TestSprites();
    BackBuffer buffer = Screen(true);
    SceneState scene;
    GameState game;
    OptionValues settings;
    std::int32_t fps = 0;
    bool cellPressed = false, frozen = false, paused = false, bar = false;
    int mouseX = 20, mouseY = 560; // off the board and its cells
    int cursorCol = 0, cursorRow = 0;
    bool shapes = false;

    Frame() { game.fixedCode = 3; }
    void Paint() {
        PaintFrame(buffer, sprites, scene,
                   {game, settings, fps, cellPressed, mouseX, mouseY, frozen, paused, bar,
                    cursorCol, cursorRow, shapes});
    }
    // A point of a cell's box that no other cell covers (with the test's rectangular pictures
    // and no piece in front of it).
    Pixel CellMiddle(int col, int row) {
        const ScenePoint at = CellPosition(col, row);
        return At(buffer, at.x + 45, at.y + 20);
    }
};

TEST(Scene, CellsShowPiecesEmptiesAndTheTracedPathInTheRightColours) {
    Frame f;
    f.game.board = test::BoardWith(0, {{2, 2, 1}, {5, 2, 1}, {2, 6, 2}});
    f.scene.fullRedraw = false;
    f.Paint();
    EXPECT_EQ(f.CellMiddle(2, 2), 0x100) << "a piece carries its own cell";
    EXPECT_EQ(f.CellMiddle(3, 2), EMPTY);
    EXPECT_EQ(f.CellMiddle(8, 8), EMPTY) << "the last diagonal is drawn too";
    EXPECT_EQ(At(f.buffer, 5, 5), BACKGROUND);

    // Selected piece, a pairing target and the path between: highlight under half a piece.
    f.game.sourceCol = f.game.sourceRow = 2;
    f.game.hoverCol = 5;
    f.game.hoverRow = 2;
    TracePath(f.game, f.settings);
    f.Paint();
    EXPECT_EQ(f.CellMiddle(3, 2), BlendPixels(EMPTY, HIGHLIGHT)) << "a path cell";
    EXPECT_EQ(f.CellMiddle(5, 2), BlendPixels(0x100, HIGHLIGHT)) << "the target";
    EXPECT_EQ(f.CellMiddle(2, 6), 0x200) << "off the path";

    // A target that does not pair, in two-colour mode: the second highlight.
    f.settings.twoColourPath = 1;
    f.game.hoverCol = 2;
    f.game.hoverRow = 6;
    TracePath(f.game, f.settings);
    f.Paint();
    EXPECT_EQ(f.CellMiddle(2, 6), BlendPixels(0x200, ALT));
    EXPECT_EQ(f.CellMiddle(2, 4), BlendPixels(EMPTY, ALT));
}

TEST(Scene, PressedHighlightedCellsDropTwoRowsInClickAndClickOnly) {
    for (const int hold : {0, 1}) {
        Frame f;
        f.game.board = test::BoardWith(0, {{4, 4, 1}});
        f.game.hoverCol = f.game.hoverRow = 4;
        f.settings.holdToDrag = hold;
        f.scene.fullRedraw = false;
        f.cellPressed = true;
        f.Paint();
        const ScenePoint at = CellPosition(4, 4);
        // The piece rises 24 rows above its cell, over the cells behind it; pressed, its top
        // edge is 2 rows lower.
        const int top = at.y - 24 + (hold == 0 ? 2 : 0);
        EXPECT_EQ(At(f.buffer, at.x + 49, top), BlendPixels(0x100, EMPTY)) << "hold " << hold;
        EXPECT_EQ(At(f.buffer, at.x + 49, top - 1), EMPTY) << "hold " << hold;
    }
}

TEST(Scene, CountersPrintThreeDigitsAtTheirPlaces) {
    Frame f;
    f.game.piecesLeft = 7;
    f.fps = 60;
    f.game.moves = 1234;
    f.game.seconds = -5;
    f.Paint();
    const struct {
        int x, y, digit;
    } glyphs[] = {{210, 544, 0}, {235, 544, 0}, {260, 544, 7}, {145, 30, 0},
                  {170, 30, 6},  {191, 30, 0},  {675, 532, 1}, {691, 532, 2},
                  {711, 532, 3}, {729, 532, 4}, {130, 70, 0},  {155, 70, 5}};
    for (const auto& g : glyphs)
        EXPECT_EQ(At(f.buffer, g.x + 1, g.y + 1), 0x20 + g.digit) << g.x << "," << g.y;
    EXPECT_EQ(At(f.buffer, 178, 71), BACKGROUND) << "the minus sign is skipped";
}

TEST(Scene, PointerOnlyUpdateLeavesNoTrail) {
    Frame f;
    f.scene.fullRedraw = false;
    f.Paint();
    EXPECT_EQ(At(f.buffer, 21, 561), POINTER);
    f.frozen = true;
    f.game.seconds = 99; // a frozen scene does not show it
    const std::vector<Pixel> scene = f.buffer.pixels;
    for (const auto& [x, y] : {std::pair{60, 570}, {795, 595}, {-8, -8}, {100, 100}}) {
        f.mouseX = x;
        f.mouseY = y;
        f.Paint();
        EXPECT_EQ(At(f.buffer, 21, 561), BACKGROUND) << "old place restored";
        if (x >= 0) {
            EXPECT_EQ(At(f.buffer, x + 1, y + 1), POINTER);
        }
    }
    f.mouseX = 20;
    f.mouseY = 560;
    f.Paint();
    EXPECT_EQ(f.buffer.pixels, scene) << "only the pointer ever changed";
}

TEST(Scene, PairingTargetPreviewBlinksOncePerTick) {
    Frame f;
    f.game.board = test::BoardWith(0, {{2, 2, 1}, {5, 2, 1}});
    f.game.sourceCol = f.game.sourceRow = 2;
    f.game.hoverCol = 5;
    f.game.hoverRow = 2;
    TracePath(f.game, f.settings);
    f.scene.fullRedraw = false;
    auto targetPreview = [&] {
        return At(f.buffer, TARGET_PREVIEW_POS.x + 60, TARGET_PREVIEW_POS.y + 30);
    };
    std::vector<Pixel> seen;
    for (int paint = 0; paint < 4; ++paint) {
        f.scene.blinkTick = paint % 2 == 0; // a 250 ms period ends before every other paint
        f.Paint();
        seen.push_back(targetPreview());
    }
    EXPECT_NE(seen[0], seen[2]);
    EXPECT_EQ(seen[0], seen[1]) << "no tick, no change";
    // The selected piece rises to its hotspot, 24 pixels above the preview's place.
    EXPECT_EQ(At(f.buffer, SELECTED_PREVIEW_POS.x + 30, SELECTED_PREVIEW_POS.y - 20), 0x100);

    f.game.board[static_cast<std::size_t>(CellIndex(5, 2))] = 2; // now it does not pair
    TracePath(f.game, f.settings);
    f.scene.blinkTick = true;
    f.Paint();
    const Pixel steady = targetPreview();
    f.Paint();
    EXPECT_EQ(targetPreview(), steady) << "a target that does not pair stays half-blended";
}

// The keyboard's cell: light rings along the cell's outline, then a dark one; the rest as it was.
TEST(Scene, TheKeyboardsCellIsFramedAlongItsOutline) {
    Frame f;
    f.game.board = test::BoardWith(0, {{4, 4, 1}});
    f.scene.fullRedraw = false;
    f.Paint();
    const std::vector<Pixel> plain = f.buffer.pixels;
    f.cursorCol = f.cursorRow = 4;
    f.Paint();
    const ScenePoint at = CellPosition(4, 4);
    // The test's cell is a 98 x 72 block keyed at two corners: its outline is its border.
    // clang-format off
    const std::tuple<int, int, int> ring[] = {{50, 0, 0x7FFF}, {50, 2, 0x7FFF}, {50, 3, 0}, {0, 36, 0x7FFF}, {97, 36, 0x7FFF}, {94, 36, 0}};
    // clang-format on
    for (const auto& [x, y, colour] : ring)
        EXPECT_EQ(At(f.buffer, at.x + x, at.y + y), colour) << x << "," << y;
    EXPECT_EQ(At(f.buffer, at.x + 50, at.y + 10), 0x100) << "the piece inside stays";
    f.cursorCol = f.cursorRow = 0;
    f.Paint();
    EXPECT_EQ(f.buffer.pixels, plain) << "without the keyboard, the frame of before";
}

// With the shapes on, the path's end tells a pair from a move by a ring or a cross, light over
// dark; off, the frame is the plain one.
TEST(Scene, ThePathsEndIsARingForAPairAndACrossForAMove) {
    for (const int target : {1, 0}) { // the same kind: a pair; an empty cell: a move
        Frame f;
        f.game.board = test::BoardWith(0, {{2, 2, 1}, {5, 2, target}});
        f.game.sourceCol = f.game.sourceRow = 2;
        f.game.hoverCol = 5;
        f.game.hoverRow = 2;
        TracePath(f.game, f.settings);
        f.scene.fullRedraw = false;
        f.Paint();
        const std::vector<Pixel> plain = f.buffer.pixels;
        f.shapes = true;
        f.Paint();
        const ScenePoint middle = CellMiddle(5, 2);
        const Pixel centre = At(f.buffer, middle.x, middle.y);
        const Pixel onRing = At(f.buffer, middle.x + 19, middle.y);
        const Pixel onCross = At(f.buffer, middle.x + 10, middle.y + 7);
        const Pixel crossEnd = At(f.buffer, middle.x + 16, middle.y + 11);
        EXPECT_EQ(onRing == 0x7FFF, target == 1) << target;
        EXPECT_EQ(centre == 0x7FFF, target == 0) << target;
        EXPECT_EQ(onCross == 0x7FFF, target == 0) << target;
        EXPECT_EQ(crossEnd == 0x7FFF, target == 0) << "the cross reaches 16 pixels out";
        f.shapes = false;
        f.Paint();
        EXPECT_EQ(f.buffer.pixels, plain) << target;
    }
}

// What is drawn over a frozen scene reaches the screen whole: the pointer taken away, a pause mark.
TEST(Scene, OverlaysOnAFrozenSceneArePresentedWhole) {
    Frame f;
    f.scene.fullRedraw = false;
    f.Paint();
    f.frozen = true;
    f.mouseX = SCREEN_WIDTH; // the step puts the game's pointer nowhere when it takes it away
    f.buffer.damage.Clear();
    f.scene.overlays.removePointer = true;
    f.scene.overlays.pauseMarks = {PAUSE_POS};
    f.Paint();
    EXPECT_TRUE(f.buffer.damage.all);
    EXPECT_EQ(At(f.buffer, 21, 561), BACKGROUND);
    EXPECT_EQ(At(f.buffer, PAUSE_POS.x + 5, PAUSE_POS.y + 5), PAUSE);
}

TEST(Scene, CodesBeyondThePicturesDrawTheLastOne) {
    Frame f;
    f.game.board = test::BoardWith(0, {{1, 1, 250}});
    f.scene.fullRedraw = false;
    f.Paint();
    EXPECT_EQ(f.CellMiddle(1, 1), 0x300);
}

} // namespace
} // namespace zembro
