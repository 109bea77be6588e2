// The scene's pictures from a run folder: hotspots, long paths, missing, wrong and huge pictures.
#include "render/game_sprites.h"

#include "render/scene.h"

#include "bmp_builder.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zembro {
namespace {

namespace fs = std::filesystem;

class GameSpritesTest : public testing::Test {
  protected:
    void Write(const std::string& name, const std::string& text) { temp_.Write(name, text); }
    test::TempFolder temp_{"sprites"};
    fs::path folder_ = temp_.Path();
};

TEST_F(GameSpritesTest, HotspotsAreReadThroughATwentyCharacterBuffer) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<int, int>> expected;
    };
    const Case cases[] = {
        {"plain lines", "12 30\n-4 7\n", {{12, 30}, {-4, 7}}},
        {"CR LF line ends", "3 4\r\n5 6\r\n", {{3, 4}, {5, 6}}},
        {"fewer lines than pieces repeat the last", "12 30\n-4 7\n", {{12, 30}, {-4, 7}, {-4, 7}}},
        {"an empty file leaves every offset at 0", "", {{0, 0}, {0, 0}}},
        {"one number sets only the first", "9\n1 2\n", {{9, 0}, {1, 2}}},
        {"a line with no numbers leaves 0", "x y\n1 2\n", {{0, 0}, {1, 2}}},
        // 19 characters are one read; the rest of the line is the next piece's read.
        {"a long line spills into the next read",
         "1 2" + std::string(20, ' ') + "\n5 6\n",
         {{1, 2}, {0, 0}, {5, 6}}},
        {"huge numbers are held", "99999999999 -9999999\n", {{65536, -65536}}},
        {"the twentieth character starts the next read",
         "1 2" + std::string(16, ' ') + "7 8\n",
         {{1, 2}, {7, 8}}},
    };
    for (const Case& c : cases) {
        Write("Pedine.pos", c.text);
        const Result<std::vector<Hotspot>> read = ReadHotspots(folder_.string(), c.expected.size());
        ASSERT_TRUE(read) << c.name;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ((*read)[i].x, c.expected[i].first) << c.name << ", piece " << i + 1;
            EXPECT_EQ((*read)[i].y, c.expected[i].second) << c.name << ", piece " << i + 1;
        }
    }
    EXPECT_FALSE(ReadHotspots((folder_ / "missing").string(), 1));
}

TEST(JoinPath, RefusesOnlyPathsLongerThanTheSystemTakes) {
    EXPECT_EQ(JoinPath("/run/Immagini", "Pedone2.bmp"), "/run/Immagini/Pedone2.bmp");
    EXPECT_TRUE(JoinPath(std::string(4000, 'a'), std::string(94, 'b')));
    EXPECT_FALSE(JoinPath(std::string(4000, 'a'), std::string(95, 'b')));
}

