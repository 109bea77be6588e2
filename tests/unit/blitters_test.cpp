#include "render/blitters.h"

#include "game/random_generator.h"
#include "pixels.h"
#include "render/opaque_runs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zembro {
namespace {

using test::At;
using test::CountNot;
using test::Screen;
using test::SolidSprite;

constexpr Pixel KEY = 0x7C1F, RED = 0x7C00, WHITE = 0x7FFF, BLUE = 0x001F;

// A sprite whose pixels tell where they came from: value = 1 + x + 100 * y (picture position),
// with a key-coloured bottom-left pixel.
Sprite NumberedSprite(int w, int h) {
    Sprite s = SolidSprite(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            At(s, x, y) = static_cast<Pixel>(1 + x + 100 * y);
    At(s, 0, h - 1) = KEY;
    return s;
}

TEST(DrawKeyed, ClipsOnEverySideAndSkipsTheKey) {
    struct Case {
        int x, y;
        bool visible;
        int drawn;
    };
    const Case cases[] = {
        {-10, -5, true, 40 * 35}, // the source's left 10 columns and top 5 rows skipped
        {780, 590, true, 20 * 10}, {100, 100, true, 50 * 40 - 1}, // all but the key pixel
        {800, 0, false, 0},        {0, -40, false, 0},
        {-50, 0, false, 0},        {0, 600, false, 0},
    };
    for (const bool bottomUp : {true, false}) {
        for (const Case& c : cases) {
            BackBuffer b = Screen(bottomUp);
            const Sprite s = NumberedSprite(50, 40);
            EXPECT_EQ(DrawKeyed(b.View(), c.x, c.y, s.View()), c.visible);
            EXPECT_EQ(CountNot(b, 0), c.drawn) << c.x << "," << c.y;
        }
    }
    BackBuffer b = Screen(true);
    const Sprite s = NumberedSprite(50, 40);
    DrawKeyed(b.View(), -10, -5, s.View());
    EXPECT_EQ(At(b, 0, 0), 1 + 10 + 100 * 5) << "picture (10, 5) lands on the corner";
    EXPECT_EQ(At(b, 39, 34), 1 + 49 + 100 * 39);
}

TEST(Blitters, KeyIsTheBottomLeftPixelForKeyedAndTheTopLeftOfTheAreaOtherwise) {
    Sprite s = SolidSprite(4, 3, RED);
    At(s, 0, 2) = BLUE; // bottom-left: DrawKeyed's key
    At(s, 2, 1) = BLUE; // also blue inside
    At(s, 1, 0) = WHITE;
    BackBuffer b = Screen(true);
    DrawKeyed(b.View(), 0, 0, s.View());
    EXPECT_EQ(At(b, 2, 1), 0) << "an inner pixel of the key colour stays transparent";
    EXPECT_EQ(At(b, 0, 0), RED);

    BackBuffer g = Screen(true);
    DrawGlyph(g.View(), 0, 0, s.View(), 0, 0, 0, 0);
    EXPECT_EQ(At(g, 0, 0), 0) << "red at the top left is DrawGlyph's key";
    EXPECT_EQ(At(g, 2, 1), BLUE);
    EXPECT_EQ(At(g, 1, 0), WHITE);
}

TEST(DrawBlended, BlendValues) {
    struct Case {
        Pixel source, destination, expected;
    };
    const Case cases[] = {
        {WHITE, 0x0000, 0x3DEF},
        {WHITE, WHITE, 0x7BDE},
        {0x0421, 0x0421, 0x0000},
        {RED, BLUE, 0x3C0F},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BlendPixels(c.source, c.destination), c.expected);
        Sprite s = SolidSprite(3, 3, c.source);
        At(s, 0, 0) = KEY; // the top-left pixel keys the blend
        BackBuffer b = Screen(true, c.destination);
        DrawBlended(b.View(), 10, 10, s.View());
        EXPECT_EQ(At(b, 11, 11), c.expected);
        EXPECT_EQ(At(b, 10, 10), c.destination);
    }
}

// Clipped at the top or left, the first visible pixel is the key and the rest lands blended.
TEST(DrawBlended, ClipsTopAndLeftByReplacingTheArea) {
    const Sprite s = NumberedSprite(20, 10);
    BackBuffer top = Screen(true);
    DrawBlended(top.View(), 0, -5, s.View());
    EXPECT_EQ(At(top, 0, 0), 0) << "the first visible pixel is the key";
    EXPECT_EQ(At(top, 1, 0), BlendPixels(1 + 1 + 100 * 5, 0)) << "row 5 lands on row 0";
    EXPECT_EQ(At(top, 1, 5), 0) << "nothing below the visible rows";

    BackBuffer left = Screen(true);
    DrawBlended(left.View(), -3, 0, s.View());
    EXPECT_EQ(At(left, 1, 0), BlendPixels(1 + 4, 0)) << "column 3 lands on column 0";
    EXPECT_EQ(At(left, 17, 0), 0) << "the clipped width is drawn, no more";
}

// Callers never reach past the right or bottom edge or outside the source; the routines stay
// inside both all the same. The destination sits between guard bands that must stay untouched.
TEST(Blitters, GlyphsAndBlendsNeverWriteOutsideTheDestination) {
    constexpr Pixel GUARD = 0x5A5A;
    constexpr std::size_t BAND = 4096;
    const Sprite s = NumberedSprite(40, 30);
    for (const int height : {100, -100}) {
        BitmapInfoHeader d;
        d.biWidth = 100;
        d.biHeight = height;
        std::vector<Pixel> memory(BAND + 100 * 100 + BAND, GUARD);
        Pixel* bits = memory.data() + BAND;
        std::fill(bits, bits + 100 * 100, Pixel{0});
        const struct {
            int x, y, sx, sy, w, h;
        } glyphs[] = {{90, 90, 0, 0, 0, 0},   {-30, -20, 0, 0, 0, 0},  {10, 10, 35, 0, 30, 0},
                      {10, 10, 50, 0, 30, 0}, {10, 95, 0, 25, 40, 40}, {-5, 50, -3, -3, 10, 10}};
        for (const auto& g : glyphs) {
            DrawGlyph(ViewOf(d, bits), g.x, g.y, s.View(), g.sx, g.sy, g.w, g.h);
            DrawBlended(ViewOf(d, bits), g.x, g.y, s.View());
        }
        for (std::size_t i = 0; i < BAND; ++i) {
            ASSERT_EQ(memory[i], GUARD) << "before the destination, " << i;
            ASSERT_EQ(memory[BAND + 100 * 100 + i], GUARD) << "after the destination, " << i;
        }
        EXPECT_GT(std::count_if(bits, bits + 100 * 100, [](Pixel p) { return p != 0; }), 200)
            << "the visible parts were drawn";
    }
}

// The run index draws exactly what the keyed copy draws, wherever the sprite lands.
TEST(DrawKeyedRuns, SamePictureAsDrawKeyed) {
    RandomGenerator rng(7);
    for (int trial = 0; trial < 60; ++trial) {
        const int w = 1 + rng.Next() % 120, h = 1 + rng.Next() % 90;
        Sprite s = SolidSprite(w, h, 0);
        for (Pixel& p : s.pixels) // long runs of key and of colour, as real pictures have
            p = rng.Next() % 4 == 0 ? KEY : static_cast<Pixel>(rng.Next() % 3);
        s.pixels[0] = KEY;
        IndexOpaqueRuns(s);
        const int x = rng.Next() % 1000 - 150, y = rng.Next() % 800 - 120;
        for (const bool bottomUp : {true, false}) {
            BackBuffer keyed = Screen(bottomUp, 0x1111), runs = Screen(bottomUp, 0x1111);
            const bool drawn = DrawKeyed(keyed.View(), x, y, s.View());
            EXPECT_EQ(DrawKeyedRuns(runs.View(), x, y, s), drawn);
            ASSERT_EQ(runs.pixels, keyed.pixels) << w << "x" << h << " at " << x << "," << y;
        }
    }
}

TEST(SaveUnder, RestoreAtTheSamePlacePutsBackExactlyTheSavedPixels) {
    constexpr Pixel UNSET = 0xFFFF;
    for (const bool bottomUp : {true, false}) {
        BackBuffer b = Screen(bottomUp);
        for (std::size_t i = 0; i < b.pixels.size(); ++i)
            b.pixels[i] = static_cast<Pixel>(1 + i % 1000);
        const std::vector<Pixel> before = b.pixels;
        Sprite save = SolidSprite(32, 32, UNSET);
        EXPECT_TRUE(SaveUnder(b.View(), 790, 590, save.View()));
        int saved = 0;
        for (const Pixel p : save.pixels)
            saved += p != UNSET ? 1 : 0;
        EXPECT_EQ(saved, 100) << "only the 10 x 10 visible corner";

        std::fill(b.pixels.begin(), b.pixels.end(), 0);
        EXPECT_TRUE(RestoreUnder(b.View(), 790, 590, save.View()));
        EXPECT_EQ(CountNot(b, 0), 100);
        for (int y = 590; y < 600; ++y)
            for (int x = 790; x < 800; ++x)
                EXPECT_EQ(At(b, x, y), before[static_cast<std::size_t>(&At(b, x, y) - b.bits())]);
        EXPECT_FALSE(SaveUnder(b.View(), 800, 0, save.View()));
        EXPECT_FALSE(RestoreUnder(b.View(), -32, 0, save.View()));
    }
}

} // namespace
} // namespace zembro
