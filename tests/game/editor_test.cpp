#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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
        w.Vidas = 2;
        w.LabInUse = 1;
        w.UsarDificil = true;
        w.FinMotivo = 0;
        w.lblPtPause->Caption = std::string("status");
        w.lblPtVidas->Caption = std::string("?");
        w.fraMenu->Visible = true;
        w.fraJuego->Visible = false;
        w.ImgFruta(3).Visible = true;
        w.ImgNuvik(1).Visible = true;
        w.imgBala->Visible = true;
        rt.beeps = 0;
        AllWalls();
        for (Int16 r = 0; r < 20; ++r) w.SetCell(r, 0, "space", 75);   // so a cleared board shows
    }

    // Labyrinth n stored with passages at the given cells.
    void Store(Int16 n, const std::vector<int>& open) {
        std::string bytes;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            bytes += std::count(open.begin(), open.end(), k) != 0 ? "0\r\n" : "-1\r\n";
        }
        WriteBytes(rt.AppFile(std::to_string(n) + ".dat.txt"), bytes);
    }

    std::vector<int> Passages() {
        std::vector<int> open;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            if (!w.imgMuro(k).Visible) open.push_back(k);
        }
        return open;
    }
};

// The answer's leading number, rounded half to even, picks the board: 0 or
// no number a new labyrinth (all walls but the start cell), a stored number
// its wall map in the pause menu of a new game (a missing map leaves the
// walls; the start cell takes the file's state), any other number only a
// beep. The editor's board is laid out for the window as it is now, with the
// pieces hidden.
TEST_F(Editor, TheAnswerOpensANewOrAStoredLabyrinthOrOnlyBeeps) {
    Store(2, {100, 200});
    Store(4, {7});
    // lab: -1 only a beep, 0 a new labyrinth; open: the editor's passages.
    struct Case { const char* answer; Int16 maxLab, lab; std::vector<int> open; };
    const Case cases[] = {
        {"0", 3, 0, {2624}},     {"", 3, 0, {2624}},        {"abc", 3, 0, {2624}},
        {"99999", 3, 0, {2624}}, {" 0.4", 3, 0, {2624}},    {nullptr, 3, 0, {2624}},   // Cancel
        {"2.5", 4, 2, {100, 200}}, {"3.5", 4, 4, {7}},      {"3", 4, 3, {2624}},   // no map 3
        {"-1", 3, -1, {}},  {"4", 3, -1, {}},  {"3.5", 3, -1, {}},  {"-0.6", 3, -1, {}},  {"1", 0, -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer != nullptr ? c.answer : "Cancel");
        Reset();
        w.MaxLab = c.maxLab;
        if (c.answer != nullptr) rt.inputs.push_back(c.answer);
        w.EditLabyrinth();
        const bool editing = c.lab >= 0;
        const bool loads = c.lab > 0;
        EXPECT_EQ(w.EditMode, editing);
        EXPECT_EQ(w.fraMenu->Visible.get(), !editing);
        EXPECT_EQ(w.fraJuego->Visible.get(), editing);
        EXPECT_EQ(rt.beeps, editing ? 0 : 1);
        EXPECT_EQ(w.ImgFruta(3).Visible.get(), !editing);
        EXPECT_EQ(w.ImgNuvik(1).Visible.get(), !editing);
        EXPECT_EQ(w.imgBala->Visible.get(), !editing);
        EXPECT_EQ(w.lblPtPause->Caption.get(), loads ? Nuvik3Main::kPauseMenu : "status");
        EXPECT_EQ(w.UsarDificil, !loads);
        EXPECT_EQ(w.Vidas, loads ? 5 : 2);
        EXPECT_EQ(w.FinMotivo, loads ? -999 : 0);
        EXPECT_EQ(w.LabInUse, loads ? c.lab : 1);
        if (loads) {
            EXPECT_EQ(w.ErrorCarga, c.lab == 3);
            EXPECT_EQ(w.lblPtVidas->Caption.get(), c.lab == 3 ? "?" : "5");
        }
        if (!editing) {
            EXPECT_EQ(OpenCells(), 20 * 75);
            continue;
        }
        EXPECT_EQ(Passages(), c.open);
        EXPECT_EQ(w.imgMuro(2624).Left.get(), 74 * 300 + 25.0f);
        EXPECT_EQ(w.imgMuro(2624).Top.get(), 34 * 420.0f);
    }
    EXPECT_EQ(rt.inputBoxes.back().prompt, "Input Lab number to edit (0 for create new)");
    EXPECT_EQ(rt.inputBoxes.back().title, "Edit or create a labyrinth");
    EXPECT_EQ(rt.inputBoxes.back().defaultText, "0");
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
