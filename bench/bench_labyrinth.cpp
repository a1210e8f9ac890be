// One new board: clear it and dig a labyrinth, with the segment bounds of play.
// Goal: median under 300 microseconds.
#include <benchmark/benchmark.h>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

namespace {

void BM_ClearAndGenerate(benchmark::State& state) {
    vb::ScriptedRuntime rt;
    rt.rnd.Seed(2024u);
    Nuvik3Main w(rt);
    w.FillMuroIdx();
    w.MaxRow = 34;
    w.MaxCol = 74;
    w.MaxSegV = 11;
    w.MaxSegH = 12;
    w.MinSegV = 6;
    w.MinSegH = 6;
    w.NumFrutas = 14;
    for (auto _ : state) {
        w.ClearBoard();
        w.GenerateLabyrinth();
        benchmark::DoNotOptimize(w.imgMuro(0).Visible.get());
    }
}
BENCHMARK(BM_ClearAndGenerate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
