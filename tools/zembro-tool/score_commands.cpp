// zembro-tool scores, rank and insert: the score file as the ranking and the end of a game use it.
#include "store/cp1252.h"
#include "store/file_replace.h"
#include "store/score_file.h"
#include "tool_args.h"
#include "tool_commands.h"
#include "ui/ranking_dialog.h"

#include <cstdio>
#include <iostream>

namespace zembro::tool {
namespace {

constexpr std::int64_t INT32_LOW = -2147483648ll, INT32_HIGH = 2147483647ll;

std::optional<std::int32_t> Int32Arg(const std::string& text, const char* what) {
    const std::optional<std::int64_t> value = ParseDecimal(text, INT32_LOW, INT32_HIGH);
    if (!value) {
        Fail(std::string(what) + " must be a 32-bit whole number, not '" + text + "'");
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

// "YYYY-MM-DD HH:MM" as local date and time fields.
std::optional<std::tm> DateTimeArg(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%n", &year, &month, &day, &hour, &minute,
                    &consumed) != 5 ||
        static_cast<std::size_t>(consumed) != text.size() || month < 1 || month > 12 || day < 1 ||
        day > 31 || hour > 23 || minute > 59 || year < 1900) {
        Fail("the date and time must read YYYY-MM-DD HH:MM, not '" + text + "'");
        return std::nullopt;
    }
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

} // namespace

int RunScores(const Args& args) {
    if (args.size() != 1)
        return Fail("usage: zembro-tool scores RECFILE", EXIT_USAGE);
    const Result<std::vector<ScoreRecord>> records = LoadScores(args[0]);
    if (!records)
        return Fail(records.Reason());
    for (std::size_t i = 0; i < records->size(); ++i) {
        const ScoreRecord& r = (*records)[i];
        const RankingDetails d = DetailsOf(r);
        std::cout << RankingLine(static_cast<int>(i), r) << '\n'
                  << d.date << '\n'
                  << d.time << '\n'
                  << d.penalty << '\n'
                  << d.kinds << '\n'
                  << d.fixed << '\n';
    }
    return EXIT_OK;
}

int RunRank(const Args& args) {
    if (args.size() != 3)
        return Fail("usage: zembro-tool rank RECFILE SECONDS MOVES", EXIT_USAGE);
    const std::optional<std::int32_t> seconds = Int32Arg(args[1], "SECONDS");
    const std::optional<std::int32_t> moves = seconds ? Int32Arg(args[2], "MOVES") : std::nullopt;
    if (!moves)
        return EXIT_BAD_INPUT;
    // Truncated as the end of a game truncates them.
    const Result<int> place = RankFor(args[0], StoredSeconds(*seconds), StoredMoves(*moves));
    if (!place)
        return Fail(place.Reason());
    std::cout << *place << '\n';
    return EXIT_OK;
}

int RunInsert(const Args& args) {
    if (args.size() != 8)
        return Fail("usage: zembro-tool insert RECFILE NAME SECONDS MOVES PENALTY FIXED KINDS "
                    "\"YYYY-MM-DD HH:MM\"",
                    EXIT_USAGE);
    std::optional<std::int32_t> numbers[5];
    const char* names[] = {"SECONDS", "MOVES", "PENALTY", "FIXED", "KINDS"};
    for (std::size_t i = 0; i < 5; ++i)
        if (!(numbers[i] = Int32Arg(args[2 + i], names[i])))
            return EXIT_BAD_INPUT;
    const std::optional<std::tm> when = DateTimeArg(args[7]);
    if (!when)
        return EXIT_BAD_INPUT;
    OptionValues settings;
    settings.penalty = *numbers[2];
    settings.fixedCells = *numbers[3];
    settings.kindsUsed = *numbers[4];
    const ScoreRecord record =
        MakeRecord(Utf8ToCp1252(args[1]), *numbers[0], *numbers[1], *when, settings);
    const Result<InsertedScore> inserted = InsertScore(args[0], record);
    if (!inserted)
        return Fail(inserted.Reason());
    if (!inserted->keptAs.empty())
        std::cerr << "zembro-tool: " << args[0] << ": not a whole list; kept as "
                  << inserted->keptAs << ", its whole records carried over\n";
    std::cout << inserted->place << '\n';
    return EXIT_OK;
}

} // namespace zembro::tool
