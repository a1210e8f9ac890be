// The settings loader on any file. Checks: loading never changes the file;
// what is loaded fits its control (sound 0 or 1, a window state the window
// has, the labels showing the numbers in force); saving what was loaded and
// loading it again gives back the same state and the same file.
#include <cstdint>
#include <string>
#include <tuple>

#include "fuzz/fuzz_support.h"
#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "platform/vbtext.h"

namespace {

struct Game {
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

Game& TheGame() {
    static Game game;
    return game;
}

// Every value the settings file sets, as the window holds it.
auto State(Nuvik3Main& w) {
    return std::make_tuple(w.chkSound->Value.get(), w.HighScore, w.WindowState.get(), w.Top.get(),
                           w.Left.get(), w.Width.get(), w.Height.get(), w.Delay, w.UsarDificil,
                           w.LabInUse, w.MaxLab, w.LabACargar, w.Reservado);
}

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
    w.LoadSettings();
    FUZZ_CHECK(ReadBytes(path) == bytes);
    FUZZ_CHECK(w.chkSound->Value.get() == 0 || w.chkSound->Value.get() == 1);
    FUZZ_CHECK(w.WindowState.get() >= 0 && w.WindowState.get() <= 2);
    FUZZ_CHECK(w.lblHS->Caption.get() == "HS: " + vb::CStr(w.HighScore));
    FUZZ_CHECK(w.txtDelay->Text.get() == vb::CStr(w.Delay));

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
