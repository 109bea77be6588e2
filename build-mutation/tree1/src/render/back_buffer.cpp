// Setting up the back buffer's header and surface.
#include "render/back_buffer.h"

namespace zembro {

bool CreateBackBuffer(BackBuffer& buffer, const std::optional<BitmapInfoHeader>& recommended) {
    BitmapInfoHeader& h = buffer.header;
    if (recommended) {
        h = *recommended;
        buffer.recommendedHeight = recommended->biHeight;
    } else {
        h = BitmapInfoHeader{};
    }
    h.biBitCount = 16;
    h.biCompression = 0;
    h.biWidth = SCREEN_WIDTH;
    h.biHeight = buffer.recommendedHeight > 0 ? SCREEN_HEIGHT : -SCREEN_HEIGHT;
    buffer.created = true;
    return true;
}

void CreateSurface(BackBuffer& buffer) {
    buffer.pixels.assign(static_cast<std::size_t>(RowStride(SCREEN_WIDTH, 16) / 2 * SCREEN_HEIGHT),
                         0);
}

} // namespace zembro
