#pragma once
// The main of a benchmark that hosts windows: an offscreen QApplication
// (unless a platform is asked for) around Google Benchmark's own main.
#include <benchmark/benchmark.h>

#include <QApplication>

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
