// Fuzz target: "Pedine.pos", read through its 20-character buffer for 33 pieces.
#include "fuzz_files.h"
#include "render/game_sprites.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    static const std::string folder = fuzz::MakeFolder("hotspots");
    fuzz::WriteFile(folder + "/Pedine.pos", data, size);
    std::vector<Sprite> pieces(33);
    if (!ReadHotspots(folder, pieces, pieces.size()))
        __builtin_trap();
    for (const Sprite& p : pieces)
        if (p.hotX > 65536 || p.hotX < -65536 || p.hotY > 65536 || p.hotY < -65536)
            __builtin_trap();
    return 0;
}
