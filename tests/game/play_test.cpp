// Starting a game, placing the pieces, and the keys of play.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

namespace {

class Play : public ::testing::Test {
protected:
    Play() { w.Show(); }

    void Key(char c) {
        Int16 k = static_cast<Int16>(static_cast<unsigned char>(c));
        w.Form_KeyPress(k);
    }
    bool IsWall(int row, int col) { return w.Cell(col, row).Visible; }
    std::string Status() { return w.lblPtPause->Caption; }
    // "&PLAY GAME" from the menu: the board laid out anew and a new labyrinth.
    void PlayBoard() {
        w.Reinicio = false;
        w.cmdPlay_Click();
    }
    // A hand-made board for the round set-up: walls but for the cells given.
    void OpenOnly(std::initializer_list<std::pair<int, int>> cells) {
        w.ClearBoard();
        for (auto [r, c] : cells) {
            w.Cell(c, r).Visible = false;
        }
        w.MovFirst = 0;
        w.MovCount = 14;
        w.NumFrutas = 14;
        w.Continuar = false;
        w.fraJuego->Visible = true;
    }
    // The draw that names (row, col) for a candidate cell.
    void PushCell(int row, int col) {
        rt.rnd.Push({(row + 0.5f) / 35.0f, (col + 0.5f) / 75.0f});
    }

    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

TEST_F(Play, TheLayoutScalesWithTheWindow) {
    struct Case {
        float width, height;
    };
    for (const Case& c : {Case{11415, 8160}, Case{22830, 16320}}) {
        SCOPED_TRACE(c.width);
        const double k = c.width / 11415.0;
        ASSERT_TRUE(w.SetWidth(c.width));
        ASSERT_TRUE(w.SetHeight(c.height));
        PlayBoard();
        EXPECT_DOUBLE_EQ(w.CellW, 150 * k);
        EXPECT_DOUBLE_EQ(w.CellH, 210 * k);
        EXPECT_FLOAT_EQ(w.Cell(0, 0).Left, 25);
        EXPECT_FLOAT_EQ(w.Cell(0, 0).Top, 0);
        EXPECT_FLOAT_EQ(w.Cell(74, 34).Left, static_cast<float>(74 * 150 * k + 25));
        EXPECT_FLOAT_EQ(w.Cell(74, 34).Top, static_cast<float>(34 * 210 * k));
        EXPECT_FLOAT_EQ(w.Cell(74, 34).Width, static_cast<float>(150 * k));
        EXPECT_FLOAT_EQ(w.fraJuego->Width, static_cast<float>(797 * k));
        EXPECT_FLOAT_EQ(w.fraJuego->Height, static_cast<float>(473 * k));
        for (vb::Control* l : {w.lblPtHS, w.lblPtLab, w.lblPtPause, w.lblPtScore, w.lblPtTime, w.lblPtVidas}) {
            EXPECT_FLOAT_EQ(l->Height, static_cast<float>(225 * k));
            EXPECT_FLOAT_EQ(l->Top, static_cast<float>(7335 * k));
        }
        EXPECT_FLOAT_EQ(w.lblPtPause->Width, static_cast<float>(11160 * k - 3350));
        EXPECT_FLOAT_EQ(w.ImgMetaR(0).Left, 25);
        EXPECT_FLOAT_EQ(w.imgBala->Width, static_cast<float>(150 * k));
    }
}

TEST_F(Play, ANewGameStartsPausedOnAFreshBoard) {
    w.lblPtVidas->Caption = std::string("?");
    w.Score = 9;
    w.cmdPlay_Click();

    EXPECT_TRUE(w.fraJuego->Visible && !w.fraColor->Visible && !w.fraMenu->Visible);
    EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 5");
    EXPECT_EQ(Status(), Nuvik3Main::kPauseMenu);
    EXPECT_FALSE(w.Timer1->Enabled.get());
    EXPECT_EQ(w.Timer1->Interval(), 240);
    // The labels: lives keep their earlier text until a restart.
    const std::pair<vb::Control*, const char*> labels[] = {
        {w.lblPtScore, "0"}, {w.lblPtVidas, "?"}, {w.lblPtTime, "00:00:00"}, {w.lblPtLab, "15"}};
    for (auto [label, text] : labels) {
        EXPECT_EQ(label->Caption.get(), text) << label->Name();
    }
    EXPECT_EQ(std::tuple(w.Score, w.Arranques, w.MinSegV, w.MinSegH, w.FrutasMeta, w.FrutasComidas),
              std::tuple(0, 1, 6, 6, 14, 0));
    EXPECT_EQ(std::tuple(w.NuvikRow, w.NuvikCol, w.NuvikDir, w.BalaRow), std::tuple(34, 74, 2, 34));
    EXPECT_FALSE(w.JuegoNuevo || w.MetaAbierta || w.Continuar);
    EXPECT_TRUE(w.ImgMetaR(0).Visible.get());
}

// Placement over many boards: every rule a misreading of the ranges breaks.
TEST_F(Play, PiecesStandOnDistinctFreeCellsOverManySeeds) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        rt.rnd.Seed(seed);
        PlayBoard();
        EXPECT_TRUE(w.MaxSegV == 11 || w.MaxSegV == 12);
        EXPECT_TRUE(w.MaxSegH == 11 || w.MaxSegH == 12);
        std::set<int> cells;
        for (int i = 0; i < 14; ++i) {
            const FrutaRec& f = w.Frutas[i];
            ASSERT_GE(f.Cell, 0);
            EXPECT_EQ(f.Cell, f.Col + 75 * f.Row);
            EXPECT_FALSE(IsWall(f.Row, f.Col));
            EXPECT_NE(f.Cell, 0);
            EXPECT_NE(f.Cell, 2624);
            EXPECT_TRUE(w.ImgFruta(i).Visible.get());
            EXPECT_EQ(w.ImgFruta(i).Left.get(), w.imgMuro(f.Cell).Left.get());
            EXPECT_EQ(w.ImgFruta(i).Top.get(), w.imgMuro(f.Cell).Top.get());
            cells.insert(f.Cell);
            if (f.Row == 34) {
                EXPECT_EQ(f.Dir, 3);
            } else if (f.Col == 74) {
                EXPECT_EQ(f.Dir, 1);
            }
        }
        EXPECT_EQ(cells.size(), 14u);
        for (int i = 12; i < 26; ++i) {
            EXPECT_GE(w.Frutas[i].Dir, 1);
            EXPECT_LE(w.Frutas[i].Dir, 4);
            EXPECT_EQ(w.Frutas[i].NextDir, w.Frutas[i].Dir);
        }
        for (int i = 14; i < 26; ++i) {
            EXPECT_EQ(w.Frutas[i].Cell, -1);
            EXPECT_FALSE(w.ImgFruta(i).Visible.get());
        }
    }
}

