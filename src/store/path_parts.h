// The folder and the last name of a path as the game's files are named: a bare name lives in
// the current folder.
#pragma once

#include <filesystem>
#include <string>

namespace zembro {

inline std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

inline std::string BaseOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

} // namespace zembro
