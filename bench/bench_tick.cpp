// One game tick with the fourteen objects of a board moving: the game logic
// alone, and hosted in the real window offscreen with the repaint it causes,
// at the design size and at 1920 x 1080.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"
#include "platform/scripted_runtime.h"
#include "hosted.h"

namespace {

// A wall cell walled in on all four sides: a critter put there meets no
// object, so the objects keep moving tick after tick and the board never
// ends. Returns false when the labyrinth has none.
bool HideCritterInAWallOfThisBoard(Nuvik3Main& w) {
    const auto wall = [&w](int r, int c) {
        return r < 0 || r >= Nuvik3Main::kRows || c < 0 || c >= Nuvik3Main::kCols || w.Cell(c, r).Visible;
    };
    for (int r = 1; r < Nuvik3Main::kRows - 1; ++r) {
        for (int c = 1; c < Nuvik3Main::kCols - 1; ++c) {
            if (wall(r, c) && wall(r - 1, c) && wall(r + 1, c) && wall(r, c - 1) && wall(r, c + 1)) {
                w.HideNuvik();
                w.NuvikRow = static_cast<Int16>(r);
                w.NuvikCol = static_cast<Int16>(c);
                w.NuvikDir = 0;
                w.DrawNuvik();
                return true;
            }
        }
    }
    return false;
}

// Most labyrinths have such a cell; new boards are drawn until one does.
bool HideCritterInAWall(Nuvik3Main& w) {
    for (int board = 0; board < 50; ++board) {
        if (HideCritterInAWallOfThisBoard(w)) {
            return true;
        }
        w.Reinicio = false;
        w.cmdPlay_Click();
    }
    return false;
}

int MovingObjects(Nuvik3Main& w) {
    int n = 0;
    for (int i = 0; i < w.MovEnd; ++i) {
        n += w.ImgFruta(i).Visible ? 1 : 0;
    }
    return n;
}

void BM_TickGameLogic(benchmark::State& state) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
    w.Show();
    w.cmdPlay_Click();
    if (!HideCritterInAWall(w)) {
        state.SkipWithError("no walled-in cell for the critter");
        return;
    }
    for (auto _ : state) {
        w.Timer1_Timer();
    }
    state.counters["objects"] = MovingObjects(w);
}

// The real runtime with its program folder in a temporary place, so the
// benchmark never writes beside the program.
class FolderRuntime : public vb::QtRuntime {
public:
    std::string AppPath() override { return dir.path().toStdString(); }
    QTemporaryDir dir;
};

void TickHosted(benchmark::State& state, QSize outer) {
    FolderRuntime rt;
    Nuvik3Main w{rt};
    w.Show();
    w.SetWidth(static_cast<float>(outer.width() * 15));
    w.SetHeight(static_cast<float>(outer.height() * 15));
    QCoreApplication::processEvents();
    // Laid out for that size; the board stays in its pause menu, so only
    // the ticks called here run.
    w.cmdPlay_Click();
    if (!HideCritterInAWall(w)) {
        state.SkipWithError("no walled-in cell for the critter");
        return;
    }
    QWidget* board = rt.WindowOf(w)->findChild<QWidget*>(QStringLiteral("fraJuego"));
    if (board == nullptr) {
        state.SkipWithError("no board panel");
        return;
    }
    QCoreApplication::processEvents();
    PaintedArea area(board);
    for (auto _ : state) {
        w.Timer1_Timer();
        QCoreApplication::processEvents();
    }
    state.counters["objects"] = MovingObjects(w);
    state.counters["board_w"] = board->width();
    state.counters["board_h"] = board->height();
    state.counters["px_per_tick"] = benchmark::Counter(area.pixels, benchmark::Counter::kAvgIterations);
}

void BM_TickHostedDesignSize(benchmark::State& state) { TickHosted(state, QSize(761, 544)); }
void BM_TickHosted1920x1080(benchmark::State& state) { TickHosted(state, QSize(1920, 1080)); }

BENCHMARK(BM_TickGameLogic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickHostedDesignSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickHosted1920x1080)->Unit(benchmark::kMicrosecond);

} // namespace

NUVIK_QT_BENCHMARK_MAIN()