TEST_F(Play, PlacementDrawsRowThenColumnAndRedrawsForbiddenCells) {
    OpenOnly({{10, 0}, {34, 5}, {20, 74}, {0, 0}, {34, 74}, {22, 22}});
    for (int i = 12; i < 26; ++i) {
        rt.rnd.Push(0.99f);  // headings of records 12..25: 4, right
    }
    w.Frutas[5].Dir = 2;
    PushCell(0, 0);     // record 0: the door,
    PushCell(34, 74);   // the start cell,
    PushCell(5, 5);     // a wall,
    PushCell(10, 0);    // accepted
    PushCell(10, 0);    // record 1: taken by record 0
    PushCell(34, 5);    // accepted, last row: heading left
    PushCell(20, 74);   // record 2: last column: heading up
    const int expected[][2] = {{10, 0}, {34, 5}, {20, 74}, {10, 1}, {10, 2}, {12, 12}, {13, 13},
                               {14, 14}, {15, 15}, {16, 16}, {17, 17}, {18, 18}, {19, 19}, {21, 21}};
    for (int i = 3; i < 14; ++i) {  // records 3..13: free cells, each taken at its first draw
        w.Cell(expected[i][1], expected[i][0]).Visible = false;
        PushCell(expected[i][0], expected[i][1]);
    }
    w.StartRound();

    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(w.Frutas[i].Row, expected[i][0]) << i;
        EXPECT_EQ(w.Frutas[i].Col, expected[i][1]) << i;
    }
    EXPECT_EQ(w.Frutas[1].Dir, 3);
    EXPECT_EQ(w.Frutas[2].Dir, 1);
    EXPECT_EQ(w.Frutas[5].Dir, 2);   // records before 12 keep their heading
    EXPECT_EQ(std::tuple(w.Frutas[20].Dir, w.Frutas[20].DX, w.Frutas[20].DY), std::tuple(4, 1, 0));
    EXPECT_EQ(w.FrutasMeta, 14);
}

