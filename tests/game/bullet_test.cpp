#include <gtest/gtest.h>

#include "board_fixture.h"

namespace {

// A bullet in flight on an open board: Timer2 on, Timer1 off, the critter
// far away.
class Flight : public BoardTest {
protected:
    Flight() {
        for (auto& f : w.Frutas) f.Cell = -1;
        for (Int16 r = 0; r < 35; ++r) w.SetCell(r, 0, "space", 75);
        w.LayOutBoard();   // cells 150 by 210 from the left margin of 25
        w.NuvikRow = 30;
        w.NuvikCol = 60;
        w.ImgMetaR(0).Visible = false;
    }

    void Launch(Int16 row, Int16 col, Int16 dir, bool shown = true) {
        w.BalaRow = row;
        w.BalaCol = col;
        w.BalaDir = dir;
        w.imgBala->Visible = shown;
        w.BalaParada = !shown;
        w.UsaTimer1 = false;
        w.Timer1->Enabled = false;
        w.Timer2->Enabled = true;
    }

    // Timer2 ticks through the handler the window bound to it; the bullet
    // is then at (row, col), in flight or handed back to Timer1.
    void TickTo(int row, int col, bool flying) {
        ASSERT_TRUE(w.Timer2->Fire());
        EXPECT_EQ(w.BalaRow, row);
        EXPECT_EQ(w.BalaCol, col);
        EXPECT_EQ(w.imgBala->Visible.get(), flying);
        EXPECT_EQ(w.Timer2->Enabled.get(), flying);
        EXPECT_EQ(w.Timer1->Enabled.get(), !flying);
        EXPECT_EQ(w.UsaTimer1, !flying);
        if (!flying) { EXPECT_FALSE(w.BalaParada); }
    }
};

TEST_F(Flight, EachTickMovesOneCellByTheHeadingAndDrawsTheBulletThere) {
    struct Case { Int16 dir; int row, col; };
    for (const Case c : {Case{1, 9, 10}, Case{2, 11, 10}, Case{3, 10, 9}, Case{4, 10, 11},
                         Case{0, 10, 10}, Case{5, 10, 10}, Case{-1, 10, 10}}) {   // no heading
        SCOPED_TRACE(c.dir);
        Launch(10, 10, c.dir);
        TickTo(c.row, c.col, true);
        if (c.dir >= 1 && c.dir <= 4) {
            EXPECT_EQ(w.imgBala->Left.get(), c.col * 150 + 25.0f);
            EXPECT_EQ(w.imgBala->Top.get(), c.row * 210.0f);
        }
    }
    Launch(10, 10, 2);
    TickTo(11, 10, true);
    TickTo(12, 10, true);   // on from where the last tick left it
}

TEST_F(Flight, AtTheEdgeBeforeAWallOrWhenNotShownTheFlightEndsWithoutMoving) {
    struct Case { Int16 row, col, dir; bool shown; };
    const Case cases[] = {
        {0, 5, 1, true}, {34, 74, 2, true}, {5, 0, 3, true}, {5, 74, 4, true},   // board edge
        {5, 5, 1, true}, {5, 5, 2, true}, {5, 5, 3, true}, {5, 5, 4, true},      // wall ahead
        {-3, 5, 2, true}, {40, 5, 1, true},                                      // off the board
        {10, 10, 2, false},
    };
    w.SetCell(4, 5, "muro");
    w.SetCell(6, 5, "muro");
    w.SetCell(5, 4, "muro", 3);
    Open(5, 5);
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col << " heading " << c.dir);
        Launch(c.row, c.col, c.dir, c.shown);
        TickTo(c.row, c.col, false);
    }
}

// An object's or the critter's cell is entered and ends the flight; what
// the hit does there is SetCell's (board_test.cpp). Only records below
// NumFrutas count: a monster past them is passed over.
TEST_F(Flight, WhatTheBulletHitsEndsTheFlightOnItsCell) {
    const int cell = w.MuroIdx[10][11];
    w.Frutas[9].Cell = cell;
    w.Frutas[16].Cell = cell;
    Launch(10, 10, 2);
    TickTo(11, 10, false);
    EXPECT_EQ(w.imgBala->Top.get(), 11 * 210.0f);
    EXPECT_EQ(rt.beeps, 0);

    w.Frutas[9].Cell = w.Frutas[16].Cell = -1;
    w.NuvikRow = 11;
    w.NuvikCol = 10;
    Launch(10, 10, 2);
    TickTo(11, 10, false);
    EXPECT_EQ(w.lblPtPause->Caption.get(), "PRESIONE ESC...");
}

TEST_F(Flight, OnlyAClosedDoorIsDrawnAgainUnderACritterOnItWhenTheFlightEnds) {
    w.NuvikRow = 0;
    w.NuvikCol = 0;
    for (const bool open : {false, true}) {
        w.MetaAbierta = open;
        w.ImgMetaR(0).Visible = false;
        Launch(34, 3, 2);
        TickTo(34, 3, false);
        EXPECT_EQ(w.ImgMetaR(0).Visible.get(), !open);
    }
}

} // namespace
