#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "support/files.h"
#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

namespace {

struct Panels {
    bool menu, juego, help, color;
};

void ExpectPanels(const Nuvik3Main& w, Panels p) {
    EXPECT_EQ(w.fraMenu->Visible.get(), p.menu);
    EXPECT_EQ(w.fraJuego->Visible.get(), p.juego);
    EXPECT_EQ(w.fraHelp->Visible.get(), p.help);
    EXPECT_EQ(w.fraColor->Visible.get(), p.color);
}

const char* const kFiles[] = {"Nuvik3w.dat", "Notes.txt"};

class Startup : public ::testing::Test {
protected:
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

// Pipes in the files' places: start-up neither waits on them nor replaces
// them, and shows the defaults (the notes window, why it is shut).
TEST_F(Startup, PipesInPlaceOfTheFilesAreNeitherWaitedOnNorReplaced) {
    for (const char* name : kFiles) {
        ASSERT_EQ(::mkfifo(rt.AppFile(name).c_str(), 0644), 0);
    }
    ::alarm(20); // a regression hangs here; end it instead
    w.Show();
    ::alarm(0);
    EXPECT_EQ(w.txtDelay->Text.get(), "240");
    EXPECT_EQ(w.Notes->txtNotes->Text.get(), "Notes.txt cannot be read; it is left as it is.");
    w.Notes->cmdSaveNotes_Click();
    w.cmdExit_Click();
    for (const char* name : kFiles) {
        EXPECT_TRUE(std::filesystem::is_fifo(rt.AppFile(name))) << name;
    }
}

// Dangling links: the first-run files are made where they point, and the
// links stay.
TEST_F(Startup, DanglingLinksGetTheFirstRunFilesAtTheirTargets) {
    std::filesystem::create_directory(rt.folder + "/kept");
    for (const char* name : kFiles) {
        std::filesystem::create_symlink(std::string("kept/") + name, rt.AppFile(name));
    }
    w.Show();
    EXPECT_EQ(ReadBytes(rt.folder + "/kept/Nuvik3w.dat").size(), 62u);
    EXPECT_EQ(ReadBytes(rt.folder + "/kept/Notes.txt"), "");
    for (const char* name : kFiles) {
        EXPECT_TRUE(std::filesystem::is_symlink(rt.AppFile(name))) << name;
    }
}

// With no known program folder the game starts on its defaults and no file
// is read or written anywhere, least of all in the root or the current folder.
TEST(StartupWithoutAFolder, NothingIsReadOrWritten) {
    const char* const places[] = {"/Nuvik3w.dat", "/Notes.txt", "Nuvik3w.dat", "Notes.txt"};
    std::vector<bool> before;
    for (const char* p : places) {
        before.push_back(std::filesystem::exists(p));
    }
    vb::ScriptedRuntime rt;
    const std::string folder = rt.folder;
    rt.folder.clear();
    {
        Nuvik3Main w(rt);
        w.Show();
        EXPECT_EQ(w.txtDelay->Text.get(), "240");
        w.cmdExit_Click();
    }
    rt.folder = folder;
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(std::filesystem::exists(places[i]), before[i]) << places[i];
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(Startup, FirstStartOpensTheNotesFirstAndSetsTheStartState) {
    // Fields the start-up must set, whatever they held before.
    w.Continuar = w.Practicar = w.EditMode = true;
    w.fraJuego->Visible = true;
    w.Timer1->Enabled = true;
    rt.clk.now = 43210.5f;
    w.Show();

    ASSERT_EQ(rt.shown.size(), 2u);
    ASSERT_NE(w.Notes, nullptr);
    EXPECT_EQ(rt.shown[0], w.Notes.get());
    EXPECT_EQ(rt.shown[1], &w);
    EXPECT_TRUE(std::filesystem::exists(rt.AppFile("Notes.txt")));

    EXPECT_FALSE(w.Practicar || w.Continuar || w.EditMode || w.Timer1->Enabled || w.Timer2->Enabled);
    EXPECT_TRUE(w.JuegoNuevo && w.UsaTimer1 && !w.SettingsMissing);
    EXPECT_EQ(std::tuple(w.NextLabNum, w.NumFrutas, w.MaxCol, w.MaxRow), std::tuple(1, 14, 74, 34));
    EXPECT_EQ(w.lblPtVidas->Caption.get(), "?");
    EXPECT_TRUE(rt.rnd.Randomized());
    EXPECT_EQ(rt.rnd.LastSeed(), 43210.5);
    ExpectPanels(w, {true, false, false, false});
    EXPECT_EQ(w.PauseKey, "\x1b");
    EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 0");
    EXPECT_TRUE(std::filesystem::exists(rt.AppFile("Nuvik3w.dat")));
    EXPECT_TRUE(rt.boxes.empty());
}

TEST_F(Startup, EveryCellIndexIsColumnPlus75TimesRow) {
    w.Show();
    for (int c = 0; c < Nuvik3Main::kCols; ++c) {
        for (int r = 0; r < Nuvik3Main::kRows; ++r) {
            ASSERT_EQ(w.MuroIdx[c][r], c + 75 * r) << c << "," << r;
        }
    }
}

// The panels, the pictures and the help page scale from the design size:
// from a stored size at start-up, on Resize, and when the host's bounds change.
TEST_F(Startup, PanelsPicturesAndHelpPageScaleFromTheDesignSize) {
    WriteBytes(rt.AppFile("Nuvik3w.dat"), "1\r\n0\r\n0\r\n0,0\r\n22830,16320\r\n240\r\n");
    w.Show();
    const auto expectScaled = [&](const char* how, float k) {
        SCOPED_TRACE(how);
        // (control, width, height) at the design size
        const std::tuple<vb::Control*, int, int> sized[] = {
            {w.fraMenu, 794, 473},  {&w.imgNeuron(0), 11175, 7245}, {&w.imgNeuron(1), 11175, 7245},
            {w.fraHelp, 797, 473},  {w.fraColor, 797, 473},         {w.RichTextBox1, 11055, 6615}};
        for (auto [c, width, height] : sized) {
            EXPECT_EQ(c->Width.get(), width * k) << c->Name();
            EXPECT_EQ(c->Height.get(), height * k) << c->Name();
        }
        EXPECT_EQ(w.cmdCerrar->Top.get(), 7110 * k);
        EXPECT_EQ(w.cmdCerrar->Left.get(), 9015 * k);
        // The menu's own controls and the board are not moved.
        EXPECT_EQ(w.cmdPlay->Left.get(), 960.0f);
        EXPECT_EQ(w.cmdPlay->Width.get(), 1530.0f);
    };
    expectScaled("stored size", 2.0f);
    w.fraMenu->Width = 1.0f; // shows that the resize below sets it
    w.Resize();
    expectScaled("Resize", 2.0f);
    w.HostBoundsChanged(w.Left, w.Top, 11415.0f, 8160.0f);
    expectScaled("host bounds", 1.0f);
}

TEST_F(Startup, HelpAndCloseSwitchBetweenHelpPageAndMenu) {
    w.Show();
    w.fraColor->Visible = true;
    w.cmdHelp->Click();
    ExpectPanels(w, {false, false, true, false});
    w.fraJuego->Visible = true;
    w.cmdCerrar->Click();
    ExpectPanels(w, {true, false, false, false});
}

// The notes and the picture window: a second click shows the same window
// with what it holds; one the user closed is made anew and loads afresh.
TEST_F(Startup, EachWindowIsOneInstanceUntilTheUserClosesIt) {
    WriteBytes(rt.AppFile("Notes.txt"), "\"kept\"\r\n");
    w.Show();
    EXPECT_EQ(w.KLWRP, nullptr);
    w.cmdKLWRP->Click();
    ASSERT_NE(w.KLWRP, nullptr);
    const std::string caption = w.KLWRP->Caption;
    w.Notes->txtNotes->Text = std::string("edited, not saved");
    // text: what the window holds; fresh: what it holds when loaded anew.
    const auto check = [&](auto& window, vb::Control& button, auto text, const std::string& fresh) {
        SCOPED_TRACE(button.Name());
        auto* const first = window.get();
        const std::string held = text(*first);
        button.Click();
        ASSERT_EQ(window.get(), first);
        EXPECT_EQ(text(*window), held);
        EXPECT_EQ(std::count(rt.shown.begin(), rt.shown.end(), first), 2);
        first->HostClosed();
        button.Click();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->IsLoaded());
        EXPECT_EQ(text(*window), fresh);
        EXPECT_EQ(rt.shown.back(), window.get());
    };
    check(w.Notes, *w.cmdDispNotes, [](frmNotes& n) { return n.txtNotes->Text.get(); }, "kept");
    check(w.KLWRP, *w.cmdKLWRP, [](frmKLWRP& k) { return k.Caption.get(); }, caption);
}

TEST_F(Startup, ExitSavesThenUnloadsTheWindowAndEndsTheProgram) {
    w.Show();
    w.HighScore = 55;
    w.cmdExit->Click();
    EXPECT_EQ(ReadBytes(rt.AppFile("Nuvik3w.dat")).substr(0, 7), "1\r\n55\r\n");
    ASSERT_EQ(rt.unloaded.size(), 1u);
    EXPECT_EQ(rt.unloaded[0], &w);
    EXPECT_TRUE(rt.ended);
}

TEST_F(Startup, EveryKeyPressClearsContinuarEvenOffTheBoard) {
    w.Show();
    Int16 key = 65;
    w.Continuar = true;
    w.KeyPress(key);
    EXPECT_FALSE(w.Continuar);
    EXPECT_EQ(key, 65);
}

} // namespace
