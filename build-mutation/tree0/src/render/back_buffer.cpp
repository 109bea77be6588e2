// Setting up the back buffer's header and surface.
#include "render/back_buffer.h"

namespace zembro {

void CreateBackBuffer(BackBuffer& buffer, RowOrder order) {
    BitmapInfoHeader& h = buffer.header;
    h = BitmapInfoHeader{};
    h.biBitCount = 16;
    h.biCompression = 0;
    h.biWidth = SCREEN_WIDTH;
    h.biHeight = order == RowOrder::BottomUp ? SCREEN_HEIGHT : -SCREEN_HEIGHT;
}

void CreateSurface(BackBuffer& buffer) {
    buffer.pixels.assign(static_cast<std::size_t>(RowStride(SCREEN_WIDTH, 16) / 2 * SCREEN_HEIGHT),
                         0);
}

} // namespace zembro
