// BMP pixel rows to 16-bit 5-5-5 sprites: palettes, 16/24/32-bit colours, run-length data.
#include "render/bmp_reader.h"

#include <bit>

namespace zembro {
namespace {

// One colour channel taken from a masked value and brought to five bits: the top five bits of a
// wider channel, a narrower one repeated to fill five.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m != 0) {
            shift = std::countr_zero(m);
            bits = std::popcount(m);
        }
    }
    std::uint32_t Five(std::uint32_t value) const {
        if (bits == 0)
            return 0;
        const std::uint32_t v = (value & mask) >> shift;
        if (bits >= 5)
            return v >> (bits - 5);
        std::uint32_t out = 0;
        for (int filled = 0; filled < 5; filled += bits)
            out = (out << bits) | v;
        return out >> (((5 + bits - 1) / bits) * bits - 5);
    }
};

struct MaskedColour {
    Channel red, green, blue;
    explicit MaskedColour(const std::array<std::uint32_t, 3>& m)
        : red(m[0]), green(m[1]), blue(m[2]) {}
    Pixel operator()(std::uint32_t value) const {
        return static_cast<Pixel>(red.Five(value) << 10 | green.Five(value) << 5 |
                                  blue.Five(value));
    }
};

std::vector<Pixel> PaletteTo16(const std::vector<std::uint32_t>& palette) {
    std::vector<Pixel> table(256, 0); // indices past the palette show black
    for (std::size_t i = 0; i < palette.size() && i < table.size(); ++i) {
        const std::uint32_t c = palette[i];
        table[i] = PixelFromRgb(static_cast<std::uint8_t>(c >> 16),
                                static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c));
    }
    return table;
}

// Destination row for the file's row `fileRow`, in the sprite's bottom-up order.
Pixel* RowOf(Sprite& sprite, const BmpLayout& layout, int fileRow) {
    const int row = layout.topDown ? layout.height - 1 - fileRow : fileRow;
    return sprite.View().StoredRow(row);
}

void DecodeRows(const BmpLayout& layout, Sprite& sprite) {
    const std::size_t stride = static_cast<std::size_t>(RowStride(layout.width, layout.bitCount));
    const std::vector<Pixel> table =
        layout.bitCount <= 8 ? PaletteTo16(layout.palette) : std::vector<Pixel>{};
    const MaskedColour masked(layout.masks);
    const bool stored555 = layout.bitCount == 16 &&
                           layout.masks == std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
    const bool plain32 = layout.bitCount == 32 &&
                         layout.masks == std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    const int w = layout.width;

    for (int y = 0; y < layout.height; ++y) {
        const std::uint8_t* src = layout.pixelData.data() + stride * static_cast<std::size_t>(y);
        Pixel* dst = RowOf(sprite, layout, y);
        switch (layout.bitCount) {
        case 1:
        case 2:
        case 4: {
            const int bits = layout.bitCount;
            const int perByte = 8 / bits;
            const unsigned valueMask = (1u << bits) - 1;
            for (int x = 0; x < w; ++x) {
                const int shift = 8 - bits * (x % perByte + 1);
                dst[x] = table[(static_cast<unsigned>(src[x / perByte]) >> shift) & valueMask];
            }
            break;
        }
        case 8:
            for (int x = 0; x < w; ++x)
                dst[x] = table[src[x]];
            break;
        case 16:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v =
                    static_cast<std::uint32_t>(src[2 * x] | src[2 * x + 1] << 8);
                // Bit 15 is not part of the format; kept clear so blending stays within 5-5-5.
                dst[x] = stored555 ? static_cast<Pixel>(v & 0x7FFF) : masked(v);
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                dst[x] = PixelFromRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            break;
        case 32:
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = src + 4 * x;
                dst[x] = plain32 ? PixelFromRgb(p[2], p[1], p[0])
                                 : masked(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
                                          std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24);
            }
            break;
        default:
            break;
        }
    }
}

// Run-length data: counted runs of one index, escapes for end of line, end of picture, a move,
// and literal runs padded to whole 16-bit words. Pixels the data never sets keep index 0.
IoResult DecodeRunLengths(const BmpLayout& layout, Sprite& sprite) {
    const bool nibbles = layout.encoding == BmpEncoding::Rle4;
    const std::vector<Pixel> table = PaletteTo16(layout.palette);
    const std::span<const std::uint8_t> data = layout.pixelData;
    const int w = layout.width, h = layout.height;
    for (int y = 0; y < h; ++y)
        std::fill_n(RowOf(sprite, layout, y), w, table[0]);

    int x = 0, y = 0;
    std::size_t i = 0;
    auto put = [&](int index) {
        RowOf(sprite, layout, y)[x++] = table[static_cast<std::size_t>(index)];
    };
    auto fits = [&](int count) { return y < h && count <= w - x; };
    while (i + 1 < data.size()) {
        const int count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            if (!fits(count)) {
                return IoResult::Fail("run-length data runs off the picture");
            }
            for (int k = 0; k < count; ++k)
                put(nibbles ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value);
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of picture
            return IoResult::Ok();
        } else if (value == 2) { // move right and up
            if (i + 1 >= data.size())
                break;
            x += data[i];
            y += data[i + 1];
            i += 2;
            if (x > w || y > h) {
                return IoResult::Fail("a run-length move leaves the picture");
            }
        } else { // a literal run of `value` pixels
            const std::size_t bytes = nibbles ? (static_cast<std::size_t>(value) + 1) / 2
                                              : static_cast<std::size_t>(value);
            if (!fits(value) || bytes > data.size() - i) {
                return IoResult::Fail("run-length data runs off the picture");
            }
            for (int k = 0; k < value; ++k) {
                const std::uint8_t b = data[i + static_cast<std::size_t>(nibbles ? k / 2 : k)];
                put(nibbles ? (k % 2 == 0 ? b >> 4 : b & 0x0F) : b);
            }
            i += (bytes + 1) & ~std::size_t{1};
        }
    }
    // Data that stops without its end mark leaves the rest of the picture unset.
    return IoResult::Ok();
}

} // namespace

Result<Sprite> ConvertTo16(const BmpLayout& layout) {
    Sprite sprite = MakeSprite(layout.width, layout.height);
    if (layout.encoding == BmpEncoding::Rle8 || layout.encoding == BmpEncoding::Rle4) {
        if (const IoResult decoded = DecodeRunLengths(layout, sprite); !decoded)
            return Result<Sprite>::Fail(decoded);
    } else {
        DecodeRows(layout, sprite);
    }
    // A 16-bit 5-5-5 file keeps its header; every converted picture gets a plain 16-bit one.
    const bool keepsHeader = layout.bitCount == 16 &&
                             layout.masks == std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
    if (keepsHeader) {
        sprite.header = layout.header;
        sprite.header.biHeight = layout.height;
    }
    return Result<Sprite>::Ok(std::move(sprite));
}

} // namespace zembro
