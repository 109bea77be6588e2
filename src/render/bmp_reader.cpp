// BMP headers: file header, the OS/2 and Windows info headers, colour masks and palettes.
#include "render/bmp_reader.h"

#include "store/regular_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace zembro {
namespace {

constexpr std::size_t FILE_HEADER_SIZE = 14;
constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3,
                        BI_ALPHABITFIELDS = 6;

// Little-endian reads at offsets the caller has checked.
struct Bytes {
    std::span<const std::uint8_t> data;

    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= data.size() && count <= data.size() - offset;
    }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
    }
    std::uint32_t U32(std::size_t at) const {
        return static_cast<std::uint32_t>(data[at]) |
               static_cast<std::uint32_t>(data[at + 1]) << 8 |
               static_cast<std::uint32_t>(data[at + 2]) << 16 |
               static_cast<std::uint32_t>(data[at + 3]) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
};

bool IsKnownHeaderSize(std::uint32_t size) {
    switch (size) {
    case 12: // OS/2 1.x
    case 16: // OS/2 2.x, short form
    case 40: // Windows
    case 52:
    case 56: // with colour masks
    case 64: // OS/2 2.x
    case 108:
    case 124: // with colour spaces
        return true;
    default:
        return false;
    }
}

// A mask is one run of set bits (or none), and no two masks share a bit.
bool MasksAreSound(const std::array<std::uint32_t, 3>& masks, int bitCount) {
    const std::uint64_t limit = (std::uint64_t{1} << bitCount) - 1;
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : masks) {
        if (mask > limit || (mask & seen) != 0)
            return false;
        if (mask != 0) {
            const std::uint32_t run = mask >> std::countr_zero(mask);
            if ((run & (run + 1)) != 0)
                return false;
        }
        seen |= mask;
    }
    return true;
}

Result<BmpLayout> Fail(const std::string& why) {
    return Result<BmpLayout>::Fail(why);
}

// The info header's fields, and the size of the palette's entries it implies.
std::size_t ReadInfoHeader(const Bytes& in, std::uint32_t headerSize, BitmapInfoHeader& h) {
    const std::size_t at = FILE_HEADER_SIZE;
    if (headerSize == 12) {
        h.biWidth = in.U16(at + 4);
        h.biHeight = static_cast<std::int16_t>(in.U16(at + 6));
        h.biPlanes = in.U16(at + 8);
        h.biBitCount = in.U16(at + 10);
        return 3;
    }
    h.biWidth = in.I32(at + 4);
    h.biHeight = in.I32(at + 8);
    h.biPlanes = in.U16(at + 12);
    h.biBitCount = in.U16(at + 14);
    if (headerSize >= 40) {
        h.biCompression = in.U32(at + 16);
        h.biSizeImage = in.U32(at + 20);
        h.biXPelsPerMeter = in.I32(at + 24);
        h.biYPelsPerMeter = in.I32(at + 28);
        h.biClrUsed = in.U32(at + 32);
        h.biClrImportant = in.U32(at + 36);
    }
    return 4;
}

// The size, planes and depth: a reason when the picture is not one this reader takes.
std::string CheckGeometry(const BitmapInfoHeader& h, BmpLayout& layout) {
    const std::int64_t width = h.biWidth;
    const std::int64_t height = h.biHeight < 0 ? -std::int64_t{h.biHeight} : h.biHeight;
    if (width < 1 || height < 1)
        return "the picture has no width or no height";
    if (width > BMP_MAX_WIDTH || height > BMP_MAX_HEIGHT)
        return "the picture is too large (" + std::to_string(width) + " x " +
               std::to_string(height) + "; at most " + std::to_string(BMP_MAX_WIDTH) + " x " +
               std::to_string(BMP_MAX_HEIGHT) + ")";
    if (h.biPlanes != 1)
        return "the picture has " + std::to_string(h.biPlanes) + " planes instead of 1";
    const int bits = h.biBitCount;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "unsupported bits per pixel: " + std::to_string(bits);
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.topDown = h.biHeight < 0;
    layout.bitCount = bits;
    return {};
}

