// Painting the board panel of the real game window, hosted offscreen: a full
// repaint at the design size and at 1920 x 1080, and the repaint after a tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>
#include <random>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"
#include "hosted.h"

namespace {

constexpr int kObjects = 14;

// The game window with only its board shown, laid out as in play for a
// window of the given outer size in pixels.
class HostedBoard {
public:
    explicit HostedBoard(QSize outer) {
        rt.ShowForm(w);
        window = rt.WindowOf(w);
        for (vb::Frame* f : {w.fraMenu, w.fraHelp, w.fraColor}) {
            f->Visible = false;
        }
        const float width = outer.width() * 15.0f;
        const float height = outer.height() * 15.0f;
        w.SetWidth(width);
        w.SetHeight(height);
        cellW = static_cast<float>(width * 150.0 / 11415.0);
        cellH = static_cast<float>(height * 210.0 / 8160.0);
        w.fraJuego->Width = static_cast<float>(width / w.ScaleUnitX);
        w.fraJuego->Height = static_cast<float>(height / w.ScaleUnitY);
        std::mt19937 random(7);
        for (int r = 0; r < Nuvik3Main::kRows; ++r) {
            for (int c = 0; c < Nuvik3Main::kCols; ++c) {
                vb::Control& cell = w.imgMuro(c + Nuvik3Main::kCols * r);
                cell.Width = cellW;
                cell.Height = cellH;
                cell.Move(c * cellW + 25, r * cellH);
                cell.Stretch = true;
                cell.Visible = random() % 2 == 0;
            }
        }
        for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
            place(w.ImgFruta(i), 2 + 5 * (i % 14), 1 + 2 * (i % 17));
            w.ImgFruta(i).Visible = i < kObjects;
        }
        place(w.ImgNuvik(0), 37, 17);
        place(w.ImgNuvik(1), 37, 17);
        w.ImgNuvik(1).Visible = false;
        place(w.ImgMetaR(0), 0, 0);
        place(w.ImgMetaV(0), 0, 0);
        w.ImgMetaV(0).Visible = false;
        place(*w.imgBala, 0, 0);
        w.imgBala->Visible = false;
        board = window->findChild<QWidget*>(QStringLiteral("fraJuego"));
        QCoreApplication::processEvents();
    }

    void place(vb::Control& sprite, int col, int row) const {
        sprite.Width = cellW;
        sprite.Height = cellH;
        sprite.Stretch = true;
        sprite.Move(col * cellW + 25, row * cellH);
    }

    // One tick's moves: the critter and every object one cell along its row.
    void tick(int step) {
        const float dx = step * cellW;
        w.ImgNuvik(0).Left = w.ImgNuvik(0).Left + dx;
        for (int i = 0; i < kObjects; ++i) {
            w.ImgFruta(i).Left = w.ImgFruta(i).Left + dx;
        }
    }

    vb::QtRuntime rt;
    Nuvik3Main w{rt};
    QWidget* window = nullptr;
    QWidget* board = nullptr;
    float cellW = 0;
    float cellH = 0;
};

void FullRepaint(benchmark::State& state, QSize outer) {
    HostedBoard hosted(outer);
    QImage target(hosted.board->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        hosted.board->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["width"] = hosted.board->width();
    state.counters["height"] = hosted.board->height();
}

void BM_FullRepaintDesignSize(benchmark::State& state) { FullRepaint(state, QSize(761, 544)); }
void BM_FullRepaint1920x1080(benchmark::State& state) { FullRepaint(state, QSize(1920, 1080)); }

// The real path after a tick: the moves mark what changed, and the window's
// next update repaints only that into its backing store.
void BM_RepaintAfterTick(benchmark::State& state) {
    HostedBoard hosted(QSize(761, 544));
    PaintedArea area(hosted.board);
    int step = 1;
    for (auto _ : state) {
        hosted.tick(step);
        step = -step;
        QCoreApplication::processEvents();
    }
    state.counters["px_per_tick"] = benchmark::Counter(area.pixels, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_FullRepaintDesignSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullRepaint1920x1080)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintAfterTick)->Unit(benchmark::kMicrosecond);

} // namespace

NUVIK_QT_BENCHMARK_MAIN()
