// The program's own pictures, compiled into the executable: button bitmaps and the about
// picture as BMP files, the icon as PNG files of several sizes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zembro::platform {

// The BMP file of bitmap `id`, empty when the program has none.
std::span<const std::uint8_t> ProgramBitmap(int id);

struct ProgramIconImage {
    int size;
    std::span<const std::uint8_t> png;
};
// Every size of icon `id`.
std::vector<ProgramIconImage> ProgramIcon(int id);

} // namespace zembro::platform
