// Blitters: row pointers computed once, rows walked by signed strides, only the key test and
// the copy or blend per pixel.
#include "render/blitters.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace zembro {
namespace {

// The inner loops, written as selects over whole spans so the compiler can do many pixels at a
// time: every destination pixel of the span is read and written back, changed or not.
// Built twice, for processors with and without 256-bit vectors; the loader picks one at start.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__) // the loader's ifunc
#define ZEMBRO_SPAN_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define ZEMBRO_SPAN_LOOP
#endif

ZEMBRO_SPAN_LOOP void CopyKeyed(Pixel* to, const Pixel* from, int count, Pixel key) {
    for (int i = 0; i < count; ++i)
        to[i] = from[i] != key ? from[i] : to[i];
}

ZEMBRO_SPAN_LOOP void BlendKeyed(Pixel* to, const Pixel* from, int count, Pixel key) {
    for (int i = 0; i < count; ++i)
        to[i] = from[i] != key ? BlendPixels(from[i], to[i]) : to[i];
}

} // namespace

Rect Clip(int x, int y, int w, int h, int width, int height) {
    const auto left = std::max<std::int64_t>(x, 0), top = std::max<std::int64_t>(y, 0);
    const auto right = std::min<std::int64_t>(std::int64_t{x} + w, width);
    const auto bottom = std::min<std::int64_t>(std::int64_t{y} + h, height);
    if (right <= left || bottom <= top)
        return {0, 0, 0, 0};
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
            static_cast<int>(bottom)};
}

namespace {

// The visible part of a source sub-rectangle drawn at (x, y): clipped against the source and the
// destination. Gives the destination rectangle and moves (sx, sy) with its top-left corner.
Rect ClipSub(int& x, int& y, int& sx, int& sy, int w, int h, ConstPixelView s, PixelView d) {
    if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height)
        return {0, 0, 0, 0};
    w = std::min(w, s.width - sx);
    h = std::min(h, s.height - sy);
    const Rect r = Clip(x, y, w, h, d.width, d.height);
    if (r.Empty())
        return r;
    sx += r.left - x;
    sy += r.top - y;
    x = r.left;
    y = r.top;
    return r;
}

} // namespace

bool DrawKeyed(PixelView d, int x, int y, ConstPixelView s) {
    const Rect r = Clip(x, y, s.width, s.height, d.width, d.height);
    if (r.Empty())
        return false;
    const Pixel key = s.pixels[0];
    const int cols = r.right - r.left;
    // Bottom row first: a bottom-up source walks forward in memory.
    const Pixel* from = s.Row(r.bottom - 1 - y) + (r.left - x);
    Pixel* to = d.Row(r.bottom - 1) + r.left;
    for (int row = r.bottom - r.top; row > 0; --row, from -= s.Down(), to -= d.Down())
        CopyKeyed(to, from, cols, key);
    return true;
}

namespace {

// A sub-rectangle of the source walked top row first: where it starts in both images, how many
// rows and columns are visible, and its key (the source pixel at (sx, sy) before clipping).
struct SubWalk {
    const Pixel* from = nullptr;
    Pixel* to = nullptr;
    std::ptrdiff_t sourceStep = 0, destinationStep = 0;
    int rows = 0, cols = 0;
    Pixel key = 0;
};

std::optional<SubWalk> WalkSub(PixelView d, int x, int y, ConstPixelView s, int sx, int sy, int w,
                               int h) {
    if (sx < 0 || sy < 0 || sx >= s.width || sy >= s.height)
        return std::nullopt;
    SubWalk walk;
    walk.key = s.Row(sy)[sx];
    const Rect r = ClipSub(x, y, sx, sy, w == 0 ? s.width : w, h == 0 ? s.height : h, s, d);
    if (r.Empty())
        return std::nullopt;
    walk.from = s.Row(sy) + sx;
    walk.to = d.Row(r.top) + r.left;
    walk.sourceStep = s.Down();
    walk.destinationStep = d.Down();
    walk.rows = r.bottom - r.top;
    walk.cols = r.right - r.left;
    return walk;
}

} // namespace

void DrawGlyph(PixelView dst, int x, int y, ConstPixelView src, int sx, int sy, int w, int h) {
    const std::optional<SubWalk> walk = WalkSub(dst, x, y, src, sx, sy, w, h);
    if (!walk)
        return;
    const Pixel* from = walk->from;
    Pixel* to = walk->to;
    for (int row = walk->rows; row > 0;
         --row, from += walk->sourceStep, to += walk->destinationStep)
        CopyKeyed(to, from, walk->cols, walk->key);
}

void DrawBlended(PixelView dst, int x, int y, ConstPixelView s) {
    int sx = 0, sy = 0, w = 0, h = 0;
    // Clipping at the top and left replaces the sub-rectangle by the visible rest of the
    // picture, so the first visible pixel becomes the key.
    if (y < 0) {
        h = s.height + y;
        sy = -y;
        y = 0;
        if (h <= 0)
            return;
    }
    if (x < 0) {
        w = s.width + x;
        sx = -x;
        x = 0;
        if (w <= 0)
            return;
    }
    const std::optional<SubWalk> walk = WalkSub(dst, x, y, s, sx, sy, w, h);
    if (!walk)
        return;
    const Pixel* from = walk->from;
    Pixel* to = walk->to;
    for (int row = walk->rows; row > 0;
         --row, from += walk->sourceStep, to += walk->destinationStep)
        BlendKeyed(to, from, walk->cols, walk->key);
}

namespace {

// Walks the rows shared by the screen rectangle at (x, y) and a buffer of its size, bottom row
// first, handing each pair of row spans to `copy`.
template <typename D, typename B, typename Copy>
bool WalkUnder(ImageView<D> d, int x, int y, ImageView<B> buffer, Copy copy) {
    const Rect r = Clip(x, y, buffer.width, buffer.height, d.width, d.height);
    if (r.Empty())
        return false;
    B* row = buffer.Row(r.bottom - 1 - y) + (r.left - x);
    D* screen = d.Row(r.bottom - 1) + r.left;
    const std::size_t bytes = static_cast<std::size_t>(r.right - r.left) * sizeof(Pixel);
    for (int n = r.bottom - r.top; n > 0; --n, row -= buffer.Down(), screen -= d.Down())
        copy(screen, row, bytes);
    return true;
}

} // namespace

bool SaveUnder(ConstPixelView screen, int x, int y, PixelView buffer) {
    return WalkUnder(screen, x, y, buffer, [](const Pixel* from, Pixel* saved, std::size_t bytes) {
        std::memcpy(saved, from, bytes);
    });
}

bool RestoreUnder(PixelView screen, int x, int y, ConstPixelView buffer) {
    return WalkUnder(screen, x, y, buffer, [](Pixel* to, const Pixel* saved, std::size_t bytes) {
        std::memcpy(to, saved, bytes);
    });
}

} // namespace zembro
