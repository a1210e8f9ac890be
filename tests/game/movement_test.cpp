// One step of an object and of the critter; the monsters' wall drops, the
// random turn and its draws, the steering fruits and the headings tried.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/tick_fixture.h"

namespace {

using Moves = TickTest;

// The random turn's draws that leave a single candidate on its heading.
void NoTurn(sim::SimRuntime& rt, Int16 dir) {
    rt.rnd.Push({0.0f, static_cast<float>(dir % 4) / 4.0f + 0.1f, 0.9f});
}

TEST_F(Moves, AnObjectStepsOntoFreeCellsOrTheCrittersAndTheCritterOntoObjectsToo) {
    // Around (10, 10): up open, down a wall, left an object, right the
    // critter's cell (walled under it) for an object and open for the
    // critter; then the four board edges.
    struct Case { Int16 dir; int row, col, toRow, toCol, dx, dy, critterRow, critterCol; };
    const Case cases[] = {
        {1, 10, 10, 9, 10, 0, -1, 9, 10},   {2, 10, 10, 10, 10, 0, 0, 10, 10},
        {3, 10, 10, 10, 10, 0, 0, 10, 9},   {4, 10, 10, 10, 11, 1, 0, 10, 11},
        {0, 10, 10, 10, 10, 0, 0, 10, 10},  {5, 10, 10, 10, 10, 0, 0, 10, 10},
        {1, 0, 5, 0, 5, 0, 0, 0, 5},        {2, 34, 5, 34, 5, 0, 0, 34, 5},
        {3, 5, 0, 5, 0, 0, 0, 5, 0},        {4, 5, 74, 5, 74, 0, 0, 5, 74},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dir << " from " << c.row << "," << c.col);
        Walls(true);
        Open({{9, 10}, {4, 5}, {33, 5}, {6, 0}, {6, 74}});
        Put(3, 10, 9, 0);
        Critter(10, 11, 0);
        w.Cell(11, 10).Visible = true;
        Put(8, c.row, c.col, 0);
        w.Frutas[8].DX = w.Frutas[8].DY = 7;
        Int16 dir = c.dir, idx = 8;
        Mark();
        EXPECT_EQ(w.MoveFruta(dir, idx), c.toRow != c.row || c.toCol != c.col);
        EXPECT_EQ(w.Frutas[8].Cell, c.toCol + 75 * c.toRow);
        EXPECT_EQ(At(8), std::pair(c.toRow, c.toCol));
        EXPECT_EQ((std::pair<int, int>{w.Frutas[8].DX, w.Frutas[8].DY}), std::pair(c.dx, c.dy));
        EXPECT_TRUE(DrawnAt(w.ImgFruta(8), c.toRow, c.toCol));
        EXPECT_EQ(Draws(), 0);  // a fruit draws nothing

        // The critter itself, on a tick.
        Gone(8);
        Open(10, 11);
        Critter(c.row, c.col, c.dir);
        w.lblPtPause->Caption = std::string("x");
        w.Timer1_Timer();
        EXPECT_EQ(w.NuvikRow, c.critterRow);
        EXPECT_EQ(w.NuvikCol, c.critterCol);
        EXPECT_EQ(w.ImgNuvik(0).Visible.get() + w.ImgNuvik(1).Visible.get(), 1);
        EXPECT_TRUE(DrawnAt(w.ImgNuvik(0), c.critterRow, c.critterCol));
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPlaying);
        Gone(3);
    }
}

TEST_F(Moves, AMonsterDrawsThreeValuesOnEveryStepAndDropsAtMostThreeWalls) {
    struct Case { int record; float r1, r2, r3; Int16 extraBefore; bool drops; };
    const Case cases[] = {
        {2, 0.99f, 0.90f, 0.63f, 0, true},
        {2, 0.98f, 0.90f, 0.63f, 0, false},  // each test is strict
        {2, 0.99f, 0.89f, 0.63f, 0, false},
        {2, 0.99f, 0.90f, 0.62f, 0, false},
        {2, 0.99f, 0.90f, 0.63f, 2, true},
        {2, 0.99f, 0.90f, 0.63f, 3, false},  // the fourth wall never comes, yet three draws
        {16, 0.99f, 0.90f, 0.63f, 1, true},  // even records from 16 are monsters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.record << " " << c.r1 << " " << c.extraBefore);
        Put(c.record, 10, 10, 4);
        Open(10, 11);
        w.MurosExtra = c.extraBefore;
        rt.beeps = 0;
        rt.rnd.Push({c.r1, c.r2, c.r3});
        Mark();
        Int16 dir = 4, idx = static_cast<Int16>(c.record);
        EXPECT_TRUE(w.MoveFruta(dir, idx));
        EXPECT_EQ(Draws(), 3);
        EXPECT_EQ(IsWall(10, 10), c.drops);
        EXPECT_EQ(rt.beeps, c.drops ? 1 : 0);
        EXPECT_EQ(w.MurosExtra, c.extraBefore + (c.drops ? 1 : 0));
        EXPECT_EQ(w.Frutas[c.record].Col, 11);
        Gone(c.record);
    }
    // A refused step draws nothing; an odd record from 17 is a fruit.
    Put(2, 5, 5, 1);
    Put(17, 7, 7, 4);
    Open(7, 8);
    Mark();
    Int16 up = 1, right = 4, monster = 2, fruit = 17;
    EXPECT_FALSE(w.MoveFruta(up, monster));
    EXPECT_TRUE(w.MoveFruta(right, fruit));
    EXPECT_EQ(Draws(), 0);
}

