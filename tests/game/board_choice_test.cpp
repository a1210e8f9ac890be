// Which board a game starts on: the labyrinth choice of a new board, and the
// load browser that pages through the stored wall maps to set it.
#include <gtest/gtest.h>

#include <string>

#include "board_fixture.h"
#include "support/files.h"

namespace {

class BoardChoice : public BoardTest {
protected:
    BoardChoice() { w.Show(); }

    // Wall map `name`: row `openRow` and the start cell are passages, so
    // each stored map differs and the pieces have room.
    void Store(const std::string& name, int openRow) {
        std::string bytes;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            const bool open = k / Nuvik3Main::kCols == openRow || k == Nuvik3Main::kCells - 1;
            bytes += open ? "0\r\n" : "-1\r\n";
        }
        WriteBytes(rt.AppFile(name), bytes);
    }
    // The board shows the map stored by Store(…, openRow).
    bool Shows(int openRow) {
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            const bool open = k / Nuvik3Main::kCols == openRow || k == Nuvik3Main::kCells - 1;
            if (w.imgMuro(k).Visible.get() == open) {
                return false;
            }
        }
        return true;
    }
    void Play() {
        w.Reinicio = false;
        w.Continuar = false;
        w.cmdPlay_Click();
    }
    void Key(char c) {
        Int16 k = static_cast<Int16>(static_cast<unsigned char>(c));
        w.Form_KeyPress(k);
    }
    void Browse() {
        w.fraMenu->Visible = false;
        w.fraJuego->Visible = true;
        w.lblPtPause->Caption = std::string(Nuvik3Main::kLoadBrowser);
    }
};

TEST_F(BoardChoice, APositiveNumberLoadsItsWallMap) {
    Store("4.dat.txt", 10);
    w.LabACargar = 4;
    Play();
    EXPECT_TRUE(Shows(10));
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_EQ(w.LabACargar, 4);
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
}

TEST_F(BoardChoice, TheDificilFileServesTheFlagAndNegativeNumbers) {
    Store("dificil.dat.txt", 20);
    w.lblPtVidas->Caption = std::string("?");
    w.UsarDificil = true;
    Play();
    EXPECT_TRUE(Shows(20));
    EXPECT_TRUE(w.UsarDificil);
    EXPECT_EQ(w.lblPtVidas->Caption.get(), "5");
    EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 5");

    Store("-2.dat.txt", 5);
    w.UsarDificil = false;
    w.LabACargar = -2;
    Play();
    EXPECT_TRUE(Shows(20));
    EXPECT_EQ(w.LabACargar, -2);
}

// A board from a map that cannot be read is generated instead, and so are
// the boards after it.
TEST_F(BoardChoice, AWallMapThatCannotBeReadGivesAGeneratedBoard) {
    struct Case { bool dificil; Int16 number; };
    for (const Case c : {Case{true, 0}, Case{false, -1}, Case{false, 6}}) {
        w.UsarDificil = c.dificil;
        w.LabACargar = c.number;
        Play();
        EXPECT_TRUE(w.ErrorCarga);
        EXPECT_FALSE(w.UsarDificil);
        EXPECT_EQ(w.LabACargar, 0);
        EXPECT_GT(OpenCells(), 500);
        EXPECT_FALSE(w.Cell(0, 0).Visible);
        EXPECT_FALSE(w.Cell(74, 34).Visible);
    }
}

TEST_F(BoardChoice, BrowserNumberIsBoundedByOneAndMaxLab) {
    struct Case { const char* answer; Int16 maxLab; Int16 next; };
    const Case cases[] = {
        {"3", 5, 3},     {"2.5", 5, 2},  {"3.5", 5, 4}, {"9", 5, 5},   {"0", 5, 1},
        {"-4", 5, 1},    {"", 5, 1},     {"abc", 5, 1}, {"3x", 5, 1}, {"40000", 5, 1},
        {"", 0, 0},      {"7", -2, -2},  {nullptr, 5, 1},
    };
    Browse();
    bool lower = false;
    for (const Case c : cases) {
        SCOPED_TRACE(c.answer != nullptr ? c.answer : "Cancel");
        w.MaxLab = c.maxLab;
        w.NextLabNum = 2;
        if (c.answer != nullptr) {
            rt.inputs.push_back(c.answer);
        }
        lower = !lower;
        Key(lower ? 'n' : 'N');
        EXPECT_EQ(w.NextLabNum, c.next);
        EXPECT_EQ(rt.inputBoxes.back().prompt, "First Labyrinth (number):");
        EXPECT_EQ(rt.inputBoxes.back().title, "Please enter number");
        EXPECT_EQ(rt.inputBoxes.back().defaultText, "2");
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kLoadBrowser);
    }
}

