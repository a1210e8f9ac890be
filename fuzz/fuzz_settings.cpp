// The settings loader on any file. Checks: loading never changes the file;
// each field either keeps what it held before (its record failed) or gets the
// same value whatever it held; what is loaded fits its control (sound 0 or 1,
// a window state the window has, the labels showing the numbers in force);
// each record is read from its own line, whatever the others hold; saving
// what was loaded and loading it again gives back the same state and the
// same file.
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "platform/vbtext.h"

namespace {

// Every value the settings file sets, as the window holds it.
auto State(Nuvik3Main& w) {
    return std::make_tuple(w.chkSound->Value.get(), w.HighScore, w.WindowState.get(), w.Top.get(),
                           w.Left.get(), w.Width.get(), w.Height.get(), w.Delay, w.UsarDificil,
                           w.LabInUse, w.MaxLab, w.LabACargar, w.Reservado);
}

// The fields the file's records are read into.
using Fields = std::array<int, 13>;

Fields Read(const Nuvik3Main& w) {
    return {w.SoundOn, w.HighScore, w.WinState, w.WinTop, w.WinLeft, w.WinWidth, w.WinHeight,
            w.Delay, w.UsarDificil, w.LabInUse, w.MaxLab, w.LabACargar, w.Reservado};
}

void Fill(Nuvik3Main& w, const Fields& f) {
    w.SoundOn = static_cast<Int16>(f[0]);
    w.HighScore = static_cast<Int16>(f[1]);
    w.WinState = static_cast<Int16>(f[2]);
    w.WinTop = static_cast<Int16>(f[3]);
    w.WinLeft = static_cast<Int16>(f[4]);
    w.WinWidth = static_cast<Int16>(f[5]);
    w.WinHeight = static_cast<Int16>(f[6]);
    w.Delay = static_cast<Int16>(f[7]);
    w.UsarDificil = f[8] != 0;
    w.LabInUse = static_cast<Int16>(f[9]);
    w.MaxLab = static_cast<Int16>(f[10]);
    w.LabACargar = static_cast<Int16>(f[11]);
    w.Reservado = f[12] != 0;
}

// The lines of a file as the reader ends them: CR LF, CR or LF.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            lines.emplace_back();
        } else {
            lines.back() += bytes[i];
        }
    }
    return lines;
}

// The first field of each of the eleven records, and one past the last.
constexpr std::array<std::size_t, 12> kRecordFields = {0, 1, 2, 3, 5, 7, 8, 9, 10, 11, 12, 13};

// Values no field starts with, every one unlike its default.
constexpr Fields kOther = {-7, -12345, 7, -23456, -23457, -23458, -23459, -31000, 1, -17, -18, -19, 1};

// The window as start-up leaves it before the file is read.
void StartState(Nuvik3Main& w) {
    w.DefaultSettings();
    w.UsarDificil = false;
    w.LabInUse = 0;
    w.MaxLab = 0;
    w.LabACargar = 0;
    w.Reservado = false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Nuvik3Main& w = TheGame().w;
    const std::string path = TheGame().rt.AppFile("Nuvik3w.dat");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(path, bytes);

    StartState(w);
    Fill(w, kOther);
    w.LoadSettings();
    const Fields fromOther = Read(w);

    StartState(w);
    const Fields start = Read(w);
    w.LoadSettings();
    FUZZ_CHECK(ReadBytes(path) == bytes);
    const Fields fromStart = Read(w);
    for (std::size_t i = 0; i < start.size(); ++i) {
        FUZZ_CHECK(fromStart[i] == fromOther[i] || (fromStart[i] == start[i] && fromOther[i] == kOther[i]));
    }
    FUZZ_CHECK(w.chkSound->Value.get() == 0 || w.chkSound->Value.get() == 1);
    FUZZ_CHECK(w.WindowState.get() >= 0 && w.WindowState.get() <= 2);
    FUZZ_CHECK(w.lblHS->Caption.get() == "HS: " + vb::CStr(w.HighScore));
    FUZZ_CHECK(w.txtDelay->Text.get() == vb::CStr(w.Delay));

    // Record k alone, on its own line k, gives its fields the same values.
    const std::vector<std::string> lines = Lines(bytes);
    for (std::size_t k = 0; k + 1 < kRecordFields.size(); ++k) {
        std::string alone;
        for (std::size_t i = 0; i < k; ++i) {
            alone += "\r\n";
        }
        WriteBytes(path, alone + (k < lines.size() ? lines[k] : std::string()) + "\r\n");
        StartState(w);
        w.LoadSettings();
        const Fields fromAlone = Read(w);
        for (std::size_t i = kRecordFields[k]; i < kRecordFields[k + 1]; ++i) {
            FUZZ_CHECK(fromAlone[i] == fromStart[i]);
        }
    }
    WriteBytes(path, bytes);
    StartState(w);
    w.LoadSettings();

    const auto loaded = State(w);
    w.SaveSettings();
    const std::string saved = ReadBytes(path);
    StartState(w);
    w.LoadSettings();
    FUZZ_CHECK(State(w) == loaded);
    w.SaveSettings();
    FUZZ_CHECK(ReadBytes(path) == saved);
    return 0;
}
