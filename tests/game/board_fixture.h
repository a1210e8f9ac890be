#pragma once
// A game window with the cell table filled and the board bounds of play, as
// start-up leaves it.
#include <gtest/gtest.h>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

class BoardTest : public ::testing::Test {
protected:
    BoardTest() {
        w.FillMuroIdx();
        w.MaxRow = 34;
        w.MaxCol = 74;
        w.NumFrutas = 14;
        w.MovEnd = 14;
    }

    bool IsWall(int row, int col) { return w.Cell(col, row).Visible; }
    void Open(int row, int col) { w.Cell(col, row).Visible = false; }

    int OpenCells() {
        int n = 0;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            n += w.imgMuro(k).Visible ? 0 : 1;
        }
        return n;
    }

    void AllWalls() {
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            w.imgMuro(k).Visible = true;
        }
    }

    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};
