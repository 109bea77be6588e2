// Fuzz target: the score file. The fuzzed bytes are the file; ranking, inserting and loading must
// keep the list whole, ordered and at most fifteen records long.
#include "fuzz_files.h"
#include "store/score_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    static const std::string path = fuzz::MakeFolder("scores") + "/Zembro.rec";
    fuzz::WriteFile(path, data, size);

    const auto seconds = static_cast<std::int16_t>(size >= 2 ? data[0] | data[1] << 8 : 0);
    const std::uint8_t moves = size >= 3 ? data[2] : 0;
    const Result<int> place = RankFor(path, seconds, moves);
    if (!place || *place < 1 || *place > 16)
        __builtin_trap();
    LoadScores(path);

    std::tm when{};
    OptionValues settings;
    const ScoreRecord record = MakeRecord("fuzz", seconds, moves, when, settings);
    const Result<InsertedScore> inserted = InsertScore(path, record);
    if (!inserted)
        return 0;
    if (inserted->place != *place)
        __builtin_trap(); // the place it went to is the place it was promised
    struct stat written {};
    stat(path.c_str(), &written);
    if (inserted->place > 15)
        return written.st_size == static_cast<off_t>(size) ? 0 : (__builtin_trap(), 0);
    if (written.st_size % 48 != 0 || written.st_size > 15 * 48 || written.st_size == 0)
        __builtin_trap();
    const Result<std::vector<ScoreRecord>> list = LoadScores(path);
    if (!list)
        __builtin_trap();
    return 0;
}
