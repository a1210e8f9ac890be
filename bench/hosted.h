#pragma once
// What the benchmarks that host windows share: a counter of repainted
// pixels, and a main that runs them in an offscreen QApplication (unless a
// platform is asked for).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

// Counts the pixels a widget repaints.
class PaintedArea : public QObject {
public:
    explicit PaintedArea(QWidget* widget) { widget->installEventFilter(this); }
    double pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<double>(r.width()) * r.height();
            }
        }
        return false;
    }
};

#define NUVIK_QT_BENCHMARK_MAIN()                                        \
    int main(int argc, char* argv[]) {                                   \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                     \
        }                                                                \
        QApplication app(argc, argv);                                    \
        QApplication::setQuitOnLastWindowClosed(false);                  \
        benchmark::Initialize(&argc, argv);                              \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) {        \
            return 1;                                                    \
        }                                                                \
        benchmark::RunSpecifiedBenchmarks();                             \
        benchmark::Shutdown();                                           \
        return 0;                                                        \
    }
