// BMP reading: the colour rule, row padding and order, malformed headers, and the public BMP suite.
#include "render/bmp_reader.h"

#include "bmp_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace zembro {
namespace {

namespace fs = std::filesystem;
using test::BmpBuilder;

Result<Sprite> Decode(const std::vector<std::uint8_t>& file) {
    const Result<BmpLayout> layout = ParseBmp(file);
    if (!layout)
        return Result<Sprite>::Fail(layout.Reason());
    return ConvertTo16(*layout);
}

Pixel StoredPixel(const Sprite& s, int x, int storedRow) {
    return s.pixels[static_cast<std::size_t>(storedRow * RowPixels(s.Width()) + x)];
}

TEST(ConvertTo16, ColourRuleKeepsTheTopFiveBits) {
    struct Case {
        std::uint8_t r, g, b;
        Pixel expected;
    };
    const Case cases[] = {{255, 0, 0, 0x7C00},       {255, 255, 255, 0x7FFF}, {7, 7, 7, 0x0000},
                          {8, 8, 8, 0x0421},         {0, 255, 0, 0x03E0},     {0, 0, 255, 0x001F},
                          {0x9C, 0x5A, 0x31, 0x4D66}};
    for (const Case& c : cases) {
        EXPECT_EQ(PixelFromRgb(c.r, c.g, c.b), c.expected);
        // The same colour through a 24-bit file and through an 8-bit palette.
        BmpBuilder rgb{.width = 1, .height = 1, .bits = 24};
        rgb.pixels = {c.b, c.g, c.r, 0};
        const Result<Sprite> fromRgb = Decode(rgb.Build());
        ASSERT_TRUE(fromRgb) << fromRgb.Reason();
        EXPECT_EQ(fromRgb->pixels[0], c.expected);
        BmpBuilder indexed{.width = 1, .height = 1, .bits = 8, .colours = 1};
        indexed.palette = {std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b};
        indexed.pixels = {0, 0, 0, 0};
        const Result<Sprite> fromPalette = Decode(indexed.Build());
        ASSERT_TRUE(fromPalette) << fromPalette.Reason();
        EXPECT_EQ(fromPalette->pixels[0], c.expected);
    }
}

TEST(ConvertTo16, RowsArePaddedAndKeptInOrder) {
    // 24 bits, 5 wide: source rows 16 bytes apart, sprite rows 6 pixels apart.
    BmpBuilder rgb{.width = 5, .height = 2, .bits = 24};
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 5; ++x) {
            rgb.pixels.push_back(static_cast<std::uint8_t>(8 * x));   // blue
            rgb.pixels.push_back(static_cast<std::uint8_t>(8 * row)); // green
            rgb.pixels.push_back(0);
        }
        rgb.pixels.push_back(0xEE); // padding, never read as a pixel
    }
    const Result<Sprite> s = Decode(rgb.Build());
    ASSERT_TRUE(s) << s.Reason();
    EXPECT_EQ(s->pixels.size(), 12u);
    EXPECT_EQ(StoredPixel(*s, 4, 0), 4);
    EXPECT_EQ(StoredPixel(*s, 3, 1), (1 << 5) | 3);
    EXPECT_EQ(s->header.biBitCount, 16);
    EXPECT_EQ(s->header.biSizeImage, 5u * 2 * 2);

    // 8 bits, 6 wide, a 16-entry palette: source rows 8 bytes apart, sprite rows 6 pixels apart.
    BmpBuilder indexed{.width = 6, .height = 2, .bits = 8, .colours = 16};
    for (std::uint32_t i = 0; i < 16; ++i)
        indexed.palette.push_back(i * 8); // blue = 8 * i
    indexed.pixels = {0, 1, 2, 3, 200, 5, 0xFF, 0xFF, 15, 14, 13, 12, 11, 10, 0xFF, 0xFF};
    const Result<Sprite> p = Decode(indexed.Build());
    ASSERT_TRUE(p) << p.Reason();
    EXPECT_EQ(StoredPixel(*p, 5, 0), 5);
    EXPECT_EQ(StoredPixel(*p, 4, 0), 0) << "an index past the palette shows black";
    EXPECT_EQ(StoredPixel(*p, 0, 1), 15);
    EXPECT_EQ(StoredPixel(*p, 5, 1), 10);
}

TEST(ConvertTo16, SixteenBitFilesAreUsedAsStoredAndTopDownRowsTurned) {
    BmpBuilder raw{.width = 2, .height = -2, .bits = 16};
    raw.pixels = {0x34, 0x12, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x7C}; // top row first
    const Result<Sprite> s = Decode(raw.Build());
    ASSERT_TRUE(s) << s.Reason();
    EXPECT_GT(s->Height(), 0) << "sprites are always bottom-up";
    EXPECT_EQ(StoredPixel(*s, 0, 1), 0x1234) << "the top row is stored last";
    EXPECT_EQ(StoredPixel(*s, 1, 1), 0x7FFF) << "bit 15 is not part of a pixel";
    EXPECT_EQ(StoredPixel(*s, 1, 0), 0x7C00);
    EXPECT_EQ(s->header.biXPelsPerMeter, 2835) << "a 5-5-5 file keeps its own header";
}

// Run lengths that end at once leave every pixel at the palette's first colour, not at black.
TEST(ConvertTo16, RunLengthPixelsNeverSetAreTheFirstColour) {
    const BmpBuilder rle{.width = 1,
                         .height = 2,
                         .bits = 8,
                         .compression = 1,
                         .colours = 1,
                         .palette = {0xFFFFFF},
                         .pixels = {0, 1}};
    const Result<Sprite> s = Decode(rle.Build());
    ASSERT_TRUE(s) << s.Reason();
    EXPECT_EQ(StoredPixel(*s, 0, 0), 0x7FFF);
    EXPECT_EQ(StoredPixel(*s, 0, 1), 0x7FFF);
}

