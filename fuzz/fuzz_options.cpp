// Fuzz target: "Option.opt". Whatever the file holds, the kinds end below the pictures, and what
// the reader took in, the writer gives back the same.
#include "fuzz_files.h"
#include "store/options_file.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    static const std::string path = fuzz::MakeFolder("options") + "/Option.opt";
    fuzz::WriteFile(path, data, size);
    OptionValues read;
    const Result<OptionsRead> result = ReadOptions(path, read);
    const bool clamped = read.NumMaxPedine == INT32_MIN ? read.kindsUsed == INT32_MIN
                                                        : read.kindsUsed < read.NumMaxPedine;
    if (!result || !clamped)
        __builtin_trap();
    if (result->valuesRead == OPTION_VALUE_COUNT) {
        if (!WriteOptions(path, read))
            std::abort();
        OptionValues again;
        ReadOptions(path, again);
        if (!(again == read))
            __builtin_trap();
    }
    return 0;
}
