// Comparing a frame with the picture shown, row by row.
#include "render/screen_copy.h"

#include <algorithm>
#include <cstring>

namespace zembro {

std::vector<Rect> ScreenCopy::Take(const BackBuffer& frame) {
    std::vector<Rect> changed;
    if (!frame.HasSurface())
        return changed;
    const ConstPixelView picture = frame.View();
    std::vector<char> marked(SCREEN_HEIGHT, frame.damage.all ? 1 : 0);
    for (const Damage::Box& box : frame.damage.boxes)
        for (int y = std::max(box.top, 0); y < std::min(box.bottom, SCREEN_HEIGHT); ++y)
            marked[static_cast<std::size_t>(y)] = 1;
    Rect band{SCREEN_WIDTH, -1, 0, -1};
    const auto close = [&](int bottom) {
        if (band.top >= 0)
            changed.push_back({band.left, band.top, band.right, bottom});
        band = {SCREEN_WIDTH, -1, 0, -1};
    };
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const Pixel* from = picture.Row(y);
        auto* to = pixels_.data() + static_cast<std::size_t>(y) * SCREEN_WIDTH;
        if (marked[static_cast<std::size_t>(y)] == 0 ||
            std::memcmp(from, to, SCREEN_WIDTH * sizeof(Pixel)) == 0) {
            close(y);
            continue;
        }
        int first = 0, last = SCREEN_WIDTH - 1;
        while (from[first] == to[first])
            ++first;
        while (from[last] == to[last])
            --last;
        std::memcpy(to + first, from + first,
                    static_cast<std::size_t>(last - first + 1) * sizeof(Pixel));
        if (band.top < 0)
            band.top = y;
        band.left = std::min(band.left, first);
        band.right = std::max(band.right, last + 1);
    }
    close(SCREEN_HEIGHT);
    return changed;
}

} // namespace zembro
