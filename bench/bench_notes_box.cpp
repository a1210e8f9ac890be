// The notes window hosted offscreen with a notes file of a given size and
// shape: lines of notes, or one line without a space (the slowest text to
// lay out with wrapping). Show: load, build and paint the window; Key: one
// typed character, its layout and its repaint. The largest size is the most
// the window shows; the goals say it stays responsive there.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <fstream>
#include <string>

#include "hosted.h"
#include "platform/qt/qtruntime.h"
#include "windows/frmNotes.h"

namespace {

// A notes file of about bytes: one quoted record.
void WriteNotes(const std::string& path, std::size_t bytes, bool oneLine) {
    const std::string piece = oneLine ? "a" : "lab 12 // 3 victories // 1 defeat, the door top-left\r\n";
    std::string text;
    while (text.size() + piece.size() + 4 <= bytes) {
        text += piece;
    }
    std::ofstream(path, std::ios::binary) << '"' << text << "\"\r\n";
}

struct Hosted {
    vb::QtRuntime rt;
    frmNotes notes{rt};
    QPlainTextEdit* box = nullptr;

    void Show() {
        notes.Show();
        QWidget* window = rt.WindowOf(notes);
        box = window->findChild<QPlainTextEdit*>();
        window->repaint();
        QCoreApplication::processEvents();
    }
};

void BM_NotesBoxShow(benchmark::State& state) {
    const bool oneLine = state.range(1) == 1;
    for (auto _ : state) {
        state.PauseTiming();
        auto hosted = std::make_unique<Hosted>();
        WriteNotes(hosted->rt.AppFile("Notes.txt"), static_cast<std::size_t>(state.range(0)), oneLine);
        state.ResumeTiming();
        hosted->Show();
        state.PauseTiming();
        hosted.reset();
        state.ResumeTiming();
    }
}

void BM_NotesBoxKey(benchmark::State& state) {
    Hosted hosted;
    WriteNotes(hosted.rt.AppFile("Notes.txt"), static_cast<std::size_t>(state.range(0)), state.range(1) == 1);
    hosted.Show();
    hosted.box->setFocus();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QApplication::sendEvent(hosted.box, &press);
        QApplication::sendEvent(hosted.box, &release);
        hosted.box->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    state.counters["text_KB"] = static_cast<double>(hosted.notes.txtNotes->Text.get().size()) / 1e3;
}

// Sizes in bytes up to the most the window shows, then 0 for lines of notes,
// 1 for one line without a space.
void Sizes(benchmark::internal::Benchmark* b) {
    for (const int bytes : {4096, 65536, static_cast<int>(frmNotes::kMaxFileBytes)}) {
        b->Args({bytes, 0});
    }
    for (const int bytes : {4096, 16384, static_cast<int>(frmNotes::kMaxLineChars)}) {
        b->Args({bytes, 1});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_NotesBoxShow)->Apply(Sizes);
BENCHMARK(BM_NotesBoxKey)->Apply(Sizes);

} // namespace

NUVIK_QT_BENCHMARK_MAIN()
