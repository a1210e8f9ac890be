// Which board a game starts on: the labyrinth choice of a new board, and the
// load browser that pages through the stored wall maps to set it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "board_fixture.h"
#include "support/files.h"

namespace {

class BoardChoice : public BoardTest {
protected:
    BoardChoice() { w.Show(); }

    // Wall map `name` opens row `openRow` and the start cell, so each stored
    // map differs and the pieces have room; Shows(openRow) says the board has it.
    static bool OpenIn(int k, int openRow) {
        return k / Nuvik3Main::kCols == openRow || k == Nuvik3Main::kCells - 1;
    }
    void Store(const std::string& name, int openRow) {
        std::string bytes;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            bytes += OpenIn(k, openRow) ? "0\r\n" : "-1\r\n";
        }
        WriteBytes(rt.AppFile(name), bytes);
    }
    bool Shows(int openRow) {
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            if (w.imgMuro(k).Visible.get() == OpenIn(k, openRow)) return false;
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

// A positive number loads its own map; the flag and negative numbers load
// the dificil file. A map that cannot be read gives a generated board
// instead, and so do the games after it.
TEST_F(BoardChoice, TheChoiceNamesTheWallMapAGameStartsOn) {
    w.lblPtVidas->Caption = std::string("?");
    struct Case { bool dificil; Int16 number; const char* file; int row; };
    const Case cases[] = {{false, 4, "4.dat.txt", 10}, {true, 0, "dificil.dat.txt", 20},
                          {false, -2, "dificil.dat.txt", 20}};
    for (const bool stored : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.number);
            if (stored) Store(c.file, c.row);
            else std::filesystem::remove(rt.AppFile(c.file));
            w.UsarDificil = c.dificil;
            w.LabACargar = c.number;
            Play();
            EXPECT_EQ(w.ErrorCarga, !stored);
            EXPECT_EQ(w.UsarDificil, stored && c.dificil);
            EXPECT_EQ(w.LabACargar, stored ? c.number : 0);
            if (stored) {
                EXPECT_TRUE(Shows(c.row));
                EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
                EXPECT_EQ(w.lblPtVidas->Caption.get(), "5");
            } else {
                EXPECT_GT(OpenCells(), 500);
                EXPECT_FALSE(w.Cell(0, 0).Visible);
                EXPECT_FALSE(w.Cell(74, 34).Visible);
            }
        }
    }
}

TEST_F(BoardChoice, BrowserNumberIsBoundedByOneAndMaxLab) {
    struct Case { const char* answer; Int16 maxLab; Int16 next; };
    const Case cases[] = {
        {"3", 5, 3},   {"2.5", 5, 2}, {"3.5", 5, 4},   {"9", 5, 5}, {"0", 5, 1},    {"-4", 5, 1},
        {"", 5, 1},    {"abc", 5, 1}, {"3x", 5, 1},    {"40000", 5, 1}, {"", 0, 0}, {"7", -2, -2},
        {nullptr, 5, 1},
    };
    Browse();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer != nullptr ? c.answer : "Cancel");
        w.MaxLab = c.maxLab;
        w.NextLabNum = 2;
        if (c.answer != nullptr) rt.inputs.push_back(c.answer);
        Key((&c - cases) % 2 ? 'N' : 'n');
        EXPECT_EQ(w.NextLabNum, c.next);
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kLoadBrowser);
    }
    ASSERT_EQ(rt.inputBoxes.size(), std::size(cases));
    EXPECT_EQ(rt.inputBoxes.back().prompt, "First Labyrinth (number):");
    EXPECT_EQ(rt.inputBoxes.back().title, "Please enter number");
    EXPECT_EQ(rt.inputBoxes.back().defaultText, "2");
}

// S shows map NextLabNum and steps on, back to 1 after MaxLab; with no
// stored maps the one asked for is still tried; at the top of the 16-bit
// range the number cannot step on.
TEST_F(BoardChoice, BrowserShowsEachMapInTurnAndWrapsAfterMaxLab) {
    Store("1.dat.txt", 1);
    Store("2.dat.txt", 2);
    Browse();
    struct Case { Int16 maxLab, next; char key; Int16 shown, after; bool error; };
    const Case cases[] = {
        {2, 1, 's', 1, 2, false}, {2, 2, 'S', 2, 1, false}, {0, 5, 's', 5, 1, true},
        {32767, 32767, 'S', 32767, 32767, true},
    };
    for (const Case& c : cases) {
        w.MaxLab = c.maxLab;
        w.NextLabNum = c.next;
        Key(c.key);
        if (!c.error) { EXPECT_TRUE(Shows(c.shown)); }
        EXPECT_EQ(w.ErrorCarga, c.error);
        EXPECT_EQ(w.LabACargar, c.shown);
        EXPECT_EQ(w.NextLabNum, c.after);
    }
}

// Esc leaves for the menu keeping lives, score and choice; U keeps the
// choice as it stands (before any S), or the last shown map, for the next game.
TEST_F(BoardChoice, BrowserEscOrUseLeavesForTheMenu) {
    Store("3.dat.txt", 30);
    w.MaxLab = 3;
    struct Case { char key; int lives; Int16 inUse; bool dificil; };
    for (const Case c : {Case{'\x1b', 2, 1, true}, Case{'u', 5, 0, false}}) {
        Browse();
        w.Vidas = 2;
        w.Score = 7;
        w.LabInUse = 1;
        w.UsarDificil = true;
        w.FinMotivo = 0;
        w.Timer1->Enabled = true;
        Key(c.key);
        EXPECT_EQ(w.FinMotivo, -999);
        EXPECT_TRUE(w.fraMenu->Visible);
        EXPECT_FALSE(w.fraJuego->Visible);
        EXPECT_FALSE(w.Timer1->Enabled);
        EXPECT_EQ(w.Score, 7);
        EXPECT_EQ(w.Vidas, c.lives);
        EXPECT_EQ(w.LabInUse, c.inUse);
        EXPECT_EQ(w.UsarDificil, c.dificil);
    }
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);

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

// The death prompt comes first while the critter is hit, and a hidden board
// takes no browser key.
TEST_F(BoardChoice, BrowserIgnoresOtherKeysAndHiddenBoards) {
    Browse();
    w.NextLabNum = 1;
    w.MaxLab = 3;
    for (char c : std::string("8x2.aAbB\r lL")) Key(c);
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kLoadBrowser);
    EXPECT_TRUE(w.fraJuego->Visible);
    EXPECT_EQ(w.NextLabNum, 1);
    EXPECT_EQ(w.LabACargar, 0);
    w.Pausado = true;
    Key('n');
    w.Pausado = false;
    w.fraJuego->Visible = false;
    Key('n');
    EXPECT_TRUE(rt.inputBoxes.empty());
}

} // namespace