TEST(ParseBmp, MalformedFilesAreRefusedWithAReason) {
    const BmpBuilder good{
        .width = 2, .height = 2, .bits = 24, .pixels = std::vector<std::uint8_t>(16, 9)};
    ASSERT_TRUE(Decode(good.Build()));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
    };
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> f = good.Build();
        for (int i = 0; i < 4; ++i)
            f[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
        return f;
    };
    // Damage the BMP suite's bad files carry (sizes, planes, depths, runs, palettes) is in its
    // own test below; these are the headers it leaves out.
    const Case cases[] = {
        {"empty", {}},
        {"not a bitmap", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"pixel offset past the end", patched(10, 100000)},
        {"pixel offset inside the header", patched(10, 20)},
        {"zero width", patched(18, 0)},
        {"unsupported compression", patched(30, 4)},
        {"run lengths in 24 bits", patched(30, 1)},
    };
    for (const Case& c : cases) {
        const Result<Sprite> s = Decode(c.file);
        EXPECT_FALSE(s) << c.name;
        EXPECT_FALSE(s.Reason().empty()) << c.name;
    }
}

// --- The public BMP test suite, when it is beside the checkout. ---

fs::path Suite() {
    return fs::path(ZEMBRO_BMPSUITE_DIR);
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::map<std::string, Result<Sprite>> LoadFolder(const std::string& folder) {
    std::map<std::string, Result<Sprite>> loaded;
    for (const fs::directory_entry& e : fs::directory_iterator(Suite() / folder))
        loaded.emplace(e.path().filename().string(), Decode(ReadAll(e.path())));
    return loaded;
}

TEST(BmpSuite, EveryGoodFileLoadsAndEachFamilyShowsTheSamePicture) {
    if (!fs::exists(Suite() / "g"))
        GTEST_SKIP() << "no BMP suite at " << Suite();
    const auto good = LoadFolder("g");
    ASSERT_EQ(good.size(), 27u);
    for (const auto& [name, sprite] : good)
        EXPECT_TRUE(sprite) << name << ": " << sprite.Reason();
    // Files that store one picture in different ways must decode to the same pixels.
    const std::vector<std::vector<std::string>> families = {
        {"pal8.bmp", "pal8-0.bmp", "pal8os2.bmp", "pal8rle.bmp", "pal8topdown.bmp", "pal8v4.bmp",
         "pal8v5.bmp"},
        {"pal4.bmp", "pal4rle.bmp"},
        {"pal1.bmp", "pal1wb.bmp"},
        {"rgb16.bmp", "rgb16bfdef.bmp"},
        {"rgb16-565.bmp", "rgb16-565pal.bmp"},
        {"rgb24.bmp", "rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"},
    };
    for (const auto& family : families) {
        for (const std::string& name : family) {
            ASSERT_TRUE(good.at(name)) << name;
            EXPECT_EQ(good.at(name)->pixels, good.at(family[0])->pixels)
                << name << " vs " << family[0];
        }
    }
    // The suite's picture: red in the top-left corner, white letters on the middle row.
    const Sprite& rgb = *good.at("rgb24.bmp");
    EXPECT_EQ(rgb.Width(), 127);
    EXPECT_EQ(StoredPixel(rgb, 0, 63), 0x7C00) << "top-left pixel is pure red";
}

TEST(BmpSuite, BadFilesAreRefusedOrLoadedWithoutHarm) {
    if (!fs::exists(Suite() / "b"))
        GTEST_SKIP() << "no BMP suite at " << Suite();
    const std::vector<std::string> mustRefuse = {
        "badbitcount.bmp", "badheadersize.bmp", "badpalettesize.bmp", "badplanes.bmp",
        "badrle.bmp",      "badrle4.bmp",       "badrle4bis.bmp",     "badrle4ter.bmp",
        "badrlebis.bmp",   "badrleter.bmp",     "badwidth.bmp",       "reallybig.bmp",
        "rletopdown.bmp",  "shortfile.bmp"};
    const auto bad = LoadFolder("b");
    for (const std::string& name : mustRefuse) {
        ASSERT_TRUE(bad.contains(name)) << name;
        EXPECT_FALSE(bad.at(name)) << name;
    }
    for (const auto& [name, sprite] : bad) {
        if (sprite)
            EXPECT_EQ(sprite->pixels.size(),
                      static_cast<std::size_t>(RowPixels(sprite->Width()) * sprite->Height()))
                << name;
        else
            EXPECT_FALSE(sprite.Reason().empty()) << name;
    }
}

TEST(BmpSuite, QuestionableFilesLoadUnlessTheirEncodingIsNotOurs) {
    if (!fs::exists(Suite() / "q"))
        GTEST_SKIP() << "no BMP suite at " << Suite();
    // Embedded JPEG and PNG, OS/2 Huffman and 24-bit run lengths, 64-bit pixels: refused.
    const std::vector<std::string> refused = {"rgb24jpeg.bmp", "rgb24png.bmp", "pal1huffmsb.bmp",
                                              "rgb24rle24.bmp", "rgba64.bmp"};
    for (const auto& [name, sprite] : LoadFolder("q")) {
        const bool expectRefused = std::find(refused.begin(), refused.end(), name) != refused.end();
        EXPECT_EQ(static_cast<bool>(sprite), !expectRefused) << name << ": " << sprite.Reason();
        // Channels of any width given by masks, narrower than five bits too: the top-left red is
        // pure red.
        if (sprite && name.find('-') != std::string::npos) {
            EXPECT_EQ(StoredPixel(*sprite, 0, sprite->Height() - 1), 0x7C00) << name;
        }
    }
}

} // namespace
} // namespace zembro
