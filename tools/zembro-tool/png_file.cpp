// PNG output through libpng.
#include "png_file.h"

#include "store/regular_file.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <png.h>
#include <vector>

namespace zembro::tool {
namespace {

std::uint8_t Expand5(unsigned v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

// libpng reports errors by jumping back here; only plain data lives across the jump.
bool WriteRows(std::FILE* file, int width, int height, const std::vector<png_bytep>& rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

IoResult WritePng(const std::string& path, ConstPixelView picture) {
    const int width = picture.width, height = picture.height;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3 *
                                  static_cast<std::size_t>(height));
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const Pixel* from = picture.Row(y);
        std::uint8_t* to =
            rgb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 3;
        for (int x = 0; x < width; ++x) {
            to[3 * x] = Expand5((from[x] >> 10) & 31u);
            to[3 * x + 1] = Expand5((from[x] >> 5) & 31u);
            to[3 * x + 2] = Expand5(from[x] & 31u);
        }
        rows[static_cast<std::size_t>(y)] = to;
    }
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return IoResult::Fail(path + ": " + std::strerror(errno), errno);
    if (!WriteRows(file.get(), width, height, rows) || std::fclose(file.release()) != 0)
        return IoResult::Fail(path + ": cannot write the picture", FILE_ERROR_DEVICE);
    return IoResult::Ok();
}

} // namespace zembro::tool
