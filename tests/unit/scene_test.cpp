// Composing frames over plain coloured pictures: golden frames of what a player sees, then what
// only a sequence of paints shows (what moves over a frozen scene, the overlays).
#include "render/scene.h"

#include "board_rows.h"
#include "game/board_input.h"
#include "pixels.h"
#include "render/opaque_runs.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

using test::At;

constexpr Pixel KEY = 0x7C1F, BACKGROUND = 0x0842, EMPTY = 0x2108, HIGHLIGHT = 0x03E0, ALT = 0x7C00,
                POINTER = 0x7FFF, PAUSE = 0x7FE0;

// A solid sprite keyed at both corners the blitters key on (bottom-left and top-left).
Sprite Keyed(int w, int h, Pixel fill) {
    Sprite s = test::SolidSprite(w, h, fill);
    At(s, 0, h - 1) = KEY;
    At(s, 0, 0) = KEY;
    IndexOpaqueRuns(s);
    return s;
}

// A piece of kind k is a 98 x 96 block of colour 0x100 * k rising 24 pixels above its cell;
// digit d of the strip is colour 0x20 + d.
GameSprites TestSprites() {
    GameSprites s;
    s.background = test::SolidSprite(800, 600, BACKGROUND);
    s.cellEmpty = Keyed(98, 72, EMPTY);
    s.cellHighlight = Keyed(98, 72, HIGHLIGHT);
    s.cellAltHighlight = Keyed(98, 72, ALT);
    s.cursorSprite = Keyed(16, 16, POINTER);
    s.pauseImage = Keyed(16, 32, PAUSE);
    for (int k = 1; k <= 3; ++k) {
        s.pieceSprites.push_back(Keyed(98, 96, static_cast<Pixel>(0x100 * k)));
        s.pieceSprites.back().hotY = 24;
    }
    s.digitStrip = test::SolidSprite(DIGIT_OFFSET[9] + DIGIT_WIDTH[9], 20, KEY);
    for (std::size_t d = 0; d < 10; ++d)
        for (int x = 1; x < DIGIT_WIDTH[d]; ++x)
            for (int y = 1; y < 20; ++y)
                At(s.digitStrip, DIGIT_OFFSET[d] + x, y) = static_cast<Pixel>(0x20 + d);
    s.cellFrame = MakeCellFrame(s.cellEmpty);
    s.pathRing = MakePathEndShape(true);
    s.pathCross = MakePathEndShape(false);
    return s;
}

struct Frame {
    GameSprites sprites = TestSprites();
    BackBuffer buffer = test::Screen(true);
    SceneState scene;
    GameState game;
    PointerState pointer;
    OptionValues settings;
    std::int32_t fps = 0;
    bool frozen = false, paused = false, shapes = false;
    int mouseX = 20, mouseY = 560; // off the board and its cells
    std::optional<Cell> framed;

    Frame() {
        scene.fullRedraw = false;
        game.fixedCode = 3;
    }
    void Paint() {
        PaintFrame(
            buffer, sprites, scene,
            {game, pointer, settings, fps, mouseX, mouseY, frozen, paused, false, framed, shapes});
    }
    // Kind 1 at (2, 2) and (5, 2), kind 2 at (2, 6); the piece at (2, 2) selected, aimed at
    // (tc, tr).
    void Aim(int tc, int tr) {
        game.board = test::BoardWith(0, {{2, 2, 1}, {5, 2, 1}, {2, 6, 2}});
        pointer.selected = Cell{2, 2};
        PointerOnCell(game, pointer, settings, {tc, tr});
    }
    std::uint32_t Hash() const { // FNV-1a over the pixels
        std::uint32_t h = 2166136261u;
        for (const Pixel p : buffer.pixels)
            h = (h ^ p) * 16777619u;
        return h;
    }
};

