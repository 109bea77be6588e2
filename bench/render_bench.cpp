// Timings of the paint and of loading the pictures, against a plain copy of the surface.
#include "game/board_input.h"
#include "game/deal.h"
#include "game/path_trace.h"
#include "render/scene.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace zembro {
namespace {

GameSettings RunFolderSettings() {
    GameSettings settings;
    ReadRunFolderSettings(ZEMBRO_RUN_DIR, settings);
    settings.kindsUsed = 20;
    settings.controlledInsertion = 1;
    return settings;
}

struct Loaded {
    GameSettings settings = RunFolderSettings();
    GameSprites sprites;
    BackBuffer buffer;
    bool ok = false;

    Loaded() {
        CreateBackBuffer(buffer, RowOrder::BottomUp);
        ok = static_cast<bool>(LoadAssets(sprites, buffer, settings));
    }
};

// The reference: one copy of the 960,000-byte surface.
void BM_CopySurface(benchmark::State& bench) {
    std::vector<Pixel> from(800 * 600, 0x1234), to(800 * 600);
    for (auto _ : bench) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(Pixel));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopySurface);

// A full recomposition of a busy scene: a full board, a selection, a traced path, a target.
void BM_FullRecomposition(benchmark::State& bench) {
    Loaded l;
    if (!l.ok) {
        bench.SkipWithError("the default pictures did not load");
        return;
    }
    GameState game;
    PointerState pointer;
    ResetGame(game, pointer);
    Deal(game, DealParamsFrom(l.settings), 12345);
    pointer.selected = Cell{2, 1};
    PointerOnCell(game, pointer, l.settings, {1, 1});
    SceneState scene;
    for (auto _ : bench) {
        scene.fullRedraw = false;
        scene.blinkTick = true;
        PaintFrame(l.buffer, l.sprites, scene,
                   {game, pointer, l.settings, 0, 400, 300, false, false, false, {}, false});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullRecomposition);

void BM_PointerOnlyUpdate(benchmark::State& bench) {
    Loaded l;
    if (!l.ok) {
        bench.SkipWithError("the default pictures did not load");
        return;
    }
    GameState game;
    PointerState pointer;
    SceneState scene;
    int x = 0;
    for (auto _ : bench) {
        x = (x + 7) % 780;
        PaintFrame(l.buffer, l.sprites, scene,
                   {game, pointer, l.settings, 0, x, 300, true, true, false, {}, false});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PointerOnlyUpdate);

void BM_LoadAllPictures(benchmark::State& bench) {
    for (auto _ : bench) {
        Loaded l;
        if (!l.ok)
            bench.SkipWithError("the default pictures did not load");
        benchmark::DoNotOptimize(l.sprites.pieceSprites.data());
    }
}
BENCHMARK(BM_LoadAllPictures)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zembro

BENCHMARK_MAIN();
