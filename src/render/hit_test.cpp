// The cell hit test over the diamond board.
#include "render/hit_test.h"

namespace zembro {

const std::uint16_t latticeOddRows[8][7] = {
    {0, 0, 0, 0x0101, 0, 0, 0},
    {0, 0, 0x0301, 0x0202, 0x0103, 0, 0},
    {0, 0x0501, 0x0402, 0x0303, 0x0204, 0x0105, 0},
    {0x0701, 0x0602, 0x0503, 0x0404, 0x0305, 0x0206, 0x0107},
    {0x0802, 0x0703, 0x0604, 0x0505, 0x0406, 0x0307, 0x0208},
    {0, 0x0804, 0x0705, 0x0606, 0x0507, 0x0408, 0},
    {0, 0, 0x0806, 0x0707, 0x0608, 0, 0},
    {0, 0, 0, 0x0808, 0, 0, 0},
};

const std::uint16_t latticeEvenRows[7][8] = {
    {0, 0, 0, 0x0201, 0x0102, 0, 0, 0},
    {0, 0, 0x0401, 0x0302, 0x0203, 0x0104, 0, 0},
    {0, 0x0601, 0x0502, 0x0403, 0x0304, 0x0205, 0x0106, 0},
    {0x0801, 0x0702, 0x0603, 0x0504, 0x0405, 0x0306, 0x0207, 0x0108},
    {0, 0x0803, 0x0704, 0x0605, 0x0506, 0x0407, 0x0308, 0},
    {0, 0, 0x0805, 0x0706, 0x0607, 0x0508, 0, 0},
    {0, 0, 0, 0x0807, 0x0708, 0, 0, 0},
};

Pixel SampleSpritePixel(const Sprite& sprite, int sx, int sy) {
    if (sprite.Empty())
        return 0;
    if (sx < 0 || sx >= sprite.Width() || sy < 0 || sy >= sprite.Height())
        return sprite.pixels[0];
    return sprite.View().StoredRow(sy)[sx];
}

namespace {

bool OnPicture(const Sprite& cell, int placeX, int placeY, int x, int y) {
    return SampleSpritePixel(cell, x - placeX, y - placeY) != SampleSpritePixel(cell, -1, -1);
}

constexpr CellHit NO_CELL{HitResult::NoCell, 0, 0};

} // namespace

CellHit HitTestCell(const Sprite& cellEmpty, int x, int y) {
    if (!BOARD_AREA.Contains(x, y))
        return {};

    // The smallest band whose far edge reaches the point: a point on a border belongs to the
    // band above it or to its left.
    int k = 1;
    while (BOARD_AREA.top + BAND_HEIGHT * k < y)
        ++k;
    int m = 1;
    while (BOARD_AREA.left + BAND_WIDTH * m < x)
        ++m;
    const int left = BOARD_AREA.left + BAND_WIDTH * (m - 1);
    const int top = BOARD_AREA.top + BAND_HEIGHT * (k - 1);
    const int bandB = 2 * m - 2, bandC = 2 * k - 2;
    // Half a band apart lie the cells of the other lattice; the left half is taken one pixel
    // wider (50 of 98), and the cell picture tried there one pixel nearer (48 to the left).
    const int halfHeight = BAND_HEIGHT / 2, halfWidth = BAND_WIDTH / 2;
    const bool upper = y < top + halfHeight;
    const bool leftHalf = x < left + halfWidth + 1;

    int b = 0, c = 0;
    if (OnPicture(cellEmpty, left, upper ? top - halfHeight : top + halfHeight, x, y)) {
        b = bandB + 1;
        c = upper ? bandC : bandC + 2;
    } else if (OnPicture(cellEmpty, leftHalf ? left - (halfWidth - 1) : left + halfWidth + 1, top,
                         x, y)) {
        b = leftHalf ? bandB : bandB + 2;
        c = bandC + 1;
    } else {
        return NO_CELL;
    }
    if (b < 1 || b > 15 || c < 1 || c > 15)
        return NO_CELL;

    const std::uint16_t entry = c % 2 == 1 ? latticeOddRows[(c - 1) / 2][(b - 1) / 2]
                                           : latticeEvenRows[(c - 1) / 2][(b - 1) / 2];
    if (entry == 0)
        return NO_CELL;
    return {HitResult::Cell, entry % 256, entry / 256};
}

} // namespace zembro