TEST_F(BoardChoice, BrowserShowsEachMapInTurnAndWrapsAfterMaxLab) {
    Store("1.dat.txt", 1);
    Store("2.dat.txt", 2);
    Browse();
    w.MaxLab = 2;
    w.NextLabNum = 1;
    const int expected[][2] = {{1, 2}, {2, 1}, {1, 2}};   // shown, then next
    for (const auto& step : expected) {
        Key(step[0] == 1 ? 's' : 'S');
        EXPECT_TRUE(Shows(step[0]));
        EXPECT_EQ(w.LabACargar, step[0]);
        EXPECT_EQ(w.NextLabNum, step[1]);
    }

    // With no stored maps the one asked for is still tried.
    w.MaxLab = 0;
    w.NextLabNum = 5;
    Key('s');
    EXPECT_TRUE(w.ErrorCarga);
    EXPECT_EQ(w.LabACargar, 5);
    EXPECT_EQ(w.NextLabNum, 1);

    // At the top of the 16-bit range the number cannot step on.
    w.MaxLab = 32767;
    w.NextLabNum = 32767;
    Key('s');
    EXPECT_EQ(w.LabACargar, 32767);
    EXPECT_EQ(w.NextLabNum, 32767);
}

TEST_F(BoardChoice, BrowserEscLeavesForTheMenuKeepingLivesAndScore) {
    Browse();
    w.Vidas = 2;
    w.Score = 7;
    w.Timer1->Enabled = true;
    Key('\x1b');
    EXPECT_EQ(w.FinMotivo, -999);
    EXPECT_TRUE(w.fraMenu->Visible);
    EXPECT_FALSE(w.fraJuego->Visible);
    EXPECT_FALSE(w.Timer1->Enabled);
    EXPECT_EQ(w.Vidas, 2);
    EXPECT_EQ(w.Score, 7);
}

TEST_F(BoardChoice, BrowserUseKeepsTheLastShownMapForTheNextGame) {
    Store("3.dat.txt", 30);
    Browse();
    w.MaxLab = 3;
    w.LabInUse = 1;
    w.LabACargar = 0;
    w.UsarDificil = true;
    Key('u');   // before any S: the choice as it stands
    EXPECT_EQ(w.LabInUse, 0);
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.Vidas, 5);
    EXPECT_EQ(w.FinMotivo, -999);
    EXPECT_TRUE(w.fraMenu->Visible);

    Browse();
    w.NextLabNum = 3;
    Key('S');
    Key('U');
    EXPECT_EQ(w.LabInUse, 3);
    // The settings file keeps the map in use (record 8) and the choice (record 10).
    const std::vector<std::string> records = Records(ReadBytes(rt.AppFile("Nuvik3w.dat")));
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records[7], "3");
    EXPECT_EQ(records[9], "3");

    w.cmdPlay->Click();
    EXPECT_TRUE(Shows(30));
}

TEST_F(BoardChoice, BrowserIgnoresOtherKeysAndHiddenBoards) {
    Browse();
    w.NextLabNum = 1;
    w.MaxLab = 3;
    for (char c : std::string("8x2.aAbB\r lL")) {
        Key(c);
    }
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kLoadBrowser);
    EXPECT_TRUE(w.fraJuego->Visible);
    EXPECT_EQ(w.NextLabNum, 1);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_TRUE(rt.inputBoxes.empty());

    // The death prompt comes first while the critter is hit.
    w.Pausado = true;
    Key('n');
    EXPECT_TRUE(rt.inputBoxes.empty());
    w.Pausado = false;
    w.fraJuego->Visible = false;
    Key('n');
    EXPECT_TRUE(rt.inputBoxes.empty());
}

} // namespace