// More pieces than free cells: the draws end, each piece while a cell is
// free takes one, the rest stay off the board.
TEST_F(Play, PlacementOnACrowdedBoardEnds) {
    OpenOnly({{5, 5}, {5, 6}, {5, 7}, {34, 74}});
    for (int i = 0; i < 30000; ++i) {
        rt.rnd.Push(0.0f);   // every draw names the door: only the choice among free cells places
    }
    w.StartRound();
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(w.Frutas[i].Cell, i < 3 ? 5 + i + 75 * 5 : -1) << i;
        EXPECT_EQ(w.ImgFruta(i).Visible.get(), i < 3) << i;
    }
    EXPECT_EQ(w.NuvikRow, 34);

    // A restart on the same cells: the critter may only take the start cell,
    // and with no cell at all it goes there too.
    for (const bool startWalled : {false, true}) {
        SCOPED_TRACE(startWalled);
        w.HideFrutas();
        w.Cell(74, 34).Visible = startWalled;
        w.Continuar = true;
        w.StartRound();
        EXPECT_EQ(std::tuple(w.NuvikRow, w.NuvikCol), std::tuple(34, 74));
        EXPECT_EQ(Status(), Nuvik3Main::kPauseMenu);
    }
}

// A life given up in the pause menu, or taken by a bullet and confirmed with
// Esc at the death prompt (which hears no other key), restarts the same board.
TEST_F(Play, ALostLifeRestartsTheSameBoard) {
    for (const bool hit : {false, true}) {
        SCOPED_TRACE(hit ? "bullet hit" : "pause menu");
        // Catches walled up row 1 of the labyrinth before; a new one forgets them.
        w.EatenCount = Nuvik3Main::kEatenMax;
        for (int i = 1; i <= Nuvik3Main::kEatenMax; ++i) {
            w.EatenRow[i] = 1;
            w.EatenCol[i] = static_cast<Int16>(i % Nuvik3Main::kCols);
        }
        w.JuegoNuevo = true;
        PlayBoard();
        // A board in progress: a catch counted, the door open, one object taken.
        w.FrutasComidas = 3;
        w.MetaAbierta = true;
        w.Frutas[4].Cell = -1;
        w.ImgFruta(4).Visible = false;
        w.BalaRow = 7;
        std::vector<bool> walls;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            walls.push_back(w.imgMuro(k).Visible);
        }
        Key('\x1b');   // resume
        if (hit) {
            w.Pausado = true;   // forces the prompt whatever the caption says
            for (char k : {'a', 'b', 'x', '\r'}) {
                Key(k);
            }
            EXPECT_EQ(w.Vidas, 5);
            EXPECT_TRUE(w.fraJuego->Visible.get());
            Key('\x1b');
        } else {
            Key('\x1b');   // pause
            Key('a');
        }
        // FinMotivo: the restarted round's set-up clears it.
        EXPECT_EQ(std::tuple(w.Vidas, w.FrutasComidas, w.FrutasMeta, w.BalaRow, w.Arranques, w.FinMotivo),
                  std::tuple(4, 3, 14, 7, 0, 0));
        EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 4");
        EXPECT_EQ(w.lblPtVidas->Caption.get(), "4");
        EXPECT_EQ(Status(), Nuvik3Main::kPauseMenu);
        EXPECT_FALSE(w.Timer1->Enabled.get() || w.Pausado);
        EXPECT_TRUE(w.MetaAbierta && w.Reinicio);
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            ASSERT_EQ(w.imgMuro(k).Visible.get(), walls[k]) << k;
        }
        EXPECT_GE(w.Frutas[4].Cell, 0);
        EXPECT_FALSE(w.NuvikRow == 0 && w.NuvikCol == 0);
        EXPECT_FALSE(IsWall(w.NuvikRow, w.NuvikCol));
        EXPECT_FALSE(w.IsFrutaAt(w.NuvikCol, w.NuvikRow));
    }

    // The design caption is no state: no key acts.
    w.lblPtPause->Caption = std::string("A-Morir   B-Fin   L-Load   Otra/Other-Jugar play");
    Key('a');
    Key('b');
    EXPECT_EQ(w.Vidas, 4);
    EXPECT_TRUE(w.fraJuego->Visible.get());
}

