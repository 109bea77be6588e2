// Reading and writing options files.
#include "store/options_file.h"

#include "game/settings_schema.h"
#include "store/decimal_text.h"
#include "store/file_replace.h"
#include "store/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace zembro {
namespace {

// A folder name is one word; no file system takes a longer one.
constexpr std::size_t MAX_WORD_LENGTH = 255;
// Longer than any 32-bit decimal number with its sign and leading zeros worth keeping.
constexpr std::size_t MAX_NUMBER_LENGTH = 32;

// Whitespace-separated tokens of a file, read as they are needed: the reader never holds more
// than one token, whatever the file's size.
class Tokens {
  public:
    explicit Tokens(std::FILE* file) : file_(file) {}

    // The next token, or nothing at the end of the file or when it is longer than `limit`.
    std::optional<std::string> Next(std::size_t limit) {
        int c = std::getc(file_);
        while (c != EOF && IsBlank(c))
            c = std::getc(file_);
        std::string token;
        for (; c != EOF && !IsBlank(c); c = std::getc(file_)) {
            if (token.size() == limit || c == '\0')
                return std::nullopt;
            token.push_back(static_cast<char>(c));
        }
        if (token.empty())
            return std::nullopt;
        return token;
    }

  private:
    std::FILE* file_;
};

std::optional<std::int32_t> ParseInt32(const std::string& text) {
    const std::optional<std::int64_t> value = ParseDecimal(
        text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

// Reads the values in order into `values`, stopping at the first that is missing or malformed.
OptionsRead ReadValues(Tokens& tokens, OptionValues& values) {
    int read = 0;
    for (const SettingField& field : SETTING_FIELDS) {
        if (field.kind == SettingKind::Folder) {
            std::optional<std::string> token = tokens.Next(MAX_WORD_LENGTH);
            if (!token)
                return {read, "a folder name is missing or longer than 255 characters"};
            values.*field.folder = std::move(*token);
        } else {
            const std::optional<std::string> token = tokens.Next(MAX_NUMBER_LENGTH);
            const std::optional<std::int32_t> number = token ? ParseInt32(*token) : std::nullopt;
            if (!number)
                return {read,
                        "value " + std::to_string(read + 1) + " is missing or not a 32-bit number"};
            const bool flag = field.kind == SettingKind::Flag;
            values.*field.number = flag ? (*number != 0 ? 1 : 0) : *number;
        }
        ++read;
    }
    return {read, {}};
}

} // namespace

Result<OptionsRead> ReadOptions(const std::string& path, OptionValues& values) {
    const Result<FileLock> lock = LockFile(path, LockKind::Shared);
    const Result<FilePtr> file = lock ? lock->Stream() : Result<FilePtr>::Fail(lock.Status());
    if (!file)
        return Result<OptionsRead>::Fail("cannot open " + file.Reason(), file.Error());
    Tokens tokens(file->get());
    OptionsRead result = ReadValues(tokens, values);

    if (values.kindsUsed >= values.NumMaxPedine) {
        // One below the number of pictures: the last picture is the fixed cell's.
        const std::int32_t limit = values.NumMaxPedine;
        values.kindsUsed = limit == std::numeric_limits<std::int32_t>::min() ? limit : limit - 1;
    }
    if (values.holdToDrag == 1)
        values.reselectAfterMove = 1;
    return Result<OptionsRead>::Ok(std::move(result));
}

std::string FormatOptions(const OptionValues& v) {
    static constexpr const char* LEGEND[] = {
        "// Significato",
        "",
        "directory1 directory2 NumMaxPedine",
        "Inserimento pedine -> 1 = controllato, 0 = casuale",
        "Spazi vuoti -> 1 = a caso nella scacchiera, 0 = sopra e sotto",
        "Selezione persistente -> 0 = Persistente, 1 = occorre riselezionare dopo uno spostamento",
        "Spostamento pedine -> 0 = click e click, 1 = mouse premuto",
        "Visualizzazione percorso -> 1 = di due colori ( giuso, sbagliato ), 0 = solo se giusto",
        "Penalita -> 0 = nessuno, 1 = penalita",
        "Numero di celle fisse -> non si accoppiano ne' spostano",
        "Numero di pedine diverse utilizzate",
    };
    const std::string eol = "\r\n";
    std::string text;
    for (std::size_t i = 0; i < SETTING_FIELDS.size(); ++i) {
        const bool lineEnds =
            i + 1 == SETTING_FIELDS.size() || SETTING_FIELDS[i + 1].line != SETTING_FIELDS[i].line;
        text += SettingText(SETTING_FIELDS[i], v) + (lineEnds ? eol : " ");
    }
    text += eol + eol + eol;
    for (const char* line : LEGEND)
        text += std::string(line) + eol;
    return text;
}

IoResult WriteOptions(const std::string& path, const OptionValues& values) {
    return RewriteFile(path,
                       [&](const FileLock&) {
                           return Result<Rewrite>::Ok({FormatOptions(values), false});
                       })
        .Status();
}

} // namespace zembro
