// A loose check of the default pictures: what a player must be able to tell apart, not exact
// pixels, so the pictures may be redrawn without breaking it.
#include "pixels.h"
#include "render/opaque_runs.h"
#include "render/scene.h"
#include "store/run_folder.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// The average colour of a box of the screen.
Rgb Mean(BackBuffer& buffer, int x, int y, int w, int h) {
    Rgb sum;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const Pixel p = test::At(buffer, i, j);
            sum = {sum.r + ((p >> 10) & 31), sum.g + ((p >> 5) & 31), sum.b + (p & 31)};
        }
    return {sum.r / (w * h), sum.g / (w * h), sum.b / (w * h)};
}

TEST(DefaultPictures, EveryKindLooksDifferent) {
    GameSettings settings;
    ASSERT_TRUE(ReadRunFolderSettings(ZEMBRO_RUN_DIR, settings));
    GameSprites sprites;
    BackBuffer buffer;
    CreateBackBuffer(buffer, RowOrder::BottomUp);
    const IoResult loaded = LoadAssets(sprites, buffer, settings);
    ASSERT_TRUE(loaded) << loaded.Reason();
    std::vector<Rgb> faces; // each token's face, sampled where the symbol is not
    for (const Sprite& piece : sprites.pieceSprites) {
        BackBuffer b = test::Screen(true);
        DrawKeyedRuns(b.View(), 100, 100, piece);
        faces.push_back(Mean(b, 122, 136, 8, 6));
    }
    for (std::size_t i = 0; i < faces.size(); ++i)
        for (std::size_t j = i + 1; j < faces.size(); ++j)
            EXPECT_GE(std::abs(faces[i].r - faces[j].r) + std::abs(faces[i].g - faces[j].g) +
                          std::abs(faces[i].b - faces[j].b),
                      3)
                << "kinds " << i + 1 << " and " << j + 1;
}

} // namespace
} // namespace zembro
