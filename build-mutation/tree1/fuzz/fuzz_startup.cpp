// Fuzz target: the whole start-up on a picture folder with one fuzzed file, then a paint, a few
// pointer moves and clicks, on the in-memory framework. The first byte picks the file.
#include "app/game_app.h"
#include "fuzz_files.h"
#include "platform/headless/headless_framework.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path run;
    std::vector<fs::path> files; // the ones a fuzzed input may replace
};

const Folder& RunFolder() {
    static const Folder folder = [] {
        Folder f{fs::path(zembro::fuzz::MakeFolder("run")) / "run", {}};
        fs::copy(ZEMBRO_DEFAULT_RUN_DIR, f.run, fs::copy_options::recursive);
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(f.run))
            if (e.is_regular_file())
                f.files.push_back(e.path());
        return f;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zembro;
    if (size == 0)
        return 0;
    const Folder& folder = RunFolder();
    const fs::path& victim = folder.files[data[0] % folder.files.size()];
    const std::string original = fuzz::ReadFile(victim);
    fuzz::WriteFile(victim, data + 1, size - 1);
    {
        platform::HeadlessFramework framework;
        framework.currentDirectory = folder.run.string();
        GameApp app(framework);
        if (app.InitInstance()) {
            GameFrame& frame = *app.Frame();
            for (const auto& [x, y] : {std::pair{400, 300}, {745, 10}}) {
                frame.OnMouseMove({x, y});
                frame.OnLButtonDown({x, y});
                frame.OnLButtonUp({x, y});
                framework.now += 300;
                app.OnIdle();
                framework.frame->Paint();
            }
        }
    }
    fuzz::WriteFile(victim, original.data(), original.size());
    return 0;
}
