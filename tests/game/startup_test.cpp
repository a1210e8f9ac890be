#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

class Startup : public ::testing::Test {
protected:
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

// Pipes in the files' places: start-up neither waits on them nor replaces
// them, and shows the defaults.
TEST_F(Startup, PipesInPlaceOfTheFilesAreNeitherWaitedOnNorReplaced) {
    for (const char* name : {"Nuvik3w.dat", "Notes.txt"}) {
        ASSERT_EQ(::mkfifo(rt.AppFile(name).c_str(), 0644), 0);
    }
    ::alarm(20); // a regression hangs here; end it instead
    w.Show();
    ::alarm(0);
    EXPECT_EQ(w.txtDelay->Text.get(), "240");
    EXPECT_EQ(w.Notes->txtNotes->Text.get(), "");
    w.Notes->cmdSaveNotes_Click();
    w.cmdExit_Click();
    for (const char* name : {"Nuvik3w.dat", "Notes.txt"}) {
        EXPECT_TRUE(std::filesystem::is_fifo(rt.AppFile(name))) << name;
    }
}

// Dangling links: the first-run files are made where they point, and the
// links stay.
TEST_F(Startup, DanglingLinksGetTheFirstRunFilesAtTheirTargets) {
    std::filesystem::create_directory(rt.folder + "/kept");
    for (const char* name : {"Nuvik3w.dat", "Notes.txt"}) {
        std::filesystem::create_symlink(std::string("kept/") + name, rt.AppFile(name));
    }
    w.Show();
    EXPECT_EQ(ReadBytes(rt.folder + "/kept/Nuvik3w.dat").size(), 62u);
    EXPECT_EQ(ReadBytes(rt.folder + "/kept/Notes.txt"), "");
    for (const char* name : {"Nuvik3w.dat", "Notes.txt"}) {
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
    w.Continuar = true;
    w.Practicar = true;
    w.EditMode = true;
    w.fraJuego->Visible = true;
    w.Timer1->Enabled = true;
    rt.clk.now = 43210.5f;
    w.Show();

    ASSERT_EQ(rt.shown.size(), 2u);
    ASSERT_NE(w.Notes, nullptr);
    EXPECT_EQ(rt.shown[0], w.Notes.get());
    EXPECT_EQ(rt.shown[1], &w);
    EXPECT_TRUE(std::filesystem::exists(rt.AppFile("Notes.txt")));

    EXPECT_FALSE(w.Practicar);
    EXPECT_FALSE(w.Continuar);
    EXPECT_TRUE(w.JuegoNuevo);
    EXPECT_FALSE(w.EditMode);
    EXPECT_EQ(w.NextLabNum, 1);
    EXPECT_EQ(w.lblPtVidas->Caption.get(), "?");
    EXPECT_FALSE(w.Timer1->Enabled.get());
    EXPECT_FALSE(w.Timer2->Enabled.get());
    EXPECT_TRUE(w.UsaTimer1);
    EXPECT_TRUE(rt.rnd.Randomized());
    EXPECT_EQ(rt.rnd.LastSeed(), 43210.5);
    ExpectPanels(w, {true, false, false, false});
    EXPECT_EQ(w.NumFrutas, 14);
    EXPECT_EQ(w.PauseKey, "\x1b");
    EXPECT_FALSE(w.SettingsMissing);
    EXPECT_EQ(w.MaxCol, 74);
    EXPECT_EQ(w.MaxRow, 34);
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

TEST_F(Startup, TheLabyrinthChoiceOfTheFileIsResetToGeneration) {
    WriteBytes(rt.AppFile("Nuvik3w.dat"),
               "1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n240\r\n#TRUE#\r\n6\r\n8\r\n7\r\n#FALSE#\r\n");
    w.Show();
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 6);
    EXPECT_EQ(w.MaxLab, 8);
}

TEST_F(Startup, AStoredSizeLaysOutThePanelsDuringStartUp) {
    WriteBytes(rt.AppFile("Nuvik3w.dat"), "1\r\n0\r\n0\r\n0,0\r\n22830,16320\r\n240\r\n");
    w.Show();
    EXPECT_EQ(w.fraMenu->Width.get(), 1588.0f);
    EXPECT_EQ(w.fraMenu->Height.get(), 946.0f);
}

TEST_F(Startup, ResizeScalesPanelsPicturesAndHelpPageFromTheDesignSize) {
    w.Show();
    for (const float k : {1.0f, 2.0f}) {
        SCOPED_TRACE(k);
        if (k == 1.0f) {
            w.fraMenu->Width = 1.0f; // shows that the resize below set it
            w.Resize();
        } else {
            w.HostBoundsChanged(w.Left, w.Top, 11415.0f * k, 8160.0f * k);
        }
        EXPECT_EQ(w.fraMenu->Width.get(), 794 * k);
        EXPECT_EQ(w.fraMenu->Height.get(), 473 * k);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(w.imgNeuron(i).Width.get(), 11175 * k);
            EXPECT_EQ(w.imgNeuron(i).Height.get(), 7245 * k);
        }
        EXPECT_EQ(w.fraHelp->Width.get(), 797 * k);
        EXPECT_EQ(w.fraHelp->Height.get(), 473 * k);
        EXPECT_EQ(w.fraColor->Width.get(), 797 * k);
        EXPECT_EQ(w.fraColor->Height.get(), 473 * k);
        EXPECT_EQ(w.cmdCerrar->Top.get(), 7110 * k);
        EXPECT_EQ(w.cmdCerrar->Left.get(), 9015 * k);
        EXPECT_EQ(w.RichTextBox1->Width.get(), 11055 * k);
        EXPECT_EQ(w.RichTextBox1->Height.get(), 6615 * k);
        // The menu's own controls and the board are not moved.
        EXPECT_EQ(w.cmdPlay->Left.get(), 960.0f);
        EXPECT_EQ(w.cmdPlay->Width.get(), 1530.0f);
    }
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

TEST_F(Startup, DisplayNotesShowsTheSameWindowUntilTheUserClosesIt) {
    WriteBytes(rt.AppFile("Notes.txt"), "\"kept\"\r\n");
    w.Show();
    frmNotes* first = w.Notes.get();
    first->txtNotes->Text = std::string("edited, not saved");
    w.cmdDispNotes->Click();
    EXPECT_EQ(w.Notes.get(), first);
    EXPECT_EQ(first->txtNotes->Text.get(), "edited, not saved");
    EXPECT_EQ(std::count(rt.shown.begin(), rt.shown.end(), first), 2);

    first->HostClosed();
    w.cmdDispNotes->Click();
    ASSERT_NE(w.Notes, nullptr);
    EXPECT_TRUE(w.Notes->IsLoaded());
    EXPECT_EQ(w.Notes->txtNotes->Text.get(), "kept");
    EXPECT_EQ(rt.shown.back(), w.Notes.get());
}

TEST_F(Startup, ThePictureWindowIsOneInstanceAndLoadsAnewAfterClosing) {
    w.Show();
    EXPECT_EQ(w.KLWRP, nullptr);
    w.cmdKLWRP->Click();
    frmKLWRP* first = w.KLWRP.get();
    ASSERT_NE(first, nullptr);
    const std::string caption = first->Caption;
    w.cmdKLWRP->Click();
    EXPECT_EQ(w.KLWRP.get(), first);
    EXPECT_EQ(std::count(rt.shown.begin(), rt.shown.end(), first), 2);

    first->HostClosed();
    w.cmdKLWRP->Click();
    ASSERT_NE(w.KLWRP, nullptr);
    EXPECT_TRUE(w.KLWRP->IsLoaded());
    EXPECT_EQ(w.KLWRP->Caption.get(), caption);
    EXPECT_EQ(rt.shown.back(), w.KLWRP.get());
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
