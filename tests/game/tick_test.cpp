// The game tick: catches and score, the door and its question, the time
// label and boxes, the end of a labyrinth and the fourth door.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/tick_fixture.h"
#include "support/files.h"

namespace {

using Tick = TickTest;

TEST_F(Tick, AMonsterMetHeadOnScoresNothingAndEverythingElseScoresOne) {
    // The object at (10, 11), the critter stepping onto it; score before 5.
    struct Case { const char* what; int record; Int16 objectDir; int critterCol; Int16 critterDir;
                  Int16 score, highBefore, highScore; bool wall; };
    const Case cases[] = {
        {"monster head-on", 0, 3, 10, 4, 5, 5, 5, false},
        {"monster from behind", 0, 4, 10, 4, 6, 5, 6, true},
        {"monster from the side", 0, 2, 10, 4, 6, 5, 6, true},  // steps to (11, 11) first
        {"fruit head-on", 10, 0, 12, 3, 6, 5, 6, true},
        {"fruit from behind", 10, 0, 10, 4, 6, 9, 9, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Walls(true);
        Open({{10, 9}, {10, 10}, {10, 11}, {10, 12}, {10, 13}, {11, 11}});
        Critter(10, c.critterCol, c.critterDir);
        Put(c.record, 10, 11, c.objectDir);
        w.Score = 5;
        w.HighScore = c.highBefore;
        w.FrutasComidas = 0;
        w.Timer1_Timer();
        EXPECT_EQ(w.NuvikCol, 11);
        EXPECT_EQ(w.Score, c.score);
        EXPECT_EQ(w.FrutasComidas, c.score - 5);
        EXPECT_EQ(w.HighScore, c.highScore);
        EXPECT_EQ(IsWall(10, 11), c.wall);
        EXPECT_FALSE(w.ImgFruta(c.record).Visible.get());
        EXPECT_EQ(w.Frutas[c.record].Cell, -1);
        EXPECT_EQ(At(c.record), std::pair(10, 11));  // caught where it met the critter
        EXPECT_EQ(w.ComidaCol, 11);
        EXPECT_EQ(w.lblPtScore->Caption.get(), "5");  // the labels lag a tick
        w.Timer1_Timer();
        EXPECT_EQ(w.lblPtScore->Caption.get(), std::to_string(c.score));
    }
}

TEST_F(Tick, TwoCatchesInOneTickCanPassTheGoalSoTheDoorStaysShut) {
    // Fruit 10 meets the critter head-on; fruit 12 steers down onto it.
    Open({{10, 10}, {10, 12}, {9, 11}});
    Critter(10, 12, 3);
    Put(10, 10, 11, 0);
    Put(12, 9, 11, 0);
    w.FrutasMeta = 14;
    w.FrutasComidas = w.Score = 13;
    w.Timer1_Timer();
    EXPECT_EQ(w.Score, 15);
    EXPECT_EQ(w.FrutasComidas, 15);
    EXPECT_FALSE(w.ImgFruta(10).Visible.get() || w.ImgFruta(12).Visible.get());
    EXPECT_FALSE(w.MetaAbierta);
    EXPECT_TRUE(w.ImgMetaR(0).Visible.get());
    EXPECT_FALSE(w.ImgMetaV(0).Visible.get());
    EXPECT_EQ(w.lblPtTime->Caption.get(), "00:00:00");
    EXPECT_TRUE(rt.boxes.empty());
}

TEST_F(Tick, BothAnswersToTheDoorQuestionOpenItAndEndTheBoard) {
    for (const int answer : {vb::vbYes, vb::vbNo}) {
        const bool yes = answer == vb::vbYes;
        SCOPED_TRACE(yes ? "Yes" : "No");
        NewBoard();
        Critter(0, 1, 3);
        Put(5, 20, 20, 0);
        w.FrutasComidas = 5;
        w.LabInUse = 2;
        w.EatenCount = 1;  // an eaten cell, which only Yes turns back into a passage
        w.EatenRow[1] = w.EatenCol[1] = 7;
        const Int16 doors = w.MetasLogradas;
        struct AtBox { bool objectShown, eatenWall, open; Int16 comidas; };
        std::vector<AtBox> seen;
        rt.onBox = [&](const std::string& prompt, int style, const std::string& title) {
            if (prompt == "You reached the door...") {
                EXPECT_EQ(style, 52);
                EXPECT_EQ(title, "Congratulations!");
                return answer;
            }
            seen.push_back({w.ImgFruta(5).Visible, IsWall(7, 7), w.MetaAbierta, w.FrutasComidas});
            return vb::vbOK;
        };
        w.Timer1_Timer();
        ASSERT_EQ(rt.boxes.size(), 3u);
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].objectShown, !yes);
        EXPECT_EQ(seen[0].eatenWall, !yes);
        EXPECT_TRUE(seen[0].open);
        EXPECT_EQ(seen[0].comidas, yes ? 14 : 5);
        EXPECT_EQ(w.LabInUse, yes ? 2 : 0);
        // The next board waits in the pause menu.
        EXPECT_EQ(w.MetasLogradas, doors + 1);
        EXPECT_FALSE(w.MetaAbierta);
        EXPECT_EQ(w.FrutasComidas, 0);
        EXPECT_EQ(w.NuvikRow, 34);
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
        EXPECT_FALSE(w.Timer1->Enabled.get());
    }
}

