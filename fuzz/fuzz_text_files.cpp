// Fuzz target: the hand-edited text files, "Option.opt" and "Pedine.pos". The first byte picks
// the reader; the rest is the file.
#include "fuzz_files.h"
#include "game/game_settings.h"
#include "render/game_sprites.h"
#include "store/options_file.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string& Folder() {
    static const std::string folder = zembro::fuzz::MakeFolder("text");
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0) {
        const std::string path = Folder() + "/Option.opt";
        zembro::fuzz::WriteFile(path, data + 1, size - 1);
        OptionValues read;
        const OptionsReadResult result = ReadOptions(path, read);
        // Whatever the file holds, the kinds end below the pictures.
        const bool clamped = read.NumMaxPedine == INT32_MIN ? read.kindsUsed == INT32_MIN
                                                            : read.kindsUsed < read.NumMaxPedine;
        if (!result || !clamped)
            __builtin_trap();
        // What the reader took in, the writer gives back the same.
        if (result.valuesRead == OPTION_VALUE_COUNT) {
            if (!WriteOptions(path, read))
                std::abort();
            OptionValues again;
            ReadOptions(path, again);
            if (!(again == read))
                __builtin_trap();
        }
    } else {
        zembro::fuzz::WriteFile(Folder() + "/Pedine.pos", data + 1, size - 1);
        std::vector<Sprite> pieces(33);
        ReadHotspots(Folder(), pieces, pieces.size());
        for (const Sprite& p : pieces)
            if (p.hotX > 65536 || p.hotX < -65536 || p.hotY > 65536 || p.hotY < -65536)
                __builtin_trap();
    }
    return 0;
}