// Golden frames: a hash of every pixel (`zembro-tool render` draws the real pictures).
TEST(Scene, GoldenFrames) {
    struct Case {
        const char* name;
        int aimCol, aimRow; // the piece at (2, 2) aimed at this cell; 0 for none
        std::string flags;  // two (colours), pressed, hold, shapes, counters, framed, paused, blink
        std::uint32_t hash;
    };
    // A frame equal to another shows that what its flags add changes nothing. A tick blinks the
    // preview of a target that pairs, not of one that does not.
    const Case cases[] = {
        {"path-to-a-pair", 5, 2, "", 3785192437u},
        {"no-pair-two-colours", 2, 6, "two", 1339144193u},
        {"pressed-click-and-click", 5, 2, "pressed", 4175616709u},
        {"pressed-held", 5, 2, "pressed hold", 3785192437u},
        {"ring-for-a-pair", 5, 2, "shapes", 2485914633u},
        {"cross-for-a-move", 4, 2, "shapes", 1483560822u},
        {"counters", 0, 0, "counters", 2045144715u},
        {"keyboard-frame", 0, 0, "framed", 1150089101u},
        {"paused", 0, 0, "paused", 2696239981u},
        {"a-pair-blinked", 5, 2, "blink", 253790577u},
        {"no-pair-unblinked", 2, 6, "two blink", 1339144193u},
    };
    for (const Case& c : cases) {
        const auto has = [&](const char* flag) {
            return (" " + c.flags + " ").find(" " + std::string(flag) + " ") != std::string::npos;
        };
        Frame f;
        f.settings.twoColourPath = has("two");
        f.settings.holdToDrag = has("hold");
        if (c.aimCol != 0)
            f.Aim(c.aimCol, c.aimRow);
        f.pointer.pressed = has("pressed");
        f.shapes = has("shapes");
        f.paused = has("paused");
        f.scene.blinkTick = has("blink");
        if (has("counters")) // the minus sign is skipped
            f.game.piecesLeft = 7, f.fps = 60, f.game.moves = 1234, f.game.seconds = -5;
        if (has("framed")) { // and a code past the pictures shows the last one
            f.game.board = test::BoardWith(0, {{4, 4, 1}, {8, 8, 250}});
            f.framed = Cell{4, 4};
        }
        f.Paint();
        EXPECT_EQ(f.Hash(), c.hash) << c.name;
    }
}

// Over a frozen scene only the pointer, the keyboard's frame and the seconds (the clock runs on
// behind another window) move, and they leave no trail.
TEST(Scene, WhatMovesOverAFrozenScene) {
    Frame f;
    f.Paint();
    EXPECT_EQ(At(f.buffer, 21, 561), POINTER);
    f.frozen = true;
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
    for (const auto& [col, row] : {std::pair{4, 4}, {5, 4}, {0, 0}}) {
        f.framed = col == 0 ? std::nullopt : std::optional(Cell{col, row});
        f.Paint();
        const ScenePoint on = CellMiddle(4, 4), next = CellMiddle(5, 4);
        EXPECT_EQ(At(f.buffer, on.x, on.y - 35) != EMPTY, col == 4) << "the frame's top at (4, 4)";
        EXPECT_EQ(At(f.buffer, next.x, next.y - 35) != EMPTY, col == 5) << "at (5, 4)";
    }
    f.mouseX = 20;
    f.mouseY = 560;
    f.Paint();
    EXPECT_EQ(f.buffer.pixels, scene) << "nothing else ever changed";
    f.game.seconds = 9;
    f.Paint();
    const ScenePoint digits = SECONDS_VALUE_POS;
    EXPECT_EQ(At(f.buffer, digits.x + 2 * (DIGIT_WIDTH[0] + 2) + 5, digits.y + 5), 0x20 + 9);
    // What is drawn over a frozen scene reaches the screen whole.
    f.mouseX = SCREEN_WIDTH; // the step puts the game's pointer nowhere when it takes it away
    f.buffer.damage.Clear();
    f.scene.overlays = {.removePointer = true, .menuStrip = false, .pauseMarks = {PAUSE_POS}};
    f.Paint();
    EXPECT_TRUE(f.buffer.damage.all);
    EXPECT_EQ(At(f.buffer, 21, 561), BACKGROUND);
    EXPECT_EQ(At(f.buffer, PAUSE_POS.x + 5, PAUSE_POS.y + 5), PAUSE);
}

} // namespace
} // namespace zembro
