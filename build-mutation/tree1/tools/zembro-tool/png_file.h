// Writing a 16-bit 5-5-5 surface as a PNG picture.
#pragma once

#include "render/bitmap_header.h"

#include <string>

namespace zembro::tool {

// Writes the picture (either row order) as 8-bit RGB; false with `error` set on failure.
bool WritePng(const std::string& path, const BitmapInfoHeader& header, const Pixel* bits,
              std::string& error);

} // namespace zembro::tool
