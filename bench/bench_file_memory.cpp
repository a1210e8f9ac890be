// Peak memory of reading the files beside the program: the notes window on
// a notes file as big as it shows and on a 1 GiB sparse one it leaves alone,
// and the settings on a 1 GiB sparse settings file (the eleven records and
// then a hole, and nothing but a hole). Reported as the counter peak_rss_MB:
// how far the resident set rose above what it was before the read. Goal: a
// small multiple of the text shown, a few megabytes at most, whatever the
// file's size.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "windows/frmNotes.h"

namespace {

// A field of /proc/self/status in kB.
long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::string(field).size()));
        }
    }
    return -1;
}

// Runs read and gives the rise of the resident set above its level before,
// in MB; the peak mark is reset first.
template <class Read>
double PeakRiseMb(Read read) {
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKb("VmRSS:");
    read();
    return static_cast<double>(StatusKb("VmHWM:") - before) / 1024.0;
}

void BM_NotesLoad(benchmark::State& state) {
    vb::ScriptedRuntime rt;
    const std::string path = rt.AppFile("Notes.txt");
    {
        // As many lines of notes as the window shows, in one quoted record.
        std::ofstream notes(path, std::ios::binary);
        const std::string line = "lab 12 // 3 victories // 1 defeat, the door top-left\r\n";
        std::string text;
        while (text.size() + line.size() + 4 <= static_cast<std::size_t>(frmNotes::kMaxFileBytes)) {
            text += line;
        }
        notes << '"' << text << "\"\r\n";
    }
    if (state.range(0) == 1 && ::truncate(path.c_str(), off_t{1} << 30) != 0) {
        state.SkipWithError("cannot make the sparse file");
        return;
    }
    double peak = 0;
    std::size_t shown = 0;
    for (auto _ : state) {
        peak = std::max(peak, PeakRiseMb([&] {
            frmNotes n(rt);
            n.Show();
            shown = n.txtNotes->Text.get().size();
        }));
    }
    state.counters["peak_rss_MB"] = peak;
    state.counters["text_KB"] = static_cast<double>(shown) / 1e3;
}
// 0: a file as big as the window shows; 1: the same, then a hole up to 1 GiB.
BENCHMARK(BM_NotesLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SettingsLoad1GiBSparse(benchmark::State& state) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w(rt);
    const std::string path = rt.AppFile("Nuvik3w.dat");
    std::ofstream(path, std::ios::binary)
        << (state.range(0) == 1 ? "0\r\n1234\r\n0\r\n600,450\r\n12000,9000\r\n100\r\n#TRUE#\r\n3\r\n9\r\n5\r\n#TRUE#\r\n"
                                : "");
    if (::truncate(path.c_str(), off_t{1} << 30) != 0) {
        state.SkipWithError("cannot make the sparse file");
        return;
    }
    double peak = 0;
    for (auto _ : state) {
        w.DefaultSettings();
        peak = std::max(peak, PeakRiseMb([&] { w.LoadSettings(); }));
    }
    state.counters["peak_rss_MB"] = peak;
    state.counters["high_score"] = w.HighScore;
}
// 1: the eleven records, then the hole; 0: the hole alone.
BENCHMARK(BM_SettingsLoad1GiBSparse)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
