// BMP files drawn straight from the bytes compiled in.
#include "platform/win32/win32_bitmaps.h"
#include "store/windows/windows_api.h"

#include "platform/resources.h"

#include <cstring>

namespace zembro::platform {

PackedBitmap UnpackBitmap(std::span<const std::uint8_t> file) {
    BITMAPFILEHEADER head{};
    BITMAPINFOHEADER info{};
    if (file.size() < sizeof head + sizeof info)
        return {};
    std::memcpy(&head, file.data(), sizeof head);
    std::memcpy(&info, file.data() + sizeof head, sizeof info);
    if (head.bfType != 0x4D42 || head.bfOffBits >= file.size() || info.biWidth <= 0)
        return {};
    PackedBitmap packed;
    packed.info = reinterpret_cast<const BITMAPINFO*>(file.data() + sizeof head);
    packed.bits = file.data() + head.bfOffBits;
    packed.width = info.biWidth;
    packed.height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    return packed;
}

bool DrawProgramBitmap(HDC dc, int id, int x, int y, int scale) {
    const PackedBitmap bitmap = UnpackBitmap(ProgramBitmap(id));
    if (!bitmap)
        return false;
    // Each pixel a sharp block, as the scene's.
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchDIBits(dc, x, y, bitmap.width * scale, bitmap.height * scale, 0, 0, bitmap.width,
                    bitmap.height, bitmap.bits, bitmap.info, DIB_RGB_COLORS, SRCCOPY);
    return true;
}

HBITMAP CreateProgramBitmap(int id, int scale) {
    const PackedBitmap bitmap = UnpackBitmap(ProgramBitmap(id));
    if (!bitmap)
        return nullptr;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP made =
        ::CreateCompatibleBitmap(screen, bitmap.width * scale, bitmap.height * scale);
    if (memory != nullptr && made != nullptr) {
        const HGDIOBJ before = ::SelectObject(memory, made);
        DrawProgramBitmap(memory, id, 0, 0, scale);
        ::SelectObject(memory, before);
    }
    if (memory != nullptr)
        ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return made;
}

} // namespace zembro::platform
