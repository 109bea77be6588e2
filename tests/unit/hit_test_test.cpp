// The cell under a screen point, on the default cell picture: known points, every cell drawn.
#include "render/hit_test.h"

#include "render/bmp_reader.h"
#include "render/scene.h"

#include <gtest/gtest.h>

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

TEST_F(HitTest, KnownPointsOnTheDefaultCellPicture) {
    struct Case {
        int x, y;
        HitResult result;
        int col, row;
    };
    const Case cases[] = {
        {403, 38, HitResult::Cell, 1, 1},    {354, 74, HitResult::Cell, 1, 2},
        {452, 74, HitResult::Cell, 2, 1},    {40, 290, HitResult::Cell, 1, 8},
        {760, 290, HitResult::Cell, 8, 1},   {403, 560, HitResult::Cell, 8, 8},
        {20, 10, HitResult::NoCell, 0, 0},   {790, 570, HitResult::NoCell, 0, 0},
        {10, 290, HitResult::Outside, 0, 0}, {796, 290, HitResult::Outside, 0, 0},
        {400, 1, HitResult::Outside, 0, 0},  {400, 579, HitResult::Outside, 0, 0},
    };
    for (const Case& c : cases) {
        const CellHit hit = HitTestCell(cell_, c.x, c.y);
        EXPECT_EQ(hit.result, c.result) << c.x << "," << c.y;
        EXPECT_EQ(hit.col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
    }
}

// The point where each cell is drawn, at the middle of its box, finds that cell: the lattice
// tables and the drawing positions agree.
TEST_F(HitTest, EveryCellIsFoundWhereItIsDrawn) {
    for (int row = 1; row <= 8; ++row) {
        for (int col = 1; col <= 8; ++col) {
            const ScenePoint at = CellPosition(col, row);
            for (const auto& [dx, dy] :
                 {std::pair{49, 36}, {30, 36}, {68, 36}, {49, 20}, {49, 52}}) {
                const CellHit hit = HitTestCell(cell_, at.x + dx, at.y + dy);
                ASSERT_EQ(hit.result, HitResult::Cell);
                EXPECT_EQ(hit.col, col) << "cell " << col << "," << row << " +" << dx << "," << dy;
                EXPECT_EQ(hit.row, row) << "cell " << col << "," << row << " +" << dx << "," << dy;
            }
        }
    }
}

TEST(SampleSpritePixel, OutsideThePictureIsTheFirstStoredPixel) {
    Sprite s = MakeSprite(3, 2);
    for (std::size_t i = 0; i < s.pixels.size(); ++i)
        s.pixels[i] = static_cast<Pixel>(10 + i);
    EXPECT_EQ(SampleSpritePixel(s, 2, 1), 10 + 4 + 2) << "rows are 4 pixels apart";
    for (const auto& [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}})
        EXPECT_EQ(SampleSpritePixel(s, x, y), 10);
}

} // namespace
} // namespace zembro
