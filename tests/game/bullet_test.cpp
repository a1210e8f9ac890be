#include <gtest/gtest.h>

#include "board_fixture.h"

namespace {

// A bullet in flight on an open board: Timer2 on, Timer1 off, the critter
// far away.
class Flight : public BoardTest {
protected:
    Flight() {
        for (auto& f : w.Frutas) f.Cell = -1;
        for (Int16 r = 0; r < 35; ++r) {
            w.SetCell(r, 0, "space", 75);
        }
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            w.imgMuro(k).Left = static_cast<float>((k % 75) * 150 + 25);
            w.imgMuro(k).Top = static_cast<float>((k / 75) * 210);
        }
        w.NuvikRow = 30;
        w.NuvikCol = 60;
        w.ImgMetaR(0).Visible = false;
        Launch(10, 10, 2);
    }

    void Launch(Int16 row, Int16 col, Int16 dir) {
        w.BalaRow = row;
        w.BalaCol = col;
        w.BalaDir = dir;
        w.imgBala->Visible = true;
        w.UsaTimer1 = false;
        w.Timer1->Enabled = false;
        w.Timer2->Enabled = true;
    }

    // Timer2 ticks through the handler the window bound to it.
    void Tick() { ASSERT_TRUE(w.Timer2->Fire()); }

    void ExpectInFlight() {
        EXPECT_TRUE(w.imgBala->Visible);
        EXPECT_TRUE(w.Timer2->Enabled);
        EXPECT_FALSE(w.Timer1->Enabled);
    }
    void ExpectHandedBack() {
        EXPECT_FALSE(w.imgBala->Visible);
        EXPECT_FALSE(w.Timer2->Enabled);
        EXPECT_TRUE(w.Timer1->Enabled);
        EXPECT_TRUE(w.UsaTimer1);
        EXPECT_FALSE(w.BalaParada);
    }
    void ExpectAt(int row, int col) {
        EXPECT_EQ(w.BalaRow, row);
        EXPECT_EQ(w.BalaCol, col);
    }
};

TEST_F(Flight, EachTickMovesOneCellByTheHeadingAndDrawsTheBulletThere) {
    struct Case { Int16 dir; int row, col; };
    for (const Case c : {Case{1, 9, 10}, Case{2, 11, 10}, Case{3, 10, 9}, Case{4, 10, 11}}) {
        Launch(10, 10, c.dir);
        Tick();
        ExpectAt(c.row, c.col);
        ExpectInFlight();
        EXPECT_EQ(w.imgBala->Left.get(), c.col * 150 + 25.0f);
        EXPECT_EQ(w.imgBala->Top.get(), c.row * 210.0f);
    }
    for (Int16 dir : {0, 5, -1}) {   // no heading: no step, still in flight
        Launch(10, 10, dir);
        Tick();
        ExpectAt(10, 10);
        ExpectInFlight();
    }
}

TEST_F(Flight, AtTheEdgeOrBeforeAWallTheFlightEndsWithoutMoving) {
    struct Case { Int16 row, col, dir; };
    const Case cases[] = {
        {0, 5, 1}, {34, 74, 2}, {5, 0, 3}, {5, 74, 4},  // board edge
        {5, 5, 1}, {5, 5, 2}, {5, 5, 3}, {5, 5, 4},     // wall ahead
        {-3, 5, 2}, {40, 5, 1},                          // off the board
    };
    w.SetCell(4, 5, "muro");
    w.SetCell(6, 5, "muro");
    w.SetCell(5, 4, "muro", 3);
    Open(5, 5);
    for (const Case c : cases) {
        Launch(c.row, c.col, c.dir);
        Tick();
        ExpectAt(c.row, c.col);
        ExpectHandedBack();
    }
}

TEST_F(Flight, FliesDownUntilAWallStopsIt) {
    w.SetCell(14, 10, "muro");
    for (int row = 11; row <= 13; ++row) {
        Tick();
        ExpectAt(row, 10);
        ExpectInFlight();
    }
    Tick();
    ExpectAt(13, 10);
    ExpectHandedBack();
}

TEST_F(Flight, WithNoBulletShownTheFirstTickHandsBack) {
    w.imgBala->Visible = false;
    w.BalaParada = true;
    Tick();
    ExpectAt(10, 10);
    ExpectHandedBack();
}

// An object's cell is entered and ends the flight; only a monster goes,
// with a beep, and only records below NumFrutas count.
TEST_F(Flight, AnObjectCellIsEnteredAndEndsTheFlight) {
    struct Case { int record; bool removed; };
    for (const Case c : {Case{9, false}, Case{3, true}}) {
        Launch(10, 10, 2);
        rt.beeps = 0;
        w.Frutas[16].Cell = w.MuroIdx[10][11];
        w.Frutas[c.record].Cell = w.MuroIdx[10][11];
        w.ImgFruta(c.record).Visible = true;
        Tick();
        ExpectAt(11, 10);
        EXPECT_EQ(w.imgBala->Top.get(), 11 * 210.0f);
        ExpectHandedBack();
        EXPECT_EQ(w.Frutas[c.record].Cell, c.removed ? -1 : w.MuroIdx[10][11]);
        EXPECT_EQ(w.ImgFruta(c.record).Visible.get(), !c.removed);
        EXPECT_EQ(rt.beeps, c.removed ? 1 : 0);
        w.Frutas[c.record].Cell = -1;
    }
}

TEST_F(Flight, HittingTheCritterOpensTheDeathPrompt) {
    w.NuvikRow = 11;
    w.NuvikCol = 10;
    Tick();
    ExpectAt(11, 10);
    ExpectHandedBack();
    EXPECT_EQ(w.lblPtPause->Caption.get(), "PRESIONE ESC...");
    EXPECT_TRUE(w.Pausado);
    EXPECT_EQ(w.NuvikCol, -10);
    EXPECT_EQ(rt.beeps, 1);
}

TEST_F(Flight, TheClosedDoorIsDrawnAgainUnderACritterOnItWhenTheFlightEnds) {
    w.NuvikRow = 0;
    w.NuvikCol = 0;
    Launch(34, 3, 2);
    Tick();
    EXPECT_TRUE(w.ImgMetaR(0).Visible);

    // An open door is left alone.
    w.ImgMetaR(0).Visible = false;
    w.MetaAbierta = true;
    w.imgBala->Visible = false;
    w.Timer2->Enabled = true;
    Tick();
    EXPECT_FALSE(w.ImgMetaR(0).Visible);
}

} // namespace