// The encoding the compression names; `masksSize` is the size of the colour masks it brings.
std::string ChooseEncoding(const BitmapInfoHeader& h, std::uint32_t headerSize, BmpLayout& layout,
                           std::size_t& masksSize) {
    const int bits = layout.bitCount;
    // OS/2 2.x gives compression 3 and 4 other meanings (Huffman, 24-bit run lengths).
    const bool os2 = headerSize == 16 || headerSize == 64;
    masksSize = 0;
    switch (h.biCompression) {
    case BI_RGB:
        layout.encoding = BmpEncoding::Rgb;
        break;
    case BI_RLE8:
        layout.encoding = BmpEncoding::Rle8;
        if (bits != 8)
            return "8-bit run lengths in a " + std::to_string(bits) + "-bit picture";
        break;
    case BI_RLE4:
        layout.encoding = BmpEncoding::Rle4;
        if (bits != 4)
            return "4-bit run lengths in a " + std::to_string(bits) + "-bit picture";
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (os2)
            return "unsupported OS/2 compression " + std::to_string(h.biCompression);
        if (bits != 16 && bits != 32)
            return "colour masks in a " + std::to_string(bits) + "-bit picture";
        layout.encoding = BmpEncoding::BitFields;
        masksSize = h.biCompression == BI_BITFIELDS ? 12 : 16;
        break;
    default:
        return "unsupported compression " + std::to_string(h.biCompression);
    }
    if (layout.topDown &&
        (layout.encoding == BmpEncoding::Rle8 || layout.encoding == BmpEncoding::Rle4))
        return "run-length pictures cannot be stored top-down";
    return {};
}

// The colour masks: inside the larger headers, right after a 40-byte one, or the defaults of
// 16 and 32 bits. Moves `paletteStart` past masks that follow the header.
std::string ReadMasks(const Bytes& in, std::uint32_t headerSize, std::size_t masksSize,
                      BmpLayout& layout, std::size_t& paletteStart) {
    const int bits = layout.bitCount;
    if (layout.encoding == BmpEncoding::BitFields) {
        const std::size_t masksAt = FILE_HEADER_SIZE + 40;
        if (headerSize == 40) {
            if (!in.Has(masksAt, masksSize))
                return "the file ends inside its colour masks";
            paletteStart += masksSize;
        }
        layout.masks = {in.U32(masksAt), in.U32(masksAt + 4), in.U32(masksAt + 8)};
    } else if (bits == 16) {
        layout.masks = {0x7C00, 0x03E0, 0x001F};
    } else if (bits == 32) {
        layout.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    if (bits >= 16 && !MasksAreSound(layout.masks, bits))
        return "the colour masks overlap or are not runs of bits";
    return {};
}

// The palette of a picture of 8 bits or fewer: the entries declared, or as many as the depth
// takes, cut short where the pixel data begins.
std::string ReadPalette(const Bytes& in, std::uint32_t usedColours, std::size_t entrySize,
                        std::size_t paletteStart, std::uint32_t pixelOffset, BmpLayout& layout) {
    const std::int64_t full = std::int64_t{1} << layout.bitCount;
    const std::int64_t declared = usedColours != 0 ? std::int64_t{usedColours} : full;
    if (!in.Has(paletteStart, static_cast<std::size_t>(declared) * entrySize))
        return "the palette runs past the end of the file";
    const auto room = static_cast<std::int64_t>((pixelOffset - paletteStart) / entrySize);
    const std::int64_t count = std::min({declared, full, room});
    if (count < 1)
        return "the picture has no palette";
    layout.palette.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const std::size_t e = paletteStart + static_cast<std::size_t>(i) * entrySize;
        layout.palette.push_back(std::uint32_t{in.data[e + 2]} << 16 |
                                 std::uint32_t{in.data[e + 1]} << 8 | in.data[e]);
    }
    return {};
}

} // namespace

