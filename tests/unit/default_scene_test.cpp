// Loose checks of scenes composed with the default pictures: what a player must be able to see,
// not exact pixels, so the pictures may be redrawn without breaking them.
#include "board_rows.h"
#include "game/path_trace.h"
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

// The average colour of a box of the screen, and how many of its pixels are bright gold.
struct Box {
    Rgb mean;
    int gold = 0;
};
Box Look(BackBuffer& buffer, int x, int y, int w, int h) {
    Box box;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const Pixel p = test::At(buffer, i, j);
            const Rgb c{(p >> 10) & 31, (p >> 5) & 31, p & 31};
            box.mean = {box.mean.r + c.r, box.mean.g + c.g, box.mean.b + c.b};
            box.gold += c.r >= 20 && c.g >= 14 && c.b < c.r ? 1 : 0;
        }
    box.mean = {box.mean.r / (w * h), box.mean.g / (w * h), box.mean.b / (w * h)};
    return box;
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
        PaintFrame(buffer_, sprites_, scene_,
                   {game_, settings_, 0, false, 300, 500, false, paused, false, 0, 0, false});
    }
    // The middle of the upper half of a cell's box.
    Rgb Cell(int col, int row) {
        const ScenePoint at = CellPosition(col, row);
        return Look(buffer_, at.x + 39, at.y + 24, 20, 8).mean;
    }
    GameSettings settings_;
    GameSprites sprites_;
    BackBuffer buffer_;
    SceneState scene_;
    GameState game_;
};

TEST_F(DefaultScene, PathsThatPairReadGreenAndOthersRed) {
    game_.board = test::BoardWith(0, {{2, 2, 1}, {6, 2, 1}, {2, 6, 2}});
    game_.sourceCol = game_.sourceRow = 2;
    for (const auto& [col, row, through, green] : {std::tuple{6, 2, 4, true}, {2, 6, 4, false}}) {
        game_.hoverCol = col;
        game_.hoverRow = row;
        TracePath(game_, settings_);
        Paint();
        const Rgb path = green ? Cell(through, 2) : Cell(2, through), plain = Cell(4, 5);
        EXPECT_GT(green ? path.g : path.r, (green ? path.r : path.g) + 4) << col << "," << row;
        EXPECT_GT(green ? path.g - plain.g : path.r - plain.r, 3)
            << "stands out from an empty cell";
    }
}

TEST_F(DefaultScene, CountersPauseMarkAndPointerAreVisible) {
    game_.seconds = game_.piecesLeft = game_.moves = 888;
    Paint();
    EXPECT_GT(Look(buffer_, 130, 70, 60, 28).gold, 150) << "seconds";
    EXPECT_GT(Look(buffer_, 210, 544, 60, 28).gold, 150) << "pieces left";
    EXPECT_GT(Look(buffer_, 675, 532, 60, 28).gold, 150) << "moves";
    EXPECT_LT(Look(buffer_, 40, 110, 100, 20).gold, 10) << "no digits, no gold";
    const Rgb pointer = Look(buffer_, 302, 504, 4, 8).mean;
    EXPECT_GT(pointer.r + pointer.g + pointer.b, 60) << "the pointer is light";
    const Rgb off = Look(buffer_, 737, 32, 14, 20).mean;
    Paint(true);
    const Rgb on = Look(buffer_, 737, 32, 14, 20).mean;
    EXPECT_GT(on.r - on.b, off.r - off.b + 4) << "the pause mark lights up";
}

TEST_F(DefaultScene, EveryKindLooksDifferent) {
    std::vector<Rgb> faces; // each token's face, sampled where the symbol is not
    for (const Sprite& piece : sprites_.pieceSprites) {
        BackBuffer b = test::Screen(true);
        DrawKeyedRuns(b.View(), 100, 100, piece);
        faces.push_back(Look(b, 122, 136, 8, 6).mean);
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
