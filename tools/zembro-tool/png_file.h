// Writing a 16-bit 5-5-5 surface as a PNG picture.
#pragma once

#include "base/result.h"
#include "render/image_view.h"

#include <string>

namespace zembro::tool {

// Writes the picture (either row order) as 8-bit RGB, or says why it could not.
IoResult WritePng(const std::string& path, ConstPixelView picture);

} // namespace zembro::tool