TEST_F(Tick, TheTimeLabelShowsTheSecondsToTheDoorThroughTheDigitMask) {
    struct Case { float start, now; const char* label; };
    const Case cases[] = {
        {1000.0f, 1083.4f, "00:00:83"}, {0.0f, 600.0f, "00:06:00"}, {100.0f, 3825.0f, "00:37:25"},
        {86380.0f, 21.0f, "00:00:41"}, {86399.0f, 0.0f, "00:00:01"},  // across midnight
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        w.MetaAbierta = w.TiempoMostrado = false;
        w.FrutasMeta = w.FrutasComidas = 14;
        w.TInicio = c.start;
        rt.clk.now = c.now;
        w.Timer1_Timer();
        EXPECT_TRUE(w.MetaAbierta);
        EXPECT_TRUE(w.ImgMetaV(0).Visible.get());
        EXPECT_FALSE(w.ImgMetaR(0).Visible.get());
        EXPECT_EQ(w.lblPtTime->Caption.get(), c.label);
        rt.clk.now = c.now + 50.0f;  // written once per board
        w.Timer1_Timer();
        EXPECT_EQ(w.lblPtTime->Caption.get(), c.label);
    }
    EXPECT_TRUE(rt.boxes.empty());
}

TEST_F(Tick, TheEndOfALabyrinthShowsTheTimeOverTheBoardThenOverThePainting) {
    for (const Int16 arranques : {1, 0}) {
        SCOPED_TRACE(arranques);
        NewBoard();
        ASSERT_TRUE(w.SetWidth(22830));
        ASSERT_TRUE(w.SetHeight(16320));
        Critter(0, 0, 0);
        w.Arranques = arranques;
        w.FrutasMeta = w.FrutasComidas = 14;
        w.Score = 21;
        w.TInicio = 1000.0f;
        rt.clk.now = 1083.0f;
        const Int16 doors = w.MetasLogradas;
        w.imgNeuron(1).Width = w.imgNeuron(1).Height = 5.0f;
        std::remove(rt.AppFile("Nuvik3w.dat").c_str());
        std::vector<std::pair<bool, bool>> seen;  // board, painting shown at each box
        rt.onBox = [&](const std::string&, int, const std::string&) {
            seen.emplace_back(w.fraJuego->Visible, w.fraColor->Visible);
            return vb::vbOK;
        };
        w.Timer1_Timer();
        ASSERT_EQ(rt.boxes.size(), 2u);
        for (const auto& box : rt.boxes) {
            EXPECT_EQ(box.prompt, "Time employed: 00:00:83");
            EXPECT_EQ(box.style, 64);
            EXPECT_EQ(box.title, "CONGRATULATIONS!");
        }
        EXPECT_EQ(seen, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
        EXPECT_FLOAT_EQ(w.imgNeuron(1).Width, arranques >= 1 ? 22350.0f : 5.0f);
        EXPECT_FLOAT_EQ(w.imgNeuron(1).Height, arranques >= 1 ? 14490.0f : 5.0f);
        EXPECT_FLOAT_EQ(w.imgNeuron(1).Top, 240.0f);
        EXPECT_FLOAT_EQ(w.imgNeuron(1).Left, 120.0f);
        // The next board of the same game.
        EXPECT_TRUE(w.fraJuego->Visible.get());
        EXPECT_FALSE(w.fraColor->Visible.get());
        EXPECT_EQ(w.MetasLogradas, doors + 1);
        EXPECT_EQ(w.Score, 21);
        EXPECT_EQ(w.Vidas, 5);
        EXPECT_EQ(w.lblPtTime->Caption.get(), "00:00:00");
        EXPECT_FALSE(w.Reinicio);
        EXPECT_FALSE(ReadBytes(rt.AppFile("Nuvik3w.dat")).empty());
    }
}

TEST_F(Tick, WhilePausedTheDoorIsNeitherAskedNorOpened) {
    for (const Int16 comidas : {3, 14}) {
        SCOPED_TRACE(comidas);
        Critter(0, 0, 0);
        w.ImgNuvik(0).Visible = false;
        w.Pausado = true;
        w.lblPtPause->Caption = std::string(Nuvik3Main::kDeathPrompt);
        w.FrutasMeta = 14;
        w.FrutasComidas = comidas;
        w.Timer1_Timer();
        EXPECT_TRUE(rt.boxes.empty());
        EXPECT_FALSE(w.MetaAbierta);
        EXPECT_TRUE(w.ImgMetaR(0).Visible.get());
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kDeathPrompt);
        EXPECT_FALSE(w.ImgNuvik(0).Visible.get() || w.ImgNuvik(1).Visible.get());
        EXPECT_EQ(w.lblPtTime->Caption.get(), "00:00:00");
    }
}

TEST_F(Tick, TheFourthDoorStartsTheStarWithoutABox) {
    Critter(0, 1, 3);
    w.MetasLogradas = 3;
    w.FrutasMeta = w.FrutasComidas = 14;
    w.HighScore = 42;
    w.TInicio = 0.0f;
    rt.clk.now = 125.0f;
    std::remove(rt.AppFile("Nuvik3w.dat").c_str());
    w.Timer1_Timer();
    EXPECT_TRUE(rt.boxes.empty());
    EXPECT_TRUE(w.FinalJuego);
    EXPECT_FALSE(w.MetaAlcanzada);
    EXPECT_EQ(w.MetasLogradas, 3);
    EXPECT_FALSE(w.Timer1->Enabled.get() || w.Timer2->Enabled.get());
    EXPECT_TRUE(w.Timer3->Enabled.get());
    EXPECT_TRUE(w.fraJuego->Visible.get());
    EXPECT_EQ(w.lblPtTime->Caption.get(), "00:01:25");
    EXPECT_EQ(Records(ReadBytes(rt.AppFile("Nuvik3w.dat"))).at(1), "42");
}

} // namespace
