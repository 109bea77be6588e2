// The score file: the 48-byte record, ranking and inserting, odd files; Windows-1252 names.
#include "store/cp1252.h"
#include "store/score_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

namespace zembro {
namespace {

ScoreRecord Record(const std::string& name, int seconds, int moves) {
    std::tm when{};
    when.tm_mday = 7;
    when.tm_mon = 2;
    when.tm_year = 101;
    when.tm_hour = 9;
    when.tm_min = 5;
    OptionValues settings;
    settings.penalty = 148;
    settings.fixedCells = -2;
    settings.kindsUsed = 20;
    return MakeRecord(name, seconds, moves, when, settings);
}

// The place a result would take, or 0 when the list cannot be read.
int Place(const std::string& path, int seconds, int moves) {
    const Result<int> place =
        RankFor(path, StoredSeconds(seconds), static_cast<std::uint8_t>(moves));
    return place ? *place : 0;
}

std::size_t Count(const std::string& path) {
    const Result<std::vector<ScoreRecord>> loaded = LoadScores(path);
    return loaded ? loaded->size() : 0;
}

// The place a result went to, 0 when it was not saved; negative when the old file was kept aside.
int Inserted(const std::string& path, const ScoreRecord& r) {
    const Result<InsertedScore> inserted = InsertScore(path, r);
    return !inserted ? 0 : !inserted->keptAs.empty() ? -inserted->place : inserted->place;
}

std::string Hex(const std::array<std::uint8_t, SCORE_RECORD_SIZE>& bytes) {
    std::string hex;
    for (const std::uint8_t b : bytes)
        hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
    return hex;
}

// Name, zero-filled to byte 19; seconds 40000 as its low 16 bits; 300 moves as 44; day 7,
// March, a reserved byte, 2001 as 101, 09:05, six reserved bytes, penalty 148, -2 fixed cells,
// 20 kinds.
TEST(ScoreFile, RecordsAreFortyEightLittleEndianBytes) {
    const ScoreRecord r = Record("Anna", 40000, 300);
    EXPECT_EQ(Hex(EncodeRecord(r)), "416e6e61000000000000000000000000000000004"
                                    "09c2c0703006500090500000000000094000000feffffff14000000");
    EXPECT_EQ(DecodeRecord(EncodeRecord(r).data()), r);
    EXPECT_EQ(Record(std::string(25, 'x'), 1, 1).Name(), std::string(19, 'x'));
    auto bytes = EncodeRecord(Record(std::string(19, 'x'), 1, 1));
    bytes[19] = 'z'; // not part of the name
    EXPECT_EQ(DecodeRecord(bytes.data()).Name(), std::string(19, 'x'));
}

TEST(ScoreFile, RankingAndInsertingFollowSecondsThenMoves) {
    const test::TempFolder folder("scores");
    const std::string path = folder / "Zembro.rec";
    EXPECT_EQ(Place(path, 500, 1), 1) << "no file yet";
    for (const auto& [seconds, moves] : {std::pair{100, 40}, {120, 30}, {120, 35}, {150, 20}})
        ASSERT_TRUE(InsertScore(path, Record("p" + std::to_string(moves), seconds, moves)));
    struct Case {
        int seconds, moves, place;
    };
    for (const Case c : {Case{120, 30, 3}, Case{120, 29, 2}, Case{120, 36, 4}, Case{99, 255, 1},
                         Case{151, 0, 5}, Case{40000, 0, 1}})
        EXPECT_EQ(Place(path, c.seconds, c.moves), c.place) << c.seconds << " s, " << c.moves;
    EXPECT_EQ(Inserted(path, Record("Zoe", 120, 30)), 3) << "after the equal record";
    std::string names;
    const Result<std::vector<ScoreRecord>> loaded = LoadScores(path);
    for (const ScoreRecord& r : loaded ? *loaded : std::vector<ScoreRecord>{})
        names += r.Name() + " ";
    EXPECT_EQ(names, "p40 p30 Zoe p35 p20 ");
    // Fifteen are kept: a worse result is not, a better one pushes the last out.
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(InsertScore(path, Record("q", 130, i)));
    EXPECT_EQ(Inserted(path, Record("late", 200, 1)), 16);
    EXPECT_EQ(Inserted(path, Record("early", 1, 1)), 1);
    EXPECT_EQ(Count(path), 15u);
    EXPECT_EQ(test::TempFolder::Contents(path).substr(14 * SCORE_RECORD_SIZE, 1), "q");
    // Nothing stays beside the list once the readers and writers are done: no lock, no temporary.
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"Zembro.rec"});
}

