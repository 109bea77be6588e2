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
    return layout ? ConvertTo16(*layout) : Result<Sprite>::Fail(layout.Reason());
}

// Rows as stored, bottom-up: `storedRow` 0 is the picture's last row.
Pixel Stored(const Sprite& s, int x, int storedRow) {
    return s.pixels[static_cast<std::size_t>(storedRow * RowPixels(s.Width()) + x)];
}

// The top five bits of each channel, the same through 24 bits and through a palette.
TEST(ConvertTo16, ColourRuleKeepsTheTopFiveBits) {
    const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, Pixel> cases[] = {
        {255, 0, 0, 0x7C00}, {255, 255, 255, 0x7FFF}, {7, 7, 7, 0x0000},
        {8, 8, 8, 0x0421},   {0, 255, 0, 0x03E0},     {0x9C, 0x5A, 0x31, 0x4D66}};
    for (const auto& [r, g, b, expected] : cases) {
        EXPECT_EQ(PixelFromRgb(r, g, b), expected);
        const BmpBuilder rgb{.width = 1, .height = 1, .bits = 24, .pixels = {b, g, r, 0}};
        const BmpBuilder indexed{.width = 1,
                                 .height = 1,
                                 .bits = 8,
                                 .colours = 1,
                                 .palette = {std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b},
                                 .pixels = {0, 0, 0, 0}};
        for (const BmpBuilder& file : {rgb, indexed}) {
            const Result<Sprite> s = Decode(file.Build());
            ASSERT_TRUE(s) << s.Reason();
            EXPECT_EQ(s->pixels[0], expected) << file.bits;
        }
    }
}

TEST(ConvertTo16, RowsArePaddedAndKeptInOrder) {
    // 24 bits, 5 wide: source rows 16 bytes apart, sprite rows 6 pixels apart.
    BmpBuilder rgb{.width = 5, .height = 2, .bits = 24};
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 5; ++x)
            rgb.pixels.insert(rgb.pixels.end(), {static_cast<std::uint8_t>(8 * x),
                                                 static_cast<std::uint8_t>(8 * row), 0});
        rgb.pixels.push_back(0xEE); // padding, never read as a pixel
    }
    const Result<Sprite> s = Decode(rgb.Build());
    ASSERT_TRUE(s) << s.Reason();
    EXPECT_EQ(s->pixels.size(), 12u);
    EXPECT_EQ(Stored(*s, 4, 0), 4);
    EXPECT_EQ(Stored(*s, 3, 1), (1 << 5) | 3);
    EXPECT_EQ(s->header.biBitCount, 16);
    EXPECT_EQ(s->header.biSizeImage, 5u * 2 * 2);
    // 8 bits, 6 wide, 16 colours: source rows 8 bytes apart; an index past them shows black.
    BmpBuilder indexed{.width = 6, .height = 2, .bits = 8, .colours = 16};
    for (std::uint32_t i = 0; i < 16; ++i)
        indexed.palette.push_back(i * 8); // blue = 8 * i
    indexed.pixels = {0, 1, 2, 3, 200, 5, 0xFF, 0xFF, 15, 14, 13, 12, 11, 10, 0xFF, 0xFF};
    const Result<Sprite> p = Decode(indexed.Build());
    ASSERT_TRUE(p) << p.Reason();
    EXPECT_EQ(Stored(*p, 5, 0), 5);
    EXPECT_EQ(Stored(*p, 4, 0), 0);
    EXPECT_EQ(Stored(*p, 0, 1), 15);
    EXPECT_EQ(Stored(*p, 5, 1), 10);
    // 16 bits top-down: used as stored (bit 15 dropped), turned bottom-up, its own header kept.
    const BmpBuilder raw{
        .width = 2, .height = -2, .bits = 16, .pixels = {0x34, 0x12, 0xFF, 0xFF, 0x01, 0, 0, 0x7C}};
    const Result<Sprite> t = Decode(raw.Build());
    ASSERT_TRUE(t) << t.Reason();
    EXPECT_GT(t->Height(), 0);
    EXPECT_EQ(Stored(*t, 0, 1), 0x1234);
    EXPECT_EQ(Stored(*t, 1, 1), 0x7FFF);
    EXPECT_EQ(Stored(*t, 1, 0), 0x7C00);
    EXPECT_EQ(t->header.biXPelsPerMeter, 2835);
    // Run lengths that end at once leave every pixel at the palette's first colour.
    const BmpBuilder rle{.width = 1,
                         .height = 2,
                         .bits = 8,
                         .compression = 1,
                         .colours = 1,
                         .palette = {0xFFFFFF},
                         .pixels = {0, 1}};
    const Result<Sprite> r = Decode(rle.Build());
    ASSERT_TRUE(r) << r.Reason();
    EXPECT_EQ(Stored(*r, 0, 0), 0x7FFF);
    EXPECT_EQ(Stored(*r, 0, 1), 0x7FFF);
}

