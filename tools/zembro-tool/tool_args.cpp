// Argument parsing and error reporting for zembro-tool.
#include "tool_args.h"

#include "store/regular_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

namespace zembro::tool {

int Fail(std::string_view message, int exitCode) {
    std::cerr << "zembro-tool: " << message << '\n';
    return exitCode;
}

std::optional<int> ParseCoordinate(std::string_view text, std::string_view what) {
    const std::optional<std::int64_t> value = ParseDecimal(text, 1, 8);
    if (!value) {
        Fail(std::string(what) + " must be a number from 1 to 8, not '" + std::string(text) + "'");
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
    // Board files are a few hundred bytes; anything much larger is not one.
    constexpr std::size_t LIMIT = 64 * 1024;
    const Result<FilePtr> file = OpenForReading(path);
    if (!file) {
        Fail("cannot open " + file.Reason());
        return std::nullopt;
    }
    std::string text(LIMIT + 1, '\0');
    const std::size_t size = std::fread(text.data(), 1, text.size(), file->get());
    if (std::ferror(file->get())) {
        Fail("cannot read " + path);
        return std::nullopt;
    }
    if (size > LIMIT) {
        Fail(path + " is too large for a board file");
        return std::nullopt;
    }
    text.resize(size);
    return text;
}

int RunScript(const std::function<Result<bool>(const std::string& line)>& apply) {
    constexpr std::size_t MAX_LINE = 1000; // script lines are short; a longer one is none
    std::string line;
    for (int lineNumber = 1; std::getline(std::cin, line); ++lineNumber) {
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.size() > MAX_LINE)
            return Fail(where + "longer than 1000 characters");
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#')
            continue;
        const Result<bool> won = apply(line);
        if (!won)
            return Fail(where + won.Reason());
        if (*won)
            break;
    }
    return EXIT_OK;
}

} // namespace zembro::tool
