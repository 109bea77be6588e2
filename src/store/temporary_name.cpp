// Temporary names beside the game's files, made and recognised.
#include "store/temporary_name.h"

#include <charconv>

namespace zembro {

std::string TemporaryName(const std::string& name, std::optional<unsigned long> process) {
    // Appended piece by piece: "." + name trips a false -Wrestrict of mingw's g++ 12 at -O3.
    std::string temporary(1, '.');
    temporary += name;
    if (process) {
        temporary += '.';
        temporary += std::to_string(*process);
    }
    temporary += TEMPORARY_SUFFIX;
    return temporary;
}

std::optional<unsigned long> TemporaryWriter(std::string_view entry, const std::string& name) {
    std::string prefix(1, '.');
    prefix += name;
    if (entry.size() < prefix.size() + TEMPORARY_SUFFIX.size() || !entry.starts_with(prefix) ||
        !entry.ends_with(TEMPORARY_SUFFIX))
        return std::nullopt;
    std::string_view middle =
        entry.substr(prefix.size(), entry.size() - prefix.size() - TEMPORARY_SUFFIX.size());
    if (middle.empty())
        return 0;
    if (!middle.starts_with('.'))
        return std::nullopt;
    middle.remove_prefix(1);
    unsigned long process = 0;
    const auto [end, error] =
        std::from_chars(middle.data(), middle.data() + middle.size(), process);
    if (error != std::errc() || end != middle.data() + middle.size() || process == 0)
        return std::nullopt;
    return process;
}

} // namespace zembro
