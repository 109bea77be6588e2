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

// Every point of the board's area finds either no cell or a cell of the board whose picture,
// where it is drawn, covers that point.
TEST_F(HitTest, EveryHitLiesOnItsCellsPicture) {
    const Pixel key = SampleSpritePixel(cell_, -1, -1);
    int hits = 0;
    for (int y = BOARD_AREA.top; y <= BOARD_AREA.bottom; ++y)
        for (int x = BOARD_AREA.left; x <= BOARD_AREA.right; ++x) {
            const CellHit hit = HitTestCell(cell_, x, y);
            if (hit.result != HitResult::Cell)
                continue;
            ++hits;
            ASSERT_TRUE(hit.col >= 1 && hit.col <= 8 && hit.row >= 1 && hit.row <= 8)
                << x << "," << y;
            const ScenePoint at = CellPosition(hit.col, hit.row);
            bool near = false; // the hit test's lattices may try the picture a pixel aside
            for (int d = 0; d < 9; ++d)
                near = near ||
                       SampleSpritePixel(cell_, x - at.x + d % 3 - 1, y - at.y + d / 3 - 1) != key;
            ASSERT_TRUE(near) << x << "," << y;
        }
    EXPECT_GT(hits, 64 * 3000) << "the cells answer over most of their pictures";
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