// Headers the BMP suite's bad files leave out.
TEST(ParseBmp, MalformedFilesAreRefusedWithAReason) {
    const BmpBuilder good{
        .width = 2, .height = 2, .bits = 24, .pixels = std::vector<std::uint8_t>(16, 9)};
    ASSERT_TRUE(Decode(good.Build()));
    const auto patched = [&](std::size_t at, std::uint32_t value) {
        std::vector<std::uint8_t> f = good.Build();
        for (std::size_t i = 0; i < 4; ++i)
            f[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return f;
    };
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}},
        {"not a bitmap", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"pixel offset past the end", patched(10, 100000)},
        {"pixel offset inside the header", patched(10, 20)},
        {"zero width", patched(18, 0)},
        {"unsupported compression", patched(30, 4)},
        {"run lengths in 24 bits", patched(30, 1)},
    };
    for (const auto& [name, file] : cases) {
        const Result<Sprite> s = Decode(file);
        EXPECT_FALSE(s) << name;
        EXPECT_FALSE(s.Reason().empty()) << name;
    }
}

std::map<std::string, Result<Sprite>> LoadSuite(const std::string& folder) {
    std::map<std::string, Result<Sprite>> loaded;
    for (const fs::directory_entry& e :
         fs::directory_iterator(fs::path(ZEMBRO_BMPSUITE_DIR) / folder)) {
        std::ifstream in(e.path(), std::ios::binary);
        loaded.emplace(e.path().filename().string(), Decode({std::istreambuf_iterator<char>(in),
                                                             std::istreambuf_iterator<char>()}));
    }
    return loaded;
}

// The public BMP suite, when it stands beside the checkout: good files load and each family
// shows one picture; bad ones are refused or loaded without harm; questionable ones load unless
// their encoding is not ours, and channels of any width show pure red where the picture is red.
TEST(BmpSuite, GoodBadAndQuestionableFiles) {
    if (!fs::exists(fs::path(ZEMBRO_BMPSUITE_DIR) / "g"))
        GTEST_SKIP() << "no BMP suite at " << ZEMBRO_BMPSUITE_DIR;
    const auto good = LoadSuite("g");
    ASSERT_EQ(good.size(), 27u);
    for (const auto& [name, sprite] : good)
        ASSERT_TRUE(sprite) << name << ": " << sprite.Reason();
    const std::vector<std::vector<std::string>> families = {
        {"pal8.bmp", "pal8-0.bmp", "pal8os2.bmp", "pal8rle.bmp", "pal8topdown.bmp", "pal8v4.bmp",
         "pal8v5.bmp"},
        {"pal4.bmp", "pal4rle.bmp"},
        {"pal1.bmp", "pal1wb.bmp"},
        {"rgb16.bmp", "rgb16bfdef.bmp"},
        {"rgb16-565.bmp", "rgb16-565pal.bmp"},
        {"rgb24.bmp", "rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"},
    };
    for (const auto& family : families)
        for (const std::string& name : family)
            EXPECT_EQ(good.at(name)->pixels, good.at(family[0])->pixels) << name;
    EXPECT_EQ(Stored(*good.at("rgb24.bmp"), 0, 63), 0x7C00) << "top-left pixel is pure red";

    const auto bad = LoadSuite("b");
    for (const char* name :
         {"badbitcount.bmp", "badheadersize.bmp", "badpalettesize.bmp", "badplanes.bmp",
          "badrle.bmp", "badrle4.bmp", "badrle4bis.bmp", "badrle4ter.bmp", "badrlebis.bmp",
          "badrleter.bmp", "badwidth.bmp", "reallybig.bmp", "rletopdown.bmp", "shortfile.bmp"})
        EXPECT_FALSE(bad.at(name)) << name;
    for (const auto& [name, sprite] : bad)
        EXPECT_TRUE(!sprite ||
                    sprite->pixels.size() ==
                        static_cast<std::size_t>(RowPixels(sprite->Width()) * sprite->Height()))
            << name;

    const std::vector<std::string> notOurs = {"rgb24jpeg.bmp", "rgb24png.bmp", "pal1huffmsb.bmp",
                                              "rgb24rle24.bmp", "rgba64.bmp"};
    for (const auto& [name, sprite] : LoadSuite("q")) {
        const bool refused = std::find(notOurs.begin(), notOurs.end(), name) != notOurs.end();
        EXPECT_EQ(static_cast<bool>(sprite), !refused) << name << ": " << sprite.Reason();
        EXPECT_TRUE(!sprite || name.find('-') == std::string::npos ||
                    Stored(*sprite, 0, sprite->Height() - 1) == 0x7C00)
            << name << ": the top-left red";
    }
}

} // namespace
} // namespace zembro