// The default pictures, copied so that a test may break them.
class RunFolderTest : public GameSpritesTest {
  protected:
    void SetUp() override {
        GameSpritesTest::SetUp();
        fs::copy(ZEMBRO_RUN_DIR, folder_,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ASSERT_TRUE(ReadRunFolderSettings(folder_.string(), settings_));
    }
    IoResult Load() {
        sprites_ = GameSprites{};
        buffer_ = BackBuffer{};
        CreateBackBuffer(buffer_, RowOrder::BottomUp);
        return LoadAssets(sprites_, buffer_, settings_);
    }
    GameSettings settings_;
    GameSprites sprites_;
    BackBuffer buffer_;
};

TEST_F(RunFolderTest, DefaultPicturesLoad) {
    std::string hotspots; // each piece its own, to see that each gets its line
    for (int k = 1; k <= 33; ++k)
        hotspots += std::to_string(k) + " " + std::to_string(24 + k) + "\n";
    Write("Immagini/Pedine.pos", hotspots);
    const IoResult loaded = Load();
    ASSERT_TRUE(loaded) << loaded.Reason();
    EXPECT_EQ(sprites_.background.Width(), 800);
    EXPECT_EQ(sprites_.cellEmpty.Width(), 98);
    EXPECT_EQ(sprites_.cellEmpty.Height(), 72);
    ASSERT_EQ(sprites_.pieceSprites.size(), 33u);
    for (int k = 1; k <= 33; ++k) {
        EXPECT_EQ(sprites_.pieceSprites[static_cast<std::size_t>(k - 1)].hotX, k);
        EXPECT_EQ(sprites_.pieceSprites[static_cast<std::size_t>(k - 1)].hotY, 24 + k);
    }
    EXPECT_FALSE(sprites_.pathRing.Empty()) << "the shapes are made at load";
    EXPECT_NE(sprites_.pathRing.pixels, sprites_.pathCross.pixels);
    EXPECT_FALSE(sprites_.cellFrame.Empty());
    EXPECT_GE(sprites_.digitStrip.Width(), DIGIT_OFFSET[9] + DIGIT_WIDTH[9]);
    EXPECT_TRUE(buffer_.HasSurface());
}

// A one-bit picture of `width` x `height` with its pixels, or only its headers: a few bytes that
// promise a huge picture.
void WriteOneBitPicture(const fs::path& path, int width, int height, bool withPixels) {
    test::BmpBuilder bmp{.width = width, .height = height, .bits = 1, .palette = {0, 0xFFFFFF}};
    if (withPixels)
        bmp.pixels.resize(static_cast<std::size_t>((width + 31) / 32 * 4 * height));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << test::AsText(bmp.Build());
}

TEST_F(RunFolderTest, EachMissingOrWrongPictureIsNamed) {
    struct Case {
        const char* name;
        std::function<void()> damage;
        std::string named;
    };
    const fs::path board = folder_ / "Immagini", counters = folder_ / "Contatori";
    const Case cases[] = {
        {"missing mini", [&] { fs::remove(counters / "Mini.bmp"); }, "Mini.bmp"},
        {"missing piece", [&] { fs::remove(board / "pedina17.bmp"); }, "pedina17.bmp"},
        {"missing hotspots", [&] { fs::remove(board / "Pedine.pos"); }, "Pedine.pos"},
        {"background of another size",
         [&] {
             fs::copy_file(board / "MenuImg.bmp", board / "Sfondo2.bmp",
                           fs::copy_options::overwrite_existing);
         },
         "800 x 600"},
        {"background one row taller",
         [&] { WriteOneBitPicture(board / "Sfondo2.bmp", 800, 601, true); },
         "800 x 601 pixels instead of 800 x 600"},
        {"not a picture", [&] { std::ofstream(board / "Pedone1.bmp") << "hello"; }, "Pedone1.bmp"},
        // Refused from the header, never read or decoded: start-up memory stays bounded.
        {"a header promising 8192 x 4096",
         [&] { WriteOneBitPicture(board / "pedina05.bmp", 8192, 4096, false); },
         "pedina05.bmp: the picture is too large (8192 x 4096; at most 1600 x 1200)"},
        {"one pixel wider than twice the screen",
         [&] { WriteOneBitPicture(board / "pedina05.bmp", 1601, 1, true); },
         "pedina05.bmp: the picture is too large"},
        {"a file over 16 MiB",
         [&] {
             WriteOneBitPicture(board / "pedina06.bmp", 8, 8, true);
             fs::resize_file(board / "pedina06.bmp", (16 << 20) + 1);
         },
         "pedina06.bmp: the file is too large for a picture (16777217 bytes)"},
        {"pieces each as large as allowed, together too large",
         [&] {
             WriteOneBitPicture(board / "pedina01.bmp", 1600, 1200, true);
             for (int k = 2; k <= 33; ++k) {
                 char name[16];
                 std::snprintf(name, sizeof name, "pedina%02d.bmp", k);
                 fs::remove(board / name);
                 fs::create_hard_link(board / "pedina01.bmp", board / name);
             }
         },
         "pedina09.bmp: the pictures together are too large"},
    };
    for (const Case& c : cases) {
        SetUp(); // the pictures whole again
        c.damage();
        const IoResult loaded = Load();
        EXPECT_FALSE(loaded) << c.name;
        EXPECT_NE(loaded.Reason().find(c.named), std::string::npos)
            << c.name << ": " << loaded.Reason();
    }
}

TEST_F(RunFolderTest, PieceCountFollowsTheSettingsWithinTheBoardCodes) {
    settings_.NumMaxPedine = 3;
    ASSERT_TRUE(Load());
    EXPECT_EQ(sprites_.pieceSprites.size(), 3u);
    EXPECT_EQ(sprites_.Piece(200), &sprites_.pieceSprites[2]) << "codes past the pictures";
    for (const int none : {0, -5}) {
        settings_.NumMaxPedine = none;
        EXPECT_FALSE(Load());
        EXPECT_FALSE(buffer_.HasSurface()) << "fails before creating the surface";
    }
}

} // namespace
} // namespace zembro
