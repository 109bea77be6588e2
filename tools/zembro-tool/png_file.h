// Writing a 16-bit 5-5-5 surface as a PNG picture.
#pragma once

#include "render/image_view.h"

#include <string>

namespace zembro::tool {

// Writes the picture (either row order) as 8-bit RGB; false with `error` set on failure.
bool WritePng(const std::string& path, ConstPixelView picture, std::string& error);

} // namespace zembro::tool
