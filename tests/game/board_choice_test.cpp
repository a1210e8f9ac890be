// Which board a game starts on: the labyrinth choice of a new board, and the
// load browser that pages through the stored wall maps to set it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
    void Key(char c) {
        Int16 k = static_cast<unsigned char>(c);
        w.Form_KeyPress(k);
    }
    void Browse() {
        w.fraMenu->Visible = false;
        w.fraJuego->Visible = true;
        w.lblPtPause->Caption = std::string(Nuvik3Main::kLoadBrowser);
    }
};

// A positive number loads its own map; the flag and negative numbers load
// the dificil file; 0 without the flag generates, a stored dificil file or
// not. A map that cannot be read gives a generated board instead, and so do
// the games after it.
TEST_F(BoardChoice, TheChoiceNamesTheWallMapAGameStartsOn) {
    w.lblPtVidas->Caption = std::string("?");
    struct Case { bool dificil; Int16 number; const char* file; int row; };
    const Case cases[] = {{false, 4, "4.dat.txt", 10}, {true, 0, "dificil.dat.txt", 20},
                          {false, -2, "dificil.dat.txt", 20}, {false, 0, "dificil.dat.txt", 20}};
    for (const bool stored : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.number);
            const bool loads = c.dificil || c.number != 0;
            if (stored) Store(c.file, c.row);
            else std::filesystem::remove(rt.AppFile(c.file));
            w.UsarDificil = c.dificil;
            w.LabACargar = c.number;
            w.Reinicio = false;
            w.Continuar = false;
            w.ErrorCarga = false;
            w.cmdPlay_Click();
            EXPECT_EQ(w.ErrorCarga, loads && !stored);
            EXPECT_EQ(w.UsarDificil, stored && c.dificil);
            EXPECT_EQ(w.LabACargar, stored ? c.number : 0);
            if (stored && loads) {
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

// N asks for the number, bounded by 1 and MaxLab, Cancel or no number
// counting as 0. S shows map NextLabNum and steps on, back to 1 after MaxLab;
// with no stored maps the one asked for is still tried; at the top of the
// 16-bit range the number cannot step on. Other keys change nothing, and the
// browser stays open. The death prompt comes first while the critter is hit,
// and a hidden board takes no browser key.
TEST_F(BoardChoice, BrowserKeysSetTheNumberAndShowItsMap) {
    Store("1.dat.txt", 1);
    Store("2.dat.txt", 2);
    Browse();
    // answer: typed into N's box, nullptr for Cancel; shown: the map S tried
    // (LabACargar); error: it could not be read.
    struct Case { char key; const char* answer; Int16 maxLab, next, after, shown = 0; bool error = false; };
    std::vector<Case> cases = {
        {'n', "3", 5, 2, 3},   {'N', "2.5", 5, 2, 2},   {'n', "3.5", 5, 2, 4}, {'N', "9", 5, 2, 5},
        {'n', "0", 5, 2, 1},   {'N', "-4", 5, 2, 1},    {'n', "", 5, 2, 1},    {'N', "abc", 5, 2, 1},
        {'n', "3x", 5, 2, 1},  {'N', "40000", 5, 2, 1}, {'n', "", 0, 2, 0},    {'N', "7", -2, 2, -2},
        {'n', nullptr, 5, 2, 1},
        {'s', nullptr, 2, 1, 2, 1}, {'S', nullptr, 2, 2, 1, 2}, {'s', nullptr, 0, 5, 1, 5, true},
        {'S', nullptr, 32767, 32767, 32767, 32767, true},
    };
    for (const char key : std::string("8x2.aAbB\r lL")) cases.push_back({key, nullptr, 3, 1, 1});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases.data() << ", key " << c.key);
        w.MaxLab = c.maxLab;
        w.NextLabNum = c.next;
        w.LabACargar = 0;
        w.ErrorCarga = false;
        if (c.answer != nullptr) rt.inputs.push_back(c.answer);
        Key(c.key);
        EXPECT_EQ(w.NextLabNum, c.after);
        EXPECT_EQ(w.LabACargar, c.shown);
        EXPECT_EQ(w.ErrorCarga, c.error);
        if (c.shown != 0 && !c.error) { EXPECT_TRUE(Shows(c.shown)); }
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kLoadBrowser);
        EXPECT_TRUE(w.fraJuego->Visible);
    }
    w.Pausado = true;
    Key('n');
    w.Pausado = false;
    w.fraJuego->Visible = false;
    Key('n');
    const auto asks = [](const Case& c) { return c.key == 'n' || c.key == 'N'; };
    ASSERT_EQ(std::ssize(rt.inputBoxes), std::count_if(cases.begin(), cases.end(), asks));
    EXPECT_EQ(rt.inputBoxes.back().prompt, "First Labyrinth (number):");
    EXPECT_EQ(rt.inputBoxes.back().title, "Please enter number");
    EXPECT_EQ(rt.inputBoxes.back().defaultText, "2");
}

// Esc leaves for the menu keeping lives, score and choice; U keeps the
// choice as it stands (before any S), or the last shown map, for the next game.
TEST_F(BoardChoice, BrowserEscOrUseLeavesForTheMenu) {
    Store("3.dat.txt", 30);
    w.MaxLab = 3;
    w.NextLabNum = 3;
    struct Case { const char* keys; int lives; Int16 inUse; bool dificil; };
    for (const Case c : {Case{"\x1b", 2, 1, true}, Case{"u", 5, 0, false}, Case{"SU", 5, 3, false}}) {
        SCOPED_TRACE(c.keys);
        Browse();
        w.Vidas = 2;
        w.Score = 7;
        w.LabInUse = 1;
        w.UsarDificil = true;
        w.FinMotivo = 0;
        w.Timer1->Enabled = true;
        for (const char key : std::string(c.keys)) Key(key);
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
    // The settings file keeps the map in use (record 8) and the choice (record 10).
    const std::vector<std::string> records = Records(ReadBytes(rt.AppFile("Nuvik3w.dat")));
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records[7], "3");
    EXPECT_EQ(records[9], "3");
    w.cmdPlay->Click();
    EXPECT_TRUE(Shows(30));
}

} // namespace
