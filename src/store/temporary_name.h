// The names a writer gives the new file it writes beside the game's file, and how a later
// writer tells them from every other name in the folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zembro {

inline constexpr std::string_view TEMPORARY_SUFFIX = ".zembro-tmp";
// Older than any write takes: a temporary this old is no live writer's.
inline constexpr long long STALE_TEMPORARY_SECONDS = 3600;

// Under the file's lock writers take turns, so one name serves them all and the next one reuses
// what a killed one left, even where the folder cannot be listed; without a lock each writer's
// name carries its process number.
std::string TemporaryName(const std::string& name, std::optional<unsigned long> process);

// The process whose temporary of the file `name` the folder entry `entry` is: 0 for the name
// used under the lock; nothing for any other entry.
std::optional<unsigned long> TemporaryWriter(std::string_view entry, const std::string& name);

} // namespace zembro
