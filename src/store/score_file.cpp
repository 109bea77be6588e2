// Ranking, inserting and loading score records.
#include "store/score_file.h"

#include "store/file_replace.h"
#include "store/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zembro {
namespace {

// RecordCount is a byte: no list holds more.
constexpr std::size_t MAX_LOADED_RECORDS = 255;

void Put16(std::uint8_t* at, std::uint16_t v) {
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* at, std::uint32_t v) {
    Put16(at, static_cast<std::uint16_t>(v));
    Put16(at + 2, static_cast<std::uint16_t>(v >> 16));
}
std::uint16_t Get16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}
std::uint32_t Get32(const std::uint8_t* at) {
    return Get16(at) | std::uint32_t{Get16(at + 2)} << 16;
}

bool ReadRecord(std::FILE* file, ScoreRecord& record) {
    std::uint8_t bytes[SCORE_RECORD_SIZE];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes)
        return false;
    record = DecodeRecord(bytes);
    return true;
}

} // namespace

std::string ScoreRecord::Name() const {
    std::size_t length = 0;
    while (length < 19 && name[length] != '\0')
        ++length;
    return std::string(name.data(), length);
}

std::array<std::uint8_t, SCORE_RECORD_SIZE> EncodeRecord(const ScoreRecord& r) {
    std::array<std::uint8_t, SCORE_RECORD_SIZE> bytes{};
    std::memcpy(bytes.data(), r.name.data(), 19);
    Put16(&bytes[20], static_cast<std::uint16_t>(r.seconds));
    bytes[22] = r.moves;
    bytes[23] = r.day;
    bytes[24] = r.month;
    Put16(&bytes[26], static_cast<std::uint16_t>(r.year));
    bytes[28] = r.hour;
    bytes[29] = r.minute;
    Put32(&bytes[36], static_cast<std::uint32_t>(r.penalty));
    Put32(&bytes[40], static_cast<std::uint32_t>(r.fixedCells));
    Put32(&bytes[44], static_cast<std::uint32_t>(r.kindsUsed));
    return bytes;
}

ScoreRecord DecodeRecord(const std::uint8_t* b) {
    ScoreRecord r;
    std::memcpy(r.name.data(), b, 19); // byte 19 is not part of the name
    r.seconds = static_cast<std::int16_t>(Get16(b + 20));
    r.moves = b[22];
    r.day = b[23];
    r.month = b[24];
    r.year = static_cast<std::int16_t>(Get16(b + 26));
    r.hour = b[28];
    r.minute = b[29];
    r.penalty = static_cast<std::int32_t>(Get32(b + 36));
    r.fixedCells = static_cast<std::int32_t>(Get32(b + 40));
    r.kindsUsed = static_cast<std::int32_t>(Get32(b + 44));
    return r;
}

bool RanksBefore(std::int16_t seconds, std::uint8_t moves, const ScoreRecord& stored) {
    return seconds < stored.seconds || (seconds == stored.seconds && moves < stored.moves);
}

ScoreRecord MakeRecord(const std::string& nameCp1252, std::int32_t seconds, std::int32_t moves,
                       const std::tm& t, const OptionValues& settings) {
    ScoreRecord r;
    std::memcpy(r.name.data(), nameCp1252.data(), std::min<std::size_t>(nameCp1252.size(), 19));
    r.seconds = StoredSeconds(seconds);
    r.moves = StoredMoves(moves);
    r.day = static_cast<std::uint8_t>(t.tm_mday);
    r.month = static_cast<std::uint8_t>(t.tm_mon + 1);
    r.year = static_cast<std::int16_t>(t.tm_year);
    r.hour = static_cast<std::uint8_t>(t.tm_hour);
    r.minute = static_cast<std::uint8_t>(t.tm_min);
    r.penalty = settings.penalty;
    r.fixedCells = settings.fixedCells;
    r.kindsUsed = settings.kindsUsed;
    return r;
}

namespace {

using List = Result<std::vector<ScoreRecord>>;

// The whole records of an open file, at most `limit`; a tail shorter than a record is left.
List ReadRecords(std::FILE* file, std::size_t limit, const std::string& path) {
    std::vector<ScoreRecord> list;
    ScoreRecord stored;
    while (list.size() < limit && ReadRecord(file, stored))
        list.push_back(stored);
    if (std::ferror(file))
        return List::Fail(path + ": cannot be read", EIO);
    return List::Ok(std::move(list));
}

// The records a ranking looks at, at most `limit`, under the lock the caller holds. A missing
// file is an empty list.
List ReadList(const FileLock& lock, std::size_t limit) {
    Result<FilePtr> file = OpenForReading(lock.Target());
    if (!file)
        return file.Error() == ENOENT ? List::Ok({}) : List::Fail(file.Status());
    return ReadRecords(file->get(), limit, lock.Target());
}

// Where a result of `seconds` and `moves` goes in a list kept best first: after every stored
// result it does not beat, 0 for the first place.
std::size_t PlaceIn(const std::vector<ScoreRecord>& list, std::int16_t seconds,
                    std::uint8_t moves) {
    std::size_t place = 0;
    while (place < list.size() && !RanksBefore(seconds, moves, list[place]))
        ++place;
    return place;
}

} // namespace

Result<int> RankFor(const std::string& path, std::int16_t seconds, std::uint8_t moves) {
    const Result<FileLock> lock = LockFile(path, LockKind::Shared);
    if (!lock)
        return Result<int>::Fail(lock.Status());
    const List list = ReadList(*lock, MAX_SCORES);
    if (!list)
        return Result<int>::Fail(list.Status());
    return Result<int>::Ok(static_cast<int>(PlaceIn(*list, seconds, moves)) + 1);
}

Result<int> InsertScore(const std::string& path, const ScoreRecord& record) {
    // Held from the reading to the renaming, so that a concurrent insert loses nothing.
    const Result<FileLock> lock = LockFile(path, LockKind::Exclusive);
    if (!lock)
        return Result<int>::Fail(lock.Status());
    // A list that exists but cannot be read is not replaced by a list of one.
    List read = ReadList(*lock, MAX_SCORES);
    if (!read)
        return Result<int>::Fail(read.Status());
    std::vector<ScoreRecord>& list = *read;
    const std::size_t place = PlaceIn(list, record.seconds, record.moves);
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(place), record);
    if (list.size() > MAX_SCORES)
        list.resize(MAX_SCORES);

    std::string bytes;
    for (const ScoreRecord& r : list) {
        const auto encoded = EncodeRecord(r);
        bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    if (const IoResult written = ReplaceFileContents(*lock, bytes); !written)
        return Result<int>::Fail(written);
    return Result<int>::Ok(static_cast<int>(place) + 1);
}

Result<std::vector<ScoreRecord>> LoadScores(const std::string& path) {
    const Result<FileLock> lock = LockFile(path, LockKind::Shared);
    if (!lock)
        return List::Fail(lock.Status());
    Result<FilePtr> file = OpenForReading(lock->Target());
    if (!file)
        return List::Fail(file.Status());
    List records = ReadRecords(file->get(), MAX_LOADED_RECORDS, path);
    if (records && records->empty())
        return List::Fail(path + ": no records");
    return records;
}

} // namespace zembro
