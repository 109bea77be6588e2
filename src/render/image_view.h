// A view of 16-bit pixels laid out in rows: the pixels, the size, the step from one stored row to
// the next, and which end of the picture the stored rows start from. The blitters draw from one
// view into another, whatever the row order of either.
#pragma once

#include "render/bitmap_header.h"

#include <cstddef>
#include <type_traits>

namespace zembro {

enum class RowOrder { BottomUp, TopDown };

template <typename P> struct ImageView {
    P* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // in pixels
    RowOrder order = RowOrder::BottomUp;

    // Row r of the picture, counted from its top.
    P* Row(int r) const {
        return pixels + stride * (order == RowOrder::BottomUp ? height - 1 - r : r);
    }
    // Row s as stored, counted from the first in memory.
    P* StoredRow(int s) const { return pixels + stride * s; }
    // The memory step from one picture row to the one below it.
    std::ptrdiff_t Down() const { return order == RowOrder::BottomUp ? -stride : stride; }

    operator ImageView<const P>() const requires(!std::is_const_v<P>) {
        return {pixels, width, height, stride, order};
    }
};

using PixelView = ImageView<Pixel>;
using ConstPixelView = ImageView<const Pixel>;

// The view of 16-bit pixels a header describes: a positive height is bottom-up rows.
template <typename P> ImageView<P> ViewOf(const BitmapInfoHeader& header, P* pixels) {
    return {pixels, header.biWidth, AbsHeight(header), RowPixels(header.biWidth),
            header.biHeight > 0 ? RowOrder::BottomUp : RowOrder::TopDown};
}

} // namespace zembro
