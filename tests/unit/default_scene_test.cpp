// Loose checks of scenes composed with the default pictures: what a player must be able to see,
// not exact pixels, so the pictures may be redrawn without breaking them.
#include "board_rows.h"
#include "game/deal.h"
#include "game/path_trace.h"
#include "pixels.h"
#include "render/opaque_runs.h"
#include "render/scene.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

struct Rgb {
    int r, g, b;
};
Rgb Channels(Pixel p) {
    return {(p >> 10) & 31, (p >> 5) & 31, p & 31};
}

// The average colour of a box of the screen.
Rgb Average(BackBuffer& b, int x, int y, int w, int h) {
    Rgb sum{0, 0, 0};
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            const Rgb c = Channels(test::At(b, i, j));
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
    }
    const int n = w * h;
    return {sum.r / n, sum.g / n, sum.b / n};
}

class DefaultScene : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ReadRunFolderSettings(ZEMBRO_RUN_DIR, settings_));
        settings_.twoColourPath = 1;
        CreateBackBuffer(buffer_, RowOrder::BottomUp);
        const IoResult loaded = LoadAssets(sprites_, buffer_, settings_);
        ASSERT_TRUE(loaded) << loaded.Reason();
        game_.fixedCode = 33;
    }
    void Paint(bool paused = false) {
        scene_.fullRedraw = false;
        PaintFrame(
            buffer_, sprites_, scene_,
            {game_, settings_, 0, false, mouseX_, mouseY_, false, paused, false, 0, 0, shapes_});
    }
    // Board cell (col, row): the middle of the upper half of its box.
    Rgb Cell(int col, int row) {
        const ScenePoint at = CellPosition(col, row);
        return Average(buffer_, at.x + 39, at.y + 24, 20, 8);
    }

    GameSettings settings_;
    GameSprites sprites_;
    BackBuffer buffer_;
    SceneState scene_;
    GameState game_;
    int mouseX_ = 20, mouseY_ = 20;
    bool shapes_ = false;
};

TEST_F(DefaultScene, ValidAndInvalidPathsReadAsGreenAndRed) {
    game_.board = test::BoardWith(0, {{2, 2, 1}, {6, 2, 1}, {2, 6, 2}});
    game_.sourceCol = game_.sourceRow = 2;
    game_.hoverCol = 6;
    game_.hoverRow = 2;
    TracePath(game_, settings_);
    Paint();
    const Rgb good = Cell(4, 2), plain = Cell(4, 5);
    EXPECT_GT(good.g, good.r + 4) << "a pairing path is green";
    EXPECT_GT(good.g, plain.g + 3) << "and stands out from a plain empty cell";

    game_.hoverCol = 2;
    game_.hoverRow = 6; // a different kind: no pair
    TracePath(game_, settings_);
    Paint();
    const Rgb bad = Cell(2, 4);
    EXPECT_GT(bad.r, bad.g + 4) << "a path that does not pair is red";
}

TEST_F(DefaultScene, CountersPauseMarkAndPointerAreVisible) {
    game_.seconds = 888;
    game_.piecesLeft = 888;
    game_.moves = 888;
    mouseX_ = 300;
    mouseY_ = 500;
    Paint(false);
    // Bright golden pixels: the digits, and nothing else of the panels around them.
    auto golden = [&](int x, int y, int w, int h) {
        int n = 0;
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) {
                const Rgb c = Channels(test::At(buffer_, i, j));
                n += c.r >= 20 && c.g >= 14 && c.b < c.r ? 1 : 0;
            }
        return n;
    };
    EXPECT_GT(golden(130, 70, 60, 28), 150) << "seconds";
    EXPECT_GT(golden(210, 544, 60, 28), 150) << "pieces left";
    EXPECT_GT(golden(675, 532, 60, 28), 150) << "moves";
    EXPECT_LT(golden(40, 110, 100, 20), 10) << "no digits, no gold";
    const Rgb pointer = Average(buffer_, 302, 504, 4, 8);
    EXPECT_GT(pointer.r + pointer.g + pointer.b, 60) << "the pointer is light";
    const Rgb pauseOff = Average(buffer_, 737, 32, 14, 20);
    Paint(true);
    const Rgb pauseOn = Average(buffer_, 737, 32, 14, 20);
    EXPECT_GT(pauseOn.r - pauseOn.b, pauseOff.r - pauseOff.b + 4) << "the pause mark lights up";
}

TEST_F(DefaultScene, EveryKindLooksDifferent) {
    // The token's face of each kind, sampled where the symbol is not.
    std::vector<Rgb> faces;
    for (std::size_t k = 0; k < sprites_.pieceSprites.size(); ++k) {
        BackBuffer b = test::Screen(true);
        DrawKeyedRuns(b.View(), 100, 100, sprites_.pieceSprites[k]);
        faces.push_back(Average(b, 100 + 22, 100 + 36, 8, 6));
    }
    for (std::size_t i = 0; i < faces.size(); ++i) {
        for (std::size_t j = i + 1; j < faces.size(); ++j) {
            const int distance = std::abs(faces[i].r - faces[j].r) +
                                 std::abs(faces[i].g - faces[j].g) +
                                 std::abs(faces[i].b - faces[j].b);
            EXPECT_GE(distance, 3) << "kinds " << i + 1 << " and " << j + 1;
        }
    }
}

} // namespace
} // namespace zembro
