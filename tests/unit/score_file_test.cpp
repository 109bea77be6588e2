// The score file: the 48-byte record, ranking and inserting, odd files; Windows-1252 names.
#include "store/cp1252.h"
#include "store/score_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zembro {
namespace {

namespace fs = std::filesystem;

// The place a result would take, or 0 when the list cannot be read.
int Place(const std::string& path, std::int16_t seconds, std::uint8_t moves) {
    const Result<int> place = RankFor(path, seconds, moves);
    return place ? *place : 0;
}

class ScoreFile : public testing::Test {
  protected:
    static ScoreRecord Record(const std::string& name, int seconds, int moves) {
        std::tm when{};
        when.tm_mday = 7;
        when.tm_mon = 2;
        when.tm_year = 101;
        OptionValues settings;
        return MakeRecord(name, seconds, moves, when, settings);
    }
    void Store(const std::vector<std::pair<int, int>>& results) {
        for (const auto& [seconds, moves] : results)
            ASSERT_TRUE(InsertScore(path_, Record("p" + std::to_string(seconds), seconds, moves)));
    }
    std::string Bytes() const { return test::TempFolder::Contents(path_); }

    test::TempFolder temp_{"scores"};
    fs::path folder_ = temp_.Path();
    std::string path_ = temp_ / "Zembro.rec";
};

TEST_F(ScoreFile, RecordsAreFortyEightLittleEndianBytes) {
    ScoreRecord r = Record("Anna", 40000, 300);
    r.penalty = 148;
    r.fixedCells = -2;
    r.kindsUsed = 20;
    r.hour = 9;
    r.minute = 5;
    auto b = EncodeRecord(r);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 5), std::string("Anna\0", 5));
    EXPECT_EQ(r.seconds, -25536) << "low 16 bits";
    EXPECT_EQ(r.moves, 44) << "low 8 bits";
    // Offset and byte: seconds, moves, day, month, year, hour, minute, penalty, fixed cells,
    // and the reserved bytes.
    const std::pair<std::size_t, int> bytes[] = {{20, 40000 & 0xFF},
                                                 {21, 40000 >> 8},
                                                 {22, 44},
                                                 {23, 7},
                                                 {24, 3},
                                                 {26, 101},
                                                 {27, 0},
                                                 {28, 9},
                                                 {29, 5},
                                                 {36, 148},
                                                 {40, 0xFE},
                                                 {43, 0xFF},
                                                 {19, 0},
                                                 {25, 0},
                                                 {30, 0},
                                                 {31, 0},
                                                 {32, 0},
                                                 {33, 0},
                                                 {34, 0},
                                                 {35, 0}};
    for (const auto& [at, value] : bytes)
        EXPECT_EQ(b[at], value) << "byte " << at;
    ScoreRecord full = r;
    full.name.fill('z'); // no terminator in the array: byte 19 stays reserved all the same
    EXPECT_EQ(EncodeRecord(full)[19], 0);
    b[19] = 'z'; // and is not read back as part of the name
    EXPECT_EQ(DecodeRecord(b.data()).name[19], '\0');
    b[19] = 0;
    EXPECT_EQ(full.Name().size(), 19u);
    EXPECT_EQ(DecodeRecord(b.data()), r);
}

TEST_F(ScoreFile, NamesAreCutToNineteenCharacters) {
    const ScoreRecord longName = Record(std::string(25, 'x'), 1, 1);
    EXPECT_EQ(longName.Name(), std::string(19, 'x'));
    EXPECT_EQ(longName.name[19], '\0') << "the terminator is stored";
    const ScoreRecord shortName = Record("Ugo", 1, 1);
    EXPECT_EQ(shortName.Name(), "Ugo");
    for (std::size_t i = 3; i < 20; ++i)
        EXPECT_EQ(shortName.name[i], '\0');
}

TEST_F(ScoreFile, RankingAndInsertingFollowSecondsThenMoves) {
    EXPECT_EQ(Place(path_, 500, 1), 1) << "no file yet";
    Store({{100, 40}, {120, 30}, {120, 35}, {150, 20}});
    struct Case {
        int seconds, moves, place;
    };
    for (const Case c : {Case{120, 30, 3}, Case{120, 29, 2}, Case{120, 36, 4}, Case{99, 255, 1},
                         Case{151, 0, 5}, Case{40000, 0, 1}}) {
        const std::int16_t seconds = StoredSeconds(c.seconds);
        EXPECT_EQ(Place(path_, seconds, static_cast<std::uint8_t>(c.moves)), c.place)
            << c.seconds << " s, " << c.moves << " moves";
    }
    const Result<int> placed = InsertScore(path_, Record("Zoe", 120, 30));
    ASSERT_TRUE(placed);
    EXPECT_EQ(*placed, 3) << "after the equal record";
    const Result<std::vector<ScoreRecord>> loaded = LoadScores(path_);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), 5u);
    EXPECT_EQ((*loaded)[2].Name(), "Zoe");
    EXPECT_EQ((*loaded)[1].Name(), "p120");
}

TEST_F(ScoreFile, ShortAndOddFiles) {
    std::ofstream(path_, std::ios::binary) << "";
    EXPECT_EQ(Place(path_, 10, 10), 1);
    EXPECT_FALSE(LoadScores(path_)) << "no whole record";

    // 100 bytes: two whole records and a 4-byte tail.
    std::string bytes;
    for (const ScoreRecord& r : {Record("a", 10, 1), Record("b", 20, 1)}) {
        const auto e = EncodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(e.data()), e.size());
    }
    std::ofstream(path_, std::ios::binary) << bytes << "tail";
    EXPECT_EQ(Place(path_, 30, 1), 3);
    EXPECT_EQ(*InsertScore(path_, Record("c", 15, 1)), 2);
    EXPECT_EQ(Bytes().size(), 144u) << "the tail is dropped";

    EXPECT_FALSE(LoadScores((folder_ / "none.rec").string()));
}

TEST_F(ScoreFile, LoadingNeverTakesMoreThan255Records) {
    std::string bytes;
    const auto e = EncodeRecord(Record("x", 1, 1));
    for (int i = 0; i < 300; ++i)
        bytes.append(reinterpret_cast<const char*>(e.data()), e.size());
    std::ofstream(path_, std::ios::binary) << bytes;
    const Result<std::vector<ScoreRecord>> loaded = LoadScores(path_);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), 255u);
    EXPECT_EQ(Place(path_, 2, 1), 16) << "ranks among the first fifteen only";
}

TEST(Cp1252, NamesTravelBetweenUtf8AndTheCodePage) {
    struct Case {
        std::string utf8, cp1252;
    };
    // clang-format off
    const Case cases[] = {
        {"Anna", "Anna"}, {"Nérone", "N\xE9rone"}, {"€ 5", "\x80 5"}, {"Łukasz", "?ukasz"}, {"日本", "??"},
        {"\u00A0x", "\xA0x"}, {"ÿ", "\xFF"}, // the first byte past the high table, and the last
        {"\xFF\xC3", "??"},                  // malformed bytes
        {"a\xF0\x9F\x98\x80" "b", "a?b"},     // four bytes, one character
        {"\x80" "ab", "?ab"},                 // a lone continuation byte
        {"\xC3" "A", "?A"},                   // a lead byte without its continuation
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
        if (c.cp1252.find('?') == std::string::npos) {
            EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        }
    }
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "?????") << "bytes the code page leaves out";
}

} // namespace
} // namespace zembro
