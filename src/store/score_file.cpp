// Ranking, inserting and loading score records.
#include "store/score_file.h"

#include "store/file_replace.h"
#include "store/regular_file.h"

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

// The whole records at the start of the locked file, at most `limit`; a tail shorter than a
// record is left. A missing file is an empty list.
List ReadList(const FileLock& lock, std::size_t limit) {
    const Result<std::string> bytes = lock.Read(limit * SCORE_RECORD_SIZE);
    if (!bytes)
        return List::Fail(bytes.Status());
    std::vector<ScoreRecord> list;
    for (std::size_t at = 0; at + SCORE_RECORD_SIZE <= bytes->size(); at += SCORE_RECORD_SIZE)
        list.push_back(DecodeRecord(reinterpret_cast<const std::uint8_t*>(bytes->data() + at)));
    return List::Ok(std::move(list));
}

// Whether the locked file is a list the game wrote: whole records, at most fifteen of them.
bool WholeList(const FileLock& lock) {
    const std::uint64_t size = lock.Size();
    return size % SCORE_RECORD_SIZE == 0 && size <= MAX_SCORES * SCORE_RECORD_SIZE;
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

Result<InsertedScore> InsertScore(const std::string& path, const ScoreRecord& record) {
    InsertedScore inserted;
    // Made under a lock held from the reading to the renaming, so that a concurrent insert loses
    // nothing.
    const Result<Replaced> written =
        RewriteFile(path, [&](const FileLock& lock) -> Result<Rewrite> {
            // A list that exists but cannot be read is not replaced by a list of one.
            List read = ReadList(lock, MAX_SCORES);
            if (!read)
                return Result<Rewrite>::Fail(read.Status());
            std::vector<ScoreRecord>& list = *read;
            const std::size_t place = PlaceIn(list, record.seconds, record.moves);
            inserted.place = static_cast<int>(place) + 1;
            if (place >= static_cast<std::size_t>(MAX_SCORES))
                return Result<Rewrite>::Ok({}); // not kept: nothing changes
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(place), record);
            if (list.size() > MAX_SCORES)
                list.resize(MAX_SCORES);
            std::string bytes;
            for (const ScoreRecord& r : list) {
                const auto encoded = EncodeRecord(r);
                bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
            }
            // A file that is not a list the game wrote may be someone's: it is kept beside.
            return Result<Rewrite>::Ok({std::move(bytes), !WholeList(lock)});
        });
    if (!written)
        return Result<InsertedScore>::Fail(written.Status());
    inserted.keptAs = written->keptAs;
    return Result<InsertedScore>::Ok(inserted);
}

Result<std::vector<ScoreRecord>> LoadScores(const std::string& path) {
    const Result<FileLock> lock = LockFile(path, LockKind::Shared);
    if (!lock)
        return List::Fail(lock.Status());
    if (!lock->Exists())
        return List::Fail(path + ": no such file", FILE_ERROR_NOT_FOUND);
    List records = ReadList(*lock, MAX_LOADED_RECORDS);
    if (records && records->empty())
        return List::Fail(path + ": no records");
    return records;
}

} // namespace zembro
