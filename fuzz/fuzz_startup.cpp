// Fuzz target: the whole start-up on a run folder with one fuzzed file (a picture, Pedine.pos,
// Option.opt or the score file), then a paint, a few pointer moves and clicks and the ranking,
// on the in-memory framework. The first byte picks the file.
#include "app/commands.h"
#include "app/game_app.h"
#include "platform/headless/headless_framework.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Folder {
    fs::path run;
    std::vector<fs::path> files; // the ones a fuzzed input may replace
};

void WriteFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        std::abort();
}

const Folder& RunFolder() {
    static const Folder folder = [] {
        std::string made = "/tmp/zembro-fuzz-XXXXXX";
        if (mkdtemp(made.data()) == nullptr)
            std::abort();
        Folder f{fs::path(made) / "run", {}};
        fs::copy(ZEMBRO_DEFAULT_RUN_DIR, f.run, fs::copy_options::recursive);
        WriteFile(f.run / "Zembro.rec", "", 0);
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
    std::ifstream in(victim, std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(in), {}};
    WriteFile(victim, data + 1, size - 1);
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
            frame.OnCommand(CMD_RANKING);
        }
    }
    WriteFile(victim, original.data(), original.size());
    return 0;
}
