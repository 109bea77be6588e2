// Replacing a file's contents so that readers only ever see the old or the new file whole.
#pragma once

#include "store/io_result.h"

#include <string>
#include <string_view>

namespace zembro {

// Writes `contents` to a new file beside `path`, flushes it to the disk, and renames it over
// `path`. A crash or a full disk at any point leaves the old file as it was; on failure the
// temporary file is removed.
IoResult ReplaceFileContents(const std::string& path, std::string_view contents);

} // namespace zembro
