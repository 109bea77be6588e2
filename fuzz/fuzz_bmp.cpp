// Fuzz target: the BMP reader, the 16-bit conversion, the run index and a keyed draw of the
// result, which must stay inside the destination whatever the picture.
#include "render/blitters.h"
#include "render/bmp_reader.h"
#include "render/opaque_runs.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    const Result<BmpLayout> layout = ParseBmp({data, size});
    if (!layout)
        return 0;
    Result<Sprite> sprite = ConvertTo16(*layout);
    if (!sprite)
        return 0;
    if (sprite->pixels.size() !=
        static_cast<std::size_t>(RowPixels(sprite->Width()) * sprite->Height()))
        __builtin_trap();
    IndexOpaqueRuns(*sprite);
    BitmapInfoHeader screen;
    screen.biWidth = 64;
    screen.biHeight = 48;
    std::vector<Pixel> bits(64 * 48);
    for (const int x : {-30, 0, 40})
        DrawKeyedRuns(ViewOf(screen, bits.data()), x, x / 2, *sprite);
    DrawBlended(ViewOf(screen, bits.data()), -5, -5, sprite->View());
    return 0;
}