TEST(ScoreFile, ShortAndOddFiles) {
    const test::TempFolder folder("odd");
    const std::string path = folder.Write("Zembro.rec", "");
    EXPECT_EQ(Place(path, 10, 10), 1);
    EXPECT_FALSE(LoadScores(path)) << "no whole record";
    // Two whole records and a 4-byte tail, which is dropped.
    std::string bytes;
    for (const ScoreRecord& r : {Record("a", 10, 1), Record("b", 20, 1)})
        bytes.append(reinterpret_cast<const char*>(EncodeRecord(r).data()), SCORE_RECORD_SIZE);
    // A 4-byte tail: the list is not one the game wrote, so it is kept beside the new one.
    folder.Write("Zembro.rec", bytes + "tail");
    EXPECT_EQ(Place(path, 30, 1), 3);
    EXPECT_EQ(Inserted(path, Record("c", 15, 1)), -2);
    EXPECT_EQ(test::TempFolder::Contents(path).size(), 144u);
    EXPECT_EQ(test::TempFolder::Contents(folder / "Zembro.rec~"), bytes + "tail");
    // At most 255 records are loaded; only the first fifteen rank. A result that does not enter
    // writes nothing; one that does keeps the long file aside.
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += bytes.substr(0, SCORE_RECORD_SIZE);
    folder.Write("Zembro.rec", many);
    EXPECT_EQ(Count(path), 255u);
    EXPECT_EQ(Place(path, 11, 1), 16);
    EXPECT_EQ(Inserted(path, Record("late", 11, 1)), 16);
    EXPECT_EQ(test::TempFolder::Contents(path), many);
    EXPECT_EQ(Inserted(path, Record("early", 1, 1)), -1);
    EXPECT_EQ(test::TempFolder::Contents(path).size(), 15 * SCORE_RECORD_SIZE);
    EXPECT_EQ(test::TempFolder::Contents(folder / "Zembro.rec~1"), many) << "a new name";
    EXPECT_EQ(test::TempFolder::Contents(folder / "Zembro.rec~"), bytes + "tail");
    EXPECT_EQ(Inserted(path, Record("next", 2, 1)), 2) << "a whole list is replaced as usual";
}

// Temporaries killed writers left beside the list (under the lock, or by a process that is gone)
// go at the next save; other names stay.
TEST(ScoreFile, KilledWritersTemporariesAreSwept) {
    const test::TempFolder folder("swept");
    for (const char* name : {".Zembro.rec.zembro-tmp", ".Zembro.rec.2147483644.zembro-tmp",
                             ".Zembro.rec.x.zembro-tmp", ".Zembro.recx.zembro-tmp"})
        folder.Write(name, "left");
    EXPECT_EQ(Inserted(folder / "Zembro.rec", Record("a", 1, 1)), 1);
    EXPECT_EQ(Inserted(folder / "Zembro.rec", Record("b", 2, 1)), 2);
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{".Zembro.rec.x.zembro-tmp", ".Zembro.recx.zembro-tmp",
                                        "Zembro.rec"}));
}

TEST(Cp1252, NamesTravelBetweenUtf8AndTheCodePage) {
    const std::pair<std::string, std::string> cases[] = {
        {"Nérone", "N\xE9rone"},
        {"€ 5", "\x80 5"},
        {"Łukasz", "?ukasz"},
        {"日本", "??"},
        {"ÿ", "\xFF"},
        {"\xFF\xC3", "??"},
        {"a\xF0\x9F\x98\x80"
         "b",
         "a?b"},
    };
    for (const auto& [utf8, cp1252] : cases) {
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
        if (cp1252.find('?') == std::string::npos) {
            EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
        }
    }
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "?????") << "bytes the code page leaves out";
}

} // namespace
} // namespace zembro
