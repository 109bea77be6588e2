// Argument parsing and error reporting for zembro-tool.
#include "tool_args.h"

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

std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min,
                                         std::int64_t max) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    if (i == text.size() || text.size() > 20)
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > max && !negative)
            return std::nullopt;
        if (-value < min && negative)
            return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<int> ParseCoordinate(std::string_view text, std::string_view what) {
    const std::optional<std::int64_t> value = ParseInteger(text, 1, 8);
    if (!value) {
        Fail(std::string(what) + " must be a number from 1 to 8, not '" + std::string(text) + "'");
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
    // Board files are a few hundred bytes; anything much larger is not one.
    constexpr std::size_t LIMIT = 64 * 1024;
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    const std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        Fail("cannot open " + path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    std::string text(LIMIT + 1, '\0');
    const std::size_t size = std::fread(text.data(), 1, text.size(), file.get());
    if (std::ferror(file.get())) {
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

} // namespace zembro::tool
