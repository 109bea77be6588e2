// The program's BMP resources as Windows draws them: the header and bits inside the file bytes.
#pragma once

#include "store/windows/windows_api.h"
#include <cstdint>
#include <span>

namespace zembro::platform {

struct PackedBitmap {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
    int width = 0, height = 0;
    explicit operator bool() const { return info != nullptr; }
};

// The header and the bits of a BMP file, when it is whole; nothing otherwise.
PackedBitmap UnpackBitmap(std::span<const std::uint8_t> file);

// Program bitmap `id` drawn at (x, y) of `dc`, each pixel `scale` device pixels a side; false
// when the program has none.
bool DrawProgramBitmap(HDC dc, int id, int x, int y, int scale = 1);

// Program bitmap `id` as a device bitmap, each pixel `scale` device pixels a side (the caller
// deletes it); null when the program has none.
HBITMAP CreateProgramBitmap(int id, int scale = 1);

} // namespace zembro::platform
