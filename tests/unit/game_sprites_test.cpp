// The scene's pictures from a run folder: hotspots, long paths, missing, wrong and huge pictures.
#include "render/game_sprites.h"

#include "bmp_builder.h"
#include "render/scene.h"
#include "store/run_folder.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zembro {
namespace {

namespace fs = std::filesystem;

// Each line of Pedine.pos is read through a 20-character buffer: 19 characters make one read
// and the rest of a line is the next piece's.
TEST(Hotspots, AreReadThroughATwentyCharacterBuffer) {
    const std::pair<std::string, std::vector<std::pair<int, int>>> cases[] = {
        {"12 30\r\n-4 7\n", {{12, 30}, {-4, 7}, {-4, 7}}}, // fewer lines repeat the last
        {"", {{0, 0}, {0, 0}}},
        {"9\nx y\n1 2\n", {{9, 0}, {0, 0}, {1, 2}}},
        {"1 2" + std::string(20, ' ') + "\n5 6\n", {{1, 2}, {0, 0}, {5, 6}}},
        {"1 2" + std::string(16, ' ') + "7 8\n", {{1, 2}, {7, 8}}},
        {"99999999999 -9999999\n", {{65536, -65536}}}, // huge numbers are held
    };
    const test::TempFolder folder("hotspots");
    for (const auto& [text, expected] : cases) {
        folder.Write("Pedine.pos", text);
        const Result<std::vector<Hotspot>> read =
            ReadHotspots(folder.Path().string(), expected.size());
        ASSERT_TRUE(read) << text;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(std::pair((*read)[i].x, (*read)[i].y), expected[i]) << text << ", " << i + 1;
    }
    EXPECT_FALSE(ReadHotspots((folder.Path() / "missing").string(), 1));
    EXPECT_EQ(JoinPath("/run/Immagini", "Pedone2.bmp"), "/run/Immagini/Pedone2.bmp");
    EXPECT_TRUE(JoinPath(std::string(4000, 'a'), std::string(94, 'b')));
    EXPECT_FALSE(JoinPath(std::string(4000, 'a'), std::string(95, 'b'))) << "past the system's";
}

// The default pictures, copied so that a test may break them.
class RunFolder : public testing::Test {
  protected:
    void SetUp() override {
        fs::copy(ZEMBRO_RUN_DIR, folder_.Path(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        ASSERT_TRUE(ReadRunFolderSettings(folder_.Path().string(), settings_));
    }
    IoResult Load() {
        sprites_ = GameSprites{};
        buffer_ = BackBuffer{};
        CreateBackBuffer(buffer_, RowOrder::BottomUp);
        return LoadAssets(sprites_, buffer_, settings_);
    }
    // A one-bit picture of `width` x `height`, with its pixels or only the headers that promise
    // them.
    void OneBitPicture(const std::string& name, int width, int height, bool withPixels) {
        test::BmpBuilder bmp{.width = width, .height = height, .bits = 1, .palette = {0, 0xFFFFFF}};
        if (withPixels)
            bmp.pixels.resize(static_cast<std::size_t>((width + 31) / 32 * 4 * height));
        folder_.Write(name, test::AsText(bmp.Build()));
    }
    test::TempFolder folder_{"sprites"};
    GameSettings settings_;
    GameSprites sprites_;
    BackBuffer buffer_;
};

TEST_F(RunFolder, DefaultPicturesLoadWithEachPiecesHotspot) {
    std::string hotspots;
    for (int k = 1; k <= 33; ++k)
        hotspots += std::to_string(k) + " " + std::to_string(24 + k) + "\n";
    folder_.Write("Immagini/Pedine.pos", hotspots);
    const IoResult loaded = Load();
    ASSERT_TRUE(loaded) << loaded.Reason();
    EXPECT_EQ(sprites_.background.Width(), 800);
    EXPECT_EQ(sprites_.cellEmpty.Width() * 1000 + sprites_.cellEmpty.Height(), 98072);
    ASSERT_EQ(sprites_.pieceSprites.size(), 33u);
    for (const Sprite& piece : sprites_.pieceSprites) {
        const int k = static_cast<int>(&piece - sprites_.pieceSprites.data()) + 1;
        EXPECT_EQ(std::pair(piece.hotX, piece.hotY), std::pair(k, 24 + k));
    }
    EXPECT_EQ(sprites_.Piece(200), &sprites_.pieceSprites.back()) << "codes past the pictures";
    EXPECT_FALSE(sprites_.pathRing.Empty()) << "the shapes are made at load";
    EXPECT_NE(sprites_.pathRing.pixels, sprites_.pathCross.pixels);
    settings_.NumMaxPedine = 3;
    ASSERT_TRUE(Load());
    EXPECT_EQ(sprites_.pieceSprites.size(), 3u);
}

TEST_F(RunFolder, EachMissingOrWrongPictureIsNamed) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { fs::remove(folder_ / "Contatori/Mini.bmp"); }, "Mini.bmp"},
        {[&] { fs::remove(folder_ / "Immagini/pedina17.bmp"); }, "pedina17.bmp"},
        {[&] { fs::remove(folder_ / "Immagini/Pedine.pos"); }, "Pedine.pos"},
        {[&] { folder_.Write("Immagini/Pedone1.bmp", "hello"); }, "Pedone1.bmp"},
        {[&] { OneBitPicture("Immagini/Sfondo2.bmp", 800, 601, true); },
         "800 x 601 pixels instead of 800 x 600"},
        // Refused from the header, never read or decoded: start-up memory stays bounded.
        {[&] { OneBitPicture("Immagini/pedina05.bmp", 8192, 4096, false); },
         "pedina05.bmp: the picture is too large (8192 x 4096; at most 1600 x 1200)"},
        {[&] { OneBitPicture("Immagini/pedina05.bmp", 1601, 1, true); },
         "pedina05.bmp: the picture is too large"},
        {[&] {
             OneBitPicture("Immagini/pedina06.bmp", 8, 8, true);
             fs::resize_file(folder_ / "Immagini/pedina06.bmp", (16 << 20) + 1);
         },
         "pedina06.bmp: the file is too large for a picture (16777217 bytes)"},
        {[&] {
             OneBitPicture("Immagini/pedina01.bmp", 1600, 1200, true);
             for (int k = 2; k <= 33; ++k) {
                 const fs::path piece =
                     folder_ / ("Immagini/pedina" + std::string(k < 10 ? "0" : "") +
                                std::to_string(k) + ".bmp");
                 fs::remove(piece);
                 fs::create_hard_link(folder_ / "Immagini/pedina01.bmp", piece);
             }
         },
         "pedina09.bmp: the pictures together are too large"},
    };
    for (const auto& [damage, named] : cases) {
        SetUp(); // the pictures whole again
        damage();
        const IoResult loaded = Load();
        EXPECT_NE(loaded.Reason().find(named), std::string::npos)
            << named << ": " << loaded.Reason();
    }
    for (const int none : {0, -5}) {
        SetUp();
        settings_.NumMaxPedine = none;
        EXPECT_FALSE(Load());
        EXPECT_FALSE(buffer_.HasSurface()) << "fails before creating the surface";
    }
}

} // namespace
} // namespace zembro
