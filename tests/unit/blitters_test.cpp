// The blitters: blends, clipping at every edge, and keyed runs drawing what the keyed blit draws.
#include "render/blitters.h"

#include "game/random_generator.h"
#include "pixels.h"
#include "render/opaque_runs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zembro {
namespace {

using test::At;
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

} // namespace
} // namespace zembro
