// Fuzz target: "Pedine.pos", read through its 20-character buffer for 33 pieces.
#include "fuzz_files.h"
#include "store/run_folder.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    static const std::string folder = fuzz::MakeFolder("hotspots");
    fuzz::WriteFile(folder + "/Pedine.pos", data, size);
    const Result<std::vector<Hotspot>> read = ReadHotspots(folder, 33);
    if (!read)
        __builtin_trap();
    for (const Hotspot& p : *read)
        if (p.x > 65536 || p.x < -65536 || p.y > 65536 || p.y < -65536)
            __builtin_trap();
    return 0;
}
