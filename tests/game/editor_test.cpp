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
        w.SetWidth(22830);
        w.SetHeight(16320);
        w.txtDelay->Text = std::string("240");
        w.MaxLab = 3;
        w.Vidas = 2;
        w.LabInUse = 1;
        w.UsarDificil = true;
        w.FinMotivo = 0;
        w.lblPtPause->Caption = std::string("status");
        w.fraMenu->Visible = true;
        w.fraJuego->Visible = false;
        w.ImgFruta(3).Visible = true;
        w.ImgNuvik(1).Visible = true;
        w.imgBala->Visible = true;
        for (Int16 r = 0; r < 20; ++r) w.SetCell(r, 0, "space", 75);   // so a cleared board shows
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
        if (answer != nullptr) rt.inputs.push_back(answer);
        w.EditLabyrinth();
    }

    // The editor open on a cleared board, or the menu left as it was.
    void ExpectEditing(bool editing) {
        EXPECT_EQ(w.EditMode, editing);
        EXPECT_EQ(w.fraMenu->Visible.get(), !editing);
        EXPECT_EQ(w.fraJuego->Visible.get(), editing);
        if (!editing) { EXPECT_EQ(OpenCells(), 20 * 75); }
    }
};

// A new labyrinth: all walls but the start cell, laid out for the window as
// it is now with the pieces hidden, and the fields of a loaded one left as
// they were.
TEST_F(Editor, ZeroOrAnAnswerWithoutANumberMakesANewLabyrinth) {
    const char* const answers[] = {"0", "", "abc", "99999", " 0.4", nullptr};
    for (const char* answer : answers) {
        SCOPED_TRACE(answer != nullptr ? answer : "Cancel");
        Reset();
        Edit(answer);
        ExpectEditing(true);
        EXPECT_EQ(OpenCells(), 1);
        EXPECT_FALSE(IsWall(34, 74));
        EXPECT_EQ(w.imgMuro(2624).Left.get(), 74 * 300 + 25.0f);
        EXPECT_EQ(w.imgMuro(2624).Top.get(), 34 * 420.0f);
        EXPECT_FALSE(w.ImgFruta(3).Visible);
        EXPECT_FALSE(w.ImgNuvik(1).Visible);
        EXPECT_FALSE(w.imgBala->Visible);
        EXPECT_EQ(w.lblPtPause->Caption.get(), "status");
        EXPECT_EQ(w.Vidas, 2);
        EXPECT_EQ(w.LabInUse, 1);
        EXPECT_TRUE(w.UsarDificil);
        EXPECT_EQ(w.FinMotivo, 0);
    }
    EXPECT_EQ(rt.beeps, 0);
    EXPECT_EQ(rt.inputBoxes.back().prompt, "Input Lab number to edit (0 for create new)");
    EXPECT_EQ(rt.inputBoxes.back().title, "Edit or create a labyrinth");
    EXPECT_EQ(rt.inputBoxes.back().defaultText, "0");
}

TEST_F(Editor, ANumberOutsideTheStoredOnesOnlyBeeps) {
    struct Case { const char* answer; Int16 maxLab; };
    int beeps = 0;
    const Case cases[] = {{"-1", 3}, {"4", 3}, {"3.5", 3}, {"-0.6", 3}, {"1", 0}};
    for (const Case c : cases) {
        SCOPED_TRACE(c.answer);
        w.MaxLab = c.maxLab;
        Edit(c.answer);
        ExpectEditing(false);
        EXPECT_EQ(rt.beeps, ++beeps);
    }
}

// The number rounds half to even; the start cell takes the file's state.
TEST_F(Editor, AStoredNumberLoadsItsWallMapIntoThePauseMenu) {
    w.MaxLab = 4;
    Store(2, {100, 200});
    Store(4, {7});
    struct Case { const char* answer; Int16 lab; int open; bool error; };
    const Case cases[] = {{"2.5", 2, 100, false}, {"3.5", 4, 7, false}, {"3", 3, 2624, true}};
    for (const Case c : cases) {
        SCOPED_TRACE(c.answer);
        Reset();
        w.MaxLab = 4;
        Edit(c.answer);
        ExpectEditing(true);
        EXPECT_EQ(w.ErrorCarga, c.error);
        EXPECT_EQ(OpenCells(), c.lab == 2 ? 2 : 1);   // a missing map leaves the walls
        EXPECT_FALSE(w.imgMuro(c.open).Visible);
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
        EXPECT_FALSE(w.UsarDificil);
        EXPECT_EQ(w.Vidas, 5);
        EXPECT_EQ(w.FinMotivo, -999);
        EXPECT_EQ(w.LabInUse, c.lab);
    }
    EXPECT_EQ(w.lblPtVidas->Caption.get(), "5");
}

TEST_F(Editor, AClickOpensAWallOnlyInEditModeAndClearLabChoiceGoesBackToGeneration) {
    w.imgMuro(2000).Click();
    EXPECT_TRUE(w.imgMuro(2000).Visible);
    w.EditMode = true;
    w.imgMuro(2000).Click();
    w.imgMuro_Click(2625);   // no such cell: nothing happens
    w.imgMuro_Click(-1);
    EXPECT_EQ(OpenCells(), 20 * 75 + 1);

    w.LabACargar = 4;
    w.ClearLabChoice();
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
}

} // namespace
