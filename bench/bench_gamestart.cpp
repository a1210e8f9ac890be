// A new board from "&PLAY GAME": layout of 2625 cells and 26 sprites, clear,
// generation and placement, for the game logic alone and hosted offscreen
// up to the board panel painted once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"
#include "platform/scripted_runtime.h"
#include "hosted.h"

namespace {

// A new game from the menu each time, as the button starts it.
void NewGame(Nuvik3Main& w) {
    w.Reinicio = false;
    w.Continuar = false;
    w.JuegoNuevo = true;
    w.cmdPlay_Click();
}

void BM_NewBoardLogic(benchmark::State& state) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
    w.Show();
    for (auto _ : state) {
        NewGame(w);
        benchmark::DoNotOptimize(w.Frutas[0].Cell);
    }
}

// Hosted in the real window at a given outer size in pixels: the board is
// laid out, generated and placed, then its panel is painted once.
void NewBoardHosted(benchmark::State& state, int width, int height) {
    vb::QtRuntime rt;
    Nuvik3Main w{rt};
    rt.ShowForm(w);
    w.FillMuroIdx();
    w.MaxRow = 34;
    w.MaxCol = 74;
    w.PauseKey = std::string(1, '\x1b');
    w.SetWidth(width * 15.0f);
    w.SetHeight(height * 15.0f);
    QCoreApplication::processEvents();
    QWidget* board = rt.WindowOf(w)->findChild<QWidget*>(QStringLiteral("fraJuego"));
    for (auto _ : state) {
        NewGame(w);
        board->repaint();
    }
}

void BM_NewBoardHostedDesignSize(benchmark::State& state) { NewBoardHosted(state, 761, 544); }
void BM_NewBoardHosted1920x1080(benchmark::State& state) { NewBoardHosted(state, 1920, 1080); }

BENCHMARK(BM_NewBoardLogic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewBoardHostedDesignSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewBoardHosted1920x1080)->Unit(benchmark::kMicrosecond);

} // namespace

NUVIK_QT_BENCHMARK_MAIN()