Result<BmpLayout> ParseBmp(std::span<const std::uint8_t> file) {
    const Bytes in{file};
    if (!in.Has(0, FILE_HEADER_SIZE + 4) || file[0] != 'B' || file[1] != 'M')
        return Fail("not a BMP file");
    const std::uint32_t pixelOffset = in.U32(10);
    const std::uint32_t headerSize = in.U32(FILE_HEADER_SIZE);
    if (!IsKnownHeaderSize(headerSize))
        return Fail("unknown info header size " + std::to_string(headerSize));
    if (!in.Has(FILE_HEADER_SIZE, headerSize))
        return Fail("the file ends inside its header");

    BmpLayout layout;
    BitmapInfoHeader& h = layout.header;
    const std::size_t paletteEntrySize = ReadInfoHeader(in, headerSize, h);
    std::size_t masksSize = 0;
    std::size_t paletteStart = FILE_HEADER_SIZE + headerSize;
    if (std::string why = CheckGeometry(h, layout); !why.empty())
        return Fail(why);
    if (std::string why = ChooseEncoding(h, headerSize, layout, masksSize); !why.empty())
        return Fail(why);
    if (std::string why = ReadMasks(in, headerSize, masksSize, layout, paletteStart); !why.empty())
        return Fail(why);
    if (pixelOffset >= file.size())
        return Fail("the pixel data starts past the end of the file");
    if (pixelOffset < paletteStart)
        return Fail("the pixel data starts inside the header");
    if (layout.bitCount <= 8) {
        if (std::string why =
                ReadPalette(in, h.biClrUsed, paletteEntrySize, paletteStart, pixelOffset, layout);
            !why.empty())
            return Fail(why);
    }

    layout.pixelData = file.subspan(pixelOffset);
    if (layout.encoding == BmpEncoding::Rgb || layout.encoding == BmpEncoding::BitFields) {
        const std::int64_t needed = RowStride(layout.width, layout.bitCount) * layout.height;
        if (static_cast<std::int64_t>(layout.pixelData.size()) < needed)
            return Fail("the pixel data is truncated (" + std::to_string(layout.pixelData.size()) +
                        " of " + std::to_string(needed) + " bytes)");
    }
    return Result<BmpLayout>::Ok(std::move(layout));
}

Result<Sprite> LoadSprite(const std::string& path, std::int64_t maxPixels) {
    const Result<FilePtr> file = OpenForReading(path);
    if (!file)
        return Result<Sprite>::Fail(file.Status());
    struct stat info {};
    if (::fstat(::fileno(file->get()), &info) != 0)
        return Result<Sprite>::Fail(path + ": cannot be read", FILE_ERROR_DEVICE);
    if (info.st_size > BMP_MAX_FILE_BYTES)
        return Result<Sprite>::Fail(path + ": the file is too large for a picture (" +
                                    std::to_string(info.st_size) + " bytes)");
    // Read to its end, which may have moved since: never past the largest file taken.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file->get());
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (static_cast<std::int64_t>(bytes.size()) > BMP_MAX_FILE_BYTES)
            return Result<Sprite>::Fail(path + ": the file is too large for a picture");
        if (n < sizeof chunk)
            break;
    }
    if (std::ferror(file->get()))
        return Result<Sprite>::Fail(path + ": cannot be read");
    const Result<BmpLayout> layout = ParseBmp(bytes);
    if (!layout)
        return Result<Sprite>::Fail(path + ": " + layout.Reason());
    if (std::int64_t{layout->width} * layout->height > maxPixels)
        return Result<Sprite>::Fail(path + ": the pictures together are too large (this one is " +
                                    std::to_string(layout->width) + " x " +
                                    std::to_string(layout->height) + ")");
    Result<Sprite> sprite = ConvertTo16(*layout);
    if (!sprite)
        return Result<Sprite>::Fail(path + ": " + sprite.Reason());
    return sprite;
}

} // namespace zembro