TEST_F(Moves, TheRandomTurnDrawsPickHeadingAndChanceOnEveryTickWithACandidate) {
    // Record 9 stands in a crossing, so every heading can be stepped.
    struct Case { const char* what; Int16 dir; std::vector<float> draws; int row, col, newDir; };
    // The turn's three draws, the side of a record without heading, the critter's.
    const Case cases[] = {
        {"a repeated heading is drawn again", 4, {0.5f, 0.8f, 0.3f, 0.05f, 0.0f}, 11, 10, 2},
        {"the chance is strictly below 0.1", 4, {0.5f, 0.3f, 0.1f, 0.0f}, 10, 11, 4},
        {"a record without heading takes the first draw", 0, {0.5f, 0.0f, 0.09f, 0.0f}, 9, 10, 1},
        {"no heading after the turn: side drawn", 0, {0.5f, 0.0f, 0.5f, 0.7f, 0.0f}, 10, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open({{9, 10}, {11, 10}, {10, 9}, {10, 11}});
        Put(9, 10, 10, c.dir);
        for (float v : c.draws) {
            rt.rnd.Push(v);
        }
        Mark();
        w.Timer1_Timer();
        EXPECT_EQ(Draws(), static_cast<int>(c.draws.size()));
        EXPECT_EQ(At(9), std::pair(c.row, c.col));
        EXPECT_EQ(Heading(9), std::pair(c.newDir, c.newDir));
        Gone(9);
    }
}

TEST_F(Moves, TheTurnPicksAmongCandidatesAndLeavesOutTheCrittersRowAndColumn) {
    // The critter stands on record 2, so the hit cell is (20, 40): record 4
    // in its row and 5 in its column are left out, 6 hidden, 7 off the rows.
    for (auto [i, row, col] : {std::array{2, 20, 40}, {1, 5, 5}, {3, 8, 8}, {4, 20, 30},
                               {5, 30, 40}, {6, 12, 12}, {7, 14, 14}}) {
        Put(i, row, col, 0);
    }
    w.ImgFruta(6).Visible = false;
    w.Frutas[7].Row = -14;
    Open({{7, 8}, {9, 8}, {8, 7}, {8, 9}});
    rt.rnd.Push({0.99f, 0.3f, 0.0f});  // the second candidate, heading 2, turn
    Mark();
    w.Timer1_Timer();
    EXPECT_EQ(w.Candidatos[0], 1);
    EXPECT_EQ(w.Candidatos[1], 3);
    EXPECT_EQ(Heading(3), std::pair(2, 2));
    EXPECT_EQ(At(3), std::pair(9, 8));
    for (int i : {1, 2, 4, 5}) {
        EXPECT_EQ(w.Frutas[i].Dir, 0) << i;
    }
    EXPECT_EQ(Draws(), 3 + 4 + 3 + 1);  // turn, sides of 1, 2, 4, 5, monster 3's step, critter

    for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
        w.ImgFruta(i).Visible = false;
    }
    Mark();
    w.Timer1_Timer();
    EXPECT_EQ(Draws(), 1);  // no candidate, no turn: the critter's picture only

    w.ModoPractica = true;  // practice: nothing moves, nothing drawn for it
    Put(0, 10, 10, 4);
    Put(9, 5, 5, 1);
    Open({{10, 11}, {4, 5}});
    Mark();
    w.Timer1_Timer();
    EXPECT_EQ(Draws(), 1);
    EXPECT_EQ(At(0), std::pair(10, 10));
    EXPECT_EQ(At(9), std::pair(5, 5));
}

