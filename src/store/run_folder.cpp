// Finding the run folder's settings, pictures and hotspots.
#include "store/run_folder.h"

#include "game/picture_names.h"

#include "store/decimal_text.h"
#include "store/regular_file.h"

#include <cerrno>
#include <cstdio>

namespace zembro {
namespace {

// The system's limit on a path, terminator excluded.
constexpr std::size_t MAX_PATH_LENGTH = 4095;
// Hotspots beyond this are kept at it: a picture never starts farther than that from its cell,
// and positions computed from them stay far from overflowing.
constexpr std::int32_t MAX_HOTSPOT = 65536;

// Reads like a 20-character line buffer: up to 19 characters, stopping after a line end.
// At the end of the file the buffer keeps what it held.
void ReadChunk(std::FILE* file, std::string& buffer) {
    std::string chunk;
    for (int c; chunk.size() < 19 && (c = std::getc(file)) != EOF;) {
        chunk.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (!chunk.empty())
        buffer = std::move(chunk);
}

// A decimal number after optional blanks, as "%d" reads it; saturated at the hotspot limit.
bool ScanNumber(const std::string& text, std::size_t& at, std::int32_t& value) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    const std::optional<LeadingDecimal> number = ScanDecimal(text, at, MAX_HOTSPOT);
    if (!number)
        return false;
    value = static_cast<std::int32_t>(number->value);
    at = number->end;
    return true;
}

} // namespace

void SetImageNames(GameSettings& settings) {
    settings.imageNames = {BOARD_BACKGROUND, BOARD_EMPTY_CELL, BOARD_HIGHLIGHT,
                           BOARD_ALT_HIGHLIGHT};
}

void PrefixFolders(GameSettings& settings, const std::string& runFolder) {
    settings.directory1 = runFolder + "/" + settings.directory1;
    settings.directory2 = runFolder + "/" + settings.directory2;
}

Result<OptionsRead> ReadRunFolderSettings(const std::string& runFolder,
                                          const std::string& dataFolder, GameSettings& settings) {
    SetImageNames(settings);
    Result<OptionsRead> read = ReadOptions(dataFolder + "/" + OPTIONS_FILE_NAME, settings);
    PrefixFolders(settings, runFolder);
    return read;
}

std::optional<std::string> JoinPath(const std::string& folder, const std::string& name) {
    if (folder.size() + 1 + name.size() > MAX_PATH_LENGTH)
        return std::nullopt;
    return folder + "/" + name;
}

Result<std::vector<Hotspot>> ReadHotspots(const std::string& folder, std::size_t count) {
    using Read = Result<std::vector<Hotspot>>;
    const std::optional<std::string> path = JoinPath(folder, BOARD_HOTSPOTS);
    if (!path)
        return Read::Fail(folder + ": the path of " + BOARD_HOTSPOTS + " is too long",
                          FILE_ERROR_NAME_TOO_LONG);
    const Result<FilePtr> file = OpenForReading(*path);
    if (!file)
        return Read::Fail(file.Status());
    std::vector<Hotspot> hotspots(count);
    std::string buffer;
    for (Hotspot& hotspot : hotspots) {
        ReadChunk(file->get(), buffer);
        std::size_t at = 0;
        if (ScanNumber(buffer, at, hotspot.x))
            ScanNumber(buffer, at, hotspot.y);
    }
    return Read::Ok(std::move(hotspots));
}

} // namespace zembro
