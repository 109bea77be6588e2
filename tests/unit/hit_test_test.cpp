// The cell under a screen point on the default cell picture, over the board and beside it.
#include "render/hit_test.h"

#include "render/bmp_reader.h"
#include "render/scene.h"

#include <gtest/gtest.h>

#include <map>

namespace zembro {
namespace {

class HitTest : public testing::Test {
  protected:
    void SetUp() override {
        Result<Sprite> loaded = LoadSprite(std::string(ZEMBRO_RUN_DIR) + "/Immagini/Pedone2.bmp");
        ASSERT_TRUE(loaded) << loaded.Reason();
        cell_ = std::move(*loaded);
    }
    Sprite cell_;
};

// A point beside the board's area is outside; one in it finds no cell or a cell of the board
// whose picture, where it is drawn, covers the point; each cell answers over its whole picture
// but its outline.
TEST_F(HitTest, EachCellAnswersWhereItIsDrawn) {
    const Pixel key = SampleSpritePixel(cell_, -1, -1);
    const auto onPicture = [&](int x, int y) { return SampleSpritePixel(cell_, x, y) != key; };
    std::map<std::pair<int, int>, int> hits;
    for (int y = BOARD_AREA.top - 1; y <= BOARD_AREA.bottom + 1; ++y)
        for (int x = BOARD_AREA.left - 1; x <= BOARD_AREA.right + 1; ++x) {
            const CellHit hit = HitTestCell(cell_, x, y);
            ASSERT_EQ(hit.result == HitResult::Outside, !BOARD_AREA.Contains(x, y))
                << x << "," << y;
            if (hit.result != HitResult::Cell)
                continue;
            ++hits[{hit.col, hit.row}];
            const ScenePoint at = CellPosition(hit.col, hit.row);
            bool near = false; // the two lattices try the picture up to a pixel aside
            for (int d = 0; d < 9; ++d)
                near = near || onPicture(x - at.x + d % 3 - 1, y - at.y + d / 3 - 1);
            ASSERT_TRUE(near) << x << "," << y << ": " << hit.col << "," << hit.row;
        }
    int picture = 0;
    for (int y = 0; y < cell_.Height(); ++y)
        for (int x = 0; x < cell_.Width(); ++x)
            picture += onPicture(x, y) ? 1 : 0;
    ASSERT_EQ(hits.size(), 64u) << "only the board's cells";
    for (const auto& [cell, count] : hits)
        EXPECT_GT(count, picture - 100) << cell.first << "," << cell.second << " of " << picture;
}

// Outside the picture, the first stored pixel: the key colour that the pictures start with.
TEST(SampleSpritePixel, OutsideThePictureIsTheFirstStoredPixel) {
    Sprite s = MakeSprite(3, 2);
    for (std::size_t i = 0; i < s.pixels.size(); ++i)
        s.pixels[i] = static_cast<Pixel>(10 + i);
    for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}})
        EXPECT_EQ(SampleSpritePixel(s, x, y), 10);
}

} // namespace
} // namespace zembro