TEST_F(Moves, FruitsSevenToFifteenSteerTowardTheCritterThroughWalls) {
    // The critter at (20, 40); each record gets the one open cell beside it
    // that it should head for.
    struct Case { int record, row, col, openRow, openCol; Int16 before; int expected; };
    const Case cases[] = {
        {7, 20, 50, 20, 49, 1, 3},   // same row, right of it: left
        {15, 20, 30, 20, 31, 1, 4},  // same row, left of it: right
        {10, 10, 40, 11, 40, 3, 2},  // same column, above: down
        {12, 30, 40, 29, 40, 3, 1},  // same column, below: up
        {6, 20, 50, 21, 50, 2, 2},   // a monster keeps its heading
        {16, 20, 30, 21, 30, 2, 2},
        {17, 20, 30, 21, 30, 2, 2},  // so does a fruit from 16 on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        Put(c.record, c.row, c.col, c.before);
        Open(c.openRow, c.openCol);
        w.MovEnd = 26;
        NoTurn(rt, c.before);
        for (int k = Nuvik3Main::IsMonster(c.record) ? 4 : 1; k > 0; --k) {
            rt.rnd.Push(0.0f);  // a monster's step, and the critter
        }
        w.Timer1_Timer();
        EXPECT_EQ(Heading(c.record), std::pair(c.expected, c.expected));
        EXPECT_EQ(At(c.record), std::pair(c.openRow, c.openCol));
        Gone(c.record);
        w.Cell(c.openCol, c.openRow).Visible = true;
    }
}

TEST_F(Moves, ABlockedObjectTriesItsSidesThenTurnsBack) {
    // Fruit 9 at (10, 10), away from the critter's row and column. A side
    // draw below 0.5 means side 1; -1: no such draw.
    enum : int { U = 1, D = 2, L = 4, R = 8 };
    struct Case {
        const char* what;
        Int16 dir, next;
        int open;
        float side, pick;
        int toRow, toCol, newDir, newNext;
    };
    const Case cases[] = {
        {"the wish first", 1, 3, U | L, -1, -1, 10, 9, 3, 3},
        {"a reversing wish is skipped", 1, 2, U | D, -1, -1, 9, 10, 1, 2},
        {"then the heading", 1, 4, U, -1, -1, 9, 10, 1, 4},
        {"up, side 1: left", 1, 1, L | R, 0.2f, -1, 10, 9, 3, 1},
        {"up, side 2: right", 1, 1, L | R, 0.7f, -1, 10, 11, 4, 1},
        {"up, side 1, left blocked: right", 1, 1, R | D, 0.2f, -1, 10, 11, 4, 1},
        {"up, nothing beside: back down with a new wish", 1, 1, D, 0.2f, 0.5f, 11, 10, 2, 3},
        {"down, side 2: right", 2, 2, L | R, 0.7f, -1, 10, 11, 4, 2},
        {"down, boxed: wish from 1, 3, 4", 2, 2, 0, 0.2f, 0.0f, 10, 10, 1, 1},
        {"left, side 1: up", 3, 3, U | D, 0.2f, -1, 9, 10, 1, 3},
        {"left, side 2: down", 3, 3, U | D, 0.7f, -1, 11, 10, 2, 3},
        {"left, boxed: wish from 4, 2, 1", 3, 3, 0, 0.7f, 0.9f, 10, 10, 4, 1},
        {"right, side 2, down blocked: up", 4, 4, U, 0.7f, -1, 9, 10, 1, 4},
        {"right, boxed: wish from 3, 2, 1", 4, 4, 0, 0.2f, 0.4f, 10, 10, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Walls(true);
        Critter(20, 40, 0);
        Put(9, 10, 10, c.dir, c.next);
        const std::pair<int, int> beside[] = {{9, 10}, {11, 10}, {10, 9}, {10, 11}};
        for (int b = 0; b < 4; ++b) {
            if (c.open & (1 << b)) Open(beside[b].first, beside[b].second);
        }
        NoTurn(rt, c.dir);
        for (float v : {c.side, c.pick, 0.0f}) {  // then the critter's draw
            if (v >= 0) rt.rnd.Push(v);
        }
        Mark();
        w.Timer1_Timer();
        EXPECT_EQ(Draws(), 4 + (c.side >= 0) + (c.pick >= 0));
        EXPECT_EQ(rt.rnd.Remaining(), 0u);
        EXPECT_EQ(At(9), std::pair(c.toRow, c.toCol));
        EXPECT_EQ(Heading(9), std::pair(c.newDir, c.newNext));
    }
}

TEST_F(Moves, ObjectsShareACellOnlyOnTheCritters) {
    // Records 8 and 12 both steer onto the critter's cell; the first is
    // eaten there, the other stays on it.
    Put(8, 20, 39, 4);
    Put(12, 19, 40, 2);
    rt.rnd.Push({0.99f, 0.0f, 0.5f});  // the turn picks record 12, which keeps its way
    w.Timer1_Timer();
    EXPECT_EQ(w.Score, 1);
    EXPECT_FALSE(w.ImgFruta(8).Visible.get());
    EXPECT_TRUE(w.ImgFruta(12).Visible.get());
    EXPECT_EQ(At(12), std::pair(20, 40));
    EXPECT_TRUE(DrawnAt(w.ImgFruta(12), 20, 40));
}

} // namespace
