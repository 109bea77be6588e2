// Opaque runs: built at load, drawn with one block copy each.
#include "render/opaque_runs.h"

#include "render/blitters.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zembro {

void IndexOpaqueRuns(Sprite& sprite) {
    sprite.runs.clear();
    sprite.rowRuns.clear();
    if (sprite.Empty() || sprite.Width() > 0xFFFF)
        return;
    const Pixel key = sprite.pixels[0];
    const int width = sprite.Width();
    const ConstPixelView view = std::as_const(sprite).View();
    for (int row = 0; row < sprite.Height(); ++row) {
        sprite.rowRuns.push_back(static_cast<std::uint32_t>(sprite.runs.size()));
        const Pixel* p = view.StoredRow(row);
        for (int x = 0; x < width;) {
            if (p[x] == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && p[x] != key)
                ++x;
            sprite.runs.push_back(
                {static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(x - start)});
        }
    }
    sprite.rowRuns.push_back(static_cast<std::uint32_t>(sprite.runs.size()));
}

bool DrawKeyedRuns(PixelView dst, int x, int y, const Sprite& sprite) {
    if (sprite.rowRuns.empty())
        return DrawKeyed(dst, x, y, sprite.View());
    const int w = sprite.Width(), h = sprite.Height();
    const Rect r = Clip(x, y, w, h, dst.width, dst.height);
    if (r.Empty())
        return false;
    const int left = r.left, right = r.right, top = r.top, bottom = r.bottom;
    const ConstPixelView src = sprite.View();
    const std::ptrdiff_t down = dst.Down();
    // The visible columns of the picture; most draws need no clipping at the sides.
    const int from = left - x, to = right - x;
    const bool whole = from == 0 && to == w;

    int stored = h - 1 - (top - y);
    // `out` is the destination pixel of the picture's first visible column.
    Pixel* out = dst.Row(top) + left;
    const Pixel* in = src.StoredRow(stored);
    const OpaqueRun* runs = sprite.runs.data();
    const std::uint32_t* rowRuns = sprite.rowRuns.data();
    for (int row = top; row < bottom; ++row, --stored, out += down, in -= src.stride) {
        const OpaqueRun* run = runs + rowRuns[stored];
        const OpaqueRun* last = runs + rowRuns[stored + 1];
        for (; run != last; ++run) {
            int start = run->start, end = run->start + run->length;
            if (!whole) {
                start = std::max(start, from);
                end = std::min(end, to);
                if (start >= end)
                    continue;
            }
            std::memcpy(out + (start - from), in + start,
                        static_cast<std::size_t>(end - start) * sizeof(Pixel));
        }
    }
    return true;
}

} // namespace zembro
