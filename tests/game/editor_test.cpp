#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board_fixture.h"
#include "support/files.h"

namespace {

class Editor : public BoardTest {
protected:
    Editor() { Reset(); }

    void Reset() {
        w.EditMode = false;
        w.SetWidth(11415);
        w.SetHeight(8160);
        w.txtDelay->Text = std::string("240");
        w.MaxLab = 3;
        w.Vidas = 2;
        w.LabInUse = 1;
        w.UsarDificil = true;
        w.FinMotivo = 0;
        w.lblPtPause->Caption = std::string("status");
        w.fraMenu->Visible = true;
        w.fraJuego->Visible = false;
        // A half-open board, so a cleared one shows.
        for (Int16 r = 0; r < 20; ++r) {
            w.SetCell(r, 0, "space", 75);
        }
    }

    // Labyrinth n stored with a passage at each of the given cells.
    void Store(Int16 n, std::initializer_list<int> open) {
        std::string bytes;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            bytes += std::find(open.begin(), open.end(), k) != open.end() ? "0\r\n" : "-1\r\n";
        }
        WriteBytes(rt.AppFile(std::to_string(n) + ".dat.txt"), bytes);
    }

    void Edit(const char* answer) {
        if (answer != nullptr) {
            rt.inputs.push_back(answer);
        }
        w.EditLabyrinth();
    }

    void ExpectUntouched() {
        EXPECT_EQ(OpenCells(), 20 * 75);
        EXPECT_FALSE(w.EditMode);
        EXPECT_TRUE(w.fraMenu->Visible);
        EXPECT_FALSE(w.fraJuego->Visible);
    }

    // A new labyrinth: all walls but the start cell, and the fields of a
    // loaded one left as they were.
    void ExpectNewLabyrinth() {
        EXPECT_EQ(OpenCells(), 1);
        EXPECT_FALSE(IsWall(34, 74));
        EXPECT_TRUE(w.EditMode);
        EXPECT_FALSE(w.fraMenu->Visible);
        EXPECT_TRUE(w.fraJuego->Visible);
        EXPECT_EQ(w.lblPtPause->Caption.get(), "status");
        EXPECT_EQ(w.Vidas, 2);
        EXPECT_EQ(w.LabInUse, 1);
        EXPECT_TRUE(w.UsarDificil);
        EXPECT_EQ(w.FinMotivo, 0);
    }
};

TEST_F(Editor, ZeroOrAnAnswerWithoutANumberMakesANewLabyrinth) {
    for (const char* answer : {"0", "", "abc", "99999", " 0.4", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(answer != nullptr ? answer : "Cancel");
        Reset();
        Edit(answer);
        ExpectNewLabyrinth();
        EXPECT_EQ(rt.beeps, 0);
    }
    EXPECT_EQ(rt.inputBoxes.back().prompt, "Input Lab number to edit (0 for create new)");
    EXPECT_EQ(rt.inputBoxes.back().title, "Edit or create a labyrinth");
    EXPECT_EQ(rt.inputBoxes.back().defaultText, "0");
}

TEST_F(Editor, ANumberOutsideTheStoredOnesOnlyBeeps) {
    for (const char* answer : {"-1", "4", "3.5", "-0.6"}) {
        Edit(answer);
        ExpectUntouched();
    }
    EXPECT_EQ(rt.beeps, 4);
    w.MaxLab = 0;
    Edit("1");
    ExpectUntouched();
    EXPECT_EQ(rt.beeps, 5);
}

TEST_F(Editor, AStoredNumberLoadsItsWallMapIntoThePauseMenu) {
    Store(2, {100, 200});
    Edit("2.5");   // half to even: 2
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 2);
    EXPECT_FALSE(IsWall(1, 25));
    // The start cell takes the file's state.
    EXPECT_TRUE(IsWall(34, 74));
    EXPECT_TRUE(w.EditMode);
    EXPECT_EQ(w.lblPtPause->Caption.get(), "A-Morir   B-Fin   Otra/Other-Jugar play");
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.Vidas, 5);
    EXPECT_EQ(w.FinMotivo, -999);
    EXPECT_EQ(w.LabInUse, 2);
    EXPECT_EQ(w.lblPtVidas->Caption.get(), "5");
    EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 5");

    w.MaxLab = 4;
    Store(4, {7});
    Edit("3.5");   // half to even: 4
    EXPECT_EQ(w.LabInUse, 4);
    EXPECT_FALSE(IsWall(0, 7));
}

TEST_F(Editor, AMissingWallMapLeavesWallsAndStaysInEditMode) {
    Edit("3");
    EXPECT_TRUE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 1);
    EXPECT_TRUE(w.EditMode);
    EXPECT_EQ(w.LabInUse, 3);
}

// The layout itself is the game start's; here only that it runs for the
// window's present size and hides the pieces.
TEST_F(Editor, TheBoardIsLaidOutForTheWindowAsItIsNow) {
    w.SetWidth(22830);
    w.SetHeight(16320);
    w.ImgFruta(3).Visible = true;
    w.ImgNuvik(1).Visible = true;
    w.imgBala->Visible = true;
    w.txtDelay->Text = std::string("120.7");
    Edit("0");
    EXPECT_EQ(w.Timer1->Interval(), 121);   // the interval rounds, Delay is cut
    EXPECT_EQ(w.Delay, 120);
    EXPECT_DOUBLE_EQ(w.CellW, 300);
    EXPECT_DOUBLE_EQ(w.CellH, 420);
    EXPECT_EQ(w.imgMuro(2624).Left.get(), 74 * 300 + 25.0f);
    EXPECT_EQ(w.imgMuro(2624).Top.get(), 34 * 420.0f);
    EXPECT_FALSE(w.ImgFruta(3).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
    EXPECT_FALSE(w.imgBala->Visible);
}

TEST_F(Editor, AClickOpensAWallOnlyInEditMode) {
    w.imgMuro(2000).Click();
    EXPECT_TRUE(w.imgMuro(2000).Visible);
    w.EditMode = true;
    w.imgMuro(2000).Click();
    EXPECT_FALSE(w.imgMuro(2000).Visible);
    w.imgMuro_Click(2625);   // no such cell: nothing happens
    w.imgMuro_Click(-1);
    EXPECT_EQ(OpenCells(), 20 * 75 + 1);
}

TEST_F(Editor, ClearLabChoiceGoesBackToGeneration) {
    w.LabACargar = 4;
    w.ClearLabChoice();
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 1);
}

} // namespace
