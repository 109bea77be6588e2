// The score file: up to fifteen 48-byte records, best first, no header.
#pragma once

#include "base/result.h"
#include "game/game_settings.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zembro {

inline constexpr const char* SCORE_FILE_NAME = "Zembro.rec";
inline constexpr int MAX_SCORES = 15;
inline constexpr std::size_t SCORE_RECORD_SIZE = 48;

struct ScoreRecord {
    std::array<char, 20> name{}; // Windows-1252, at most 19 characters, zero-filled
    std::int16_t seconds = 0;    // the game's seconds, low 16 bits
    std::uint8_t moves = 0;      // the game's moves, low 8 bits
    std::uint8_t day = 0, month = 0;
    std::int16_t year = 0; // years since 1900
    std::uint8_t hour = 0, minute = 0;
    std::int32_t penalty = 0, fixedCells = 0, kindsUsed = 0;

    std::string Name() const; // the name's bytes up to the first zero, at most 19
    bool operator==(const ScoreRecord&) const = default;
};

// The game's seconds and moves as a record keeps them: their low 16 and 8 bits.
constexpr std::int16_t StoredSeconds(std::int32_t seconds) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(seconds));
}
constexpr std::uint8_t StoredMoves(std::int32_t moves) {
    return static_cast<std::uint8_t>(moves);
}

// Little-endian, the reserved bytes (19, 25, 30-35) zero.
std::array<std::uint8_t, SCORE_RECORD_SIZE> EncodeRecord(const ScoreRecord& record);
ScoreRecord DecodeRecord(const std::uint8_t* bytes);

// A result ranks before a stored record with fewer seconds (signed 16-bit), or the same seconds
// and fewer moves (unsigned 8-bit); equal in both, it ranks after.
bool RanksBefore(std::int16_t seconds, std::uint8_t moves, const ScoreRecord& stored);

// The record of a won game: the name (Windows-1252, cut to 19 characters), the truncated
// seconds and moves, the local date and time given, and the settings in force.
ScoreRecord MakeRecord(const std::string& nameCp1252, std::int32_t seconds, std::int32_t moves,
                       const std::tm& localTime, const OptionValues& settings);

// The 1-based place a result would take; 16 when a full list would not keep it; 1 when there is
// no file; a failure when the file exists but cannot be read.
Result<int> RankFor(const std::string& path, std::int16_t seconds, std::uint8_t moves);

struct InsertedScore {
    int place = 0; // 1..15, or 16 when a full list did not keep it (nothing is written)
    // The path the old file is kept under when it was not a whole list; empty otherwise.
    std::string keptAs;
};

// Puts the record in its place and rewrites the file with at most fifteen records, under a lock
// held from the reading to the writing so that concurrent inserts lose nothing: a failure leaves
// the old list whole and is reported. A file that is not a whole list (its size is not a
// multiple of a record, or it holds more than fifteen) is not replaced silently: the new list
// starts from its first whole records and a copy of the old file is kept beside it, under a name
// no file has yet; where no copy can be kept, nothing is written.
Result<InsertedScore> InsertScore(const std::string& path, const ScoreRecord& record);

// Every whole record of the file, at most 255; a failure when the file cannot be opened or
// holds no whole record.
Result<std::vector<ScoreRecord>> LoadScores(const std::string& path);

} // namespace zembro