TEST_F(Play, PracticeLastsOneBoard) {
    w.cmdPracticar_Click();
    EXPECT_TRUE(w.fraMenu->Visible.get());
    w.cmdPlay_Click();
    EXPECT_TRUE(w.ModoPractica);
    EXPECT_FALSE(w.Practicar);
    Key('x');
    Key('\x1b');
    Key('A');    // the restart moves the objects again
    EXPECT_FALSE(w.ModoPractica);
    PlayBoard();   // the next labyrinth
    EXPECT_FALSE(w.ModoPractica);
}

TEST_F(Play, TheDelayBoxSetsTheTick) {
    // -1: the value in force before stays.
    struct Case {
        const char* text;
        int interval;
        int delay;
    };
    const Case cases[] = {
        {"300", 300, 300}, {"0", 0, 0}, {"many", -1, -1}, {"70000", -1, -1}, {"-5", -1, -5}, {"180", 180, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const int before = w.Timer1->Interval();
        const int delayBefore = w.Delay;
        w.txtDelay->Text = std::string(c.text);
        PlayBoard();
        EXPECT_EQ(w.Timer1->Interval(), c.interval < 0 ? before : c.interval);
        EXPECT_EQ(w.Delay, c.delay == -1 ? delayBefore : c.delay);
    }
}

TEST_F(Play, PlayingKeysSteerPauseAndTakeTheOpenDoor) {
    const std::pair<const char*, Int16> table[] = {
        {"sSiIfF8", 1}, {"xXkKvV5", 2}, {"2,jJ4", 3}, {"3.lL6", 4},
    };
    w.cmdPlay_Click();
    Key('q');   // resume from the pause menu
    EXPECT_TRUE(w.Timer1->Enabled.get());
    for (auto [keys, heading] : table) {
        for (const char* k = keys; *k; ++k) {
            w.NuvikDir = 0;
            Key(*k);
            EXPECT_EQ(w.NuvikDir, heading) << *k;
        }
    }
    const Int16 row = w.NuvikRow;
    Key('\r');   // the door is closed: nothing
    EXPECT_EQ(w.NuvikRow, row);

    Key('\x1b');
    EXPECT_EQ(Status(), Nuvik3Main::kPauseMenu);
    EXPECT_FALSE(w.Timer1->Enabled.get());
    w.MetaAbierta = true;
    Key('\r');   // resumes without moving
    EXPECT_EQ(Status(), Nuvik3Main::kPlaying);
    EXPECT_TRUE(w.Timer1->Enabled.get());
    EXPECT_EQ(w.NuvikRow, row);

    Key('\r');
    EXPECT_EQ(std::tuple(w.NuvikRow, w.NuvikCol, w.NuvikDir), std::tuple(0, 0, 1));
    EXPECT_FLOAT_EQ(w.ImgNuvik(0).Left, w.Cell(0, 0).Left);
}

TEST_F(Play, BReturnsToTheMenuAndTheNextGameStartsAfresh) {
    w.cmdPlay_Click();
    w.Score = 4;
    w.Vidas = 2;
    Key('B');
    EXPECT_TRUE(w.fraMenu->Visible && !w.fraJuego->Visible && !w.Reinicio);
    EXPECT_EQ(std::tuple(w.Score, w.Vidas, w.FinMotivo), std::tuple(4, 2, -999));
    Key('x');     // the board is hidden: nothing happens
    EXPECT_EQ(w.Score, 4);
    w.cmdPlay_Click();
    EXPECT_EQ(std::tuple(w.Score, w.Vidas), std::tuple(0, 5));
}

// A board start counted twice without a preparation ends the game instead.
TEST_F(Play, ASecondBoardStartWithoutPreparationEndsTheGame) {
    w.cmdPlay_Click();
    w.Timer1->Enabled = true;
    w.Practicar = true;
    w.HighScore = 12;
    w.Reinicio = true;
    w.Continuar = false;
    w.cmdPlay_Click();
    EXPECT_EQ(w.Arranques, 2);
    EXPECT_TRUE(w.fraMenu->Visible && !w.fraJuego->Visible && !w.Timer1->Enabled && !w.Reinicio);
    EXPECT_TRUE(w.Practicar);
    w.HighScore = 0;
    w.LoadSettings();
    EXPECT_EQ(w.HighScore, 12);
}

} // namespace
