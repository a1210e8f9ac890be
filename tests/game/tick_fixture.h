#pragma once
// A game in play on a hand-made board: every cell walled and every object
// taken off, so a test opens only the cells it needs and places the critter
// and the objects itself. MurosExtra stands at 3: monsters drop no walls.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "game/Nuvik3Main.h"
#include "support/sim_player.h"

class TickTest : public ::testing::Test {
protected:
    TickTest() {
        w.Show();
        NewBoard();
    }

    void NewBoard() {
        w.Reinicio = false;
        w.cmdPlay_Click();
        Key('q');  // out of the pause menu: Timer1 runs
        Walls(false);
        for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
            w.Frutas[i] = FrutaRec{};
            Gone(i);
        }
        w.MurosExtra = 3;
        w.SetCell(0, 0, "metar");
        Critter(20, 40, 0);
        rt.boxes.clear();
        rt.onBox = nullptr;
    }

    void Key(char c) {
        Int16 k = static_cast<Int16>(static_cast<unsigned char>(c));
        w.Form_KeyPress(k);
    }
    void Walls(bool doorOpen) {
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            w.imgMuro(k).Visible = !(doorOpen && k == 0);
        }
    }
    bool IsWall(int row, int col) { return w.Cell(col, row).Visible; }
    void Open(int row, int col) { w.Cell(col, row).Visible = false; }
    void Open(std::initializer_list<std::pair<int, int>> cells) {
        for (auto [r, c] : cells) {
            Open(r, c);
        }
    }

    // The critter on an open cell, drawn there, with nothing eaten.
    void Critter(int row, int col, Int16 dir) {
        Open(row, col);
        w.NuvikRow = static_cast<Int16>(row);
        w.NuvikCol = static_cast<Int16>(col);
        w.NuvikDir = dir;
        w.PrevRow = w.NuvikRow;
        w.PrevCol = w.NuvikCol;
        w.ComidaRow = w.ComidaCol = -1;
        w.ImgNuvik(0).Move(w.Cell(col, row).Left, w.Cell(col, row).Top);
        w.ImgNuvik(0).Visible = true;
        w.ImgNuvik(1).Visible = false;
    }

    // Record i on an open cell, shown there; Gone takes it off again.
    void Put(int i, int row, int col, Int16 dir, Int16 next = -1) {
        Open(row, col);
        FrutaRec& f = w.Frutas[i];
        f.Row = static_cast<Int16>(row);
        f.Col = static_cast<Int16>(col);
        f.Cell = w.MuroIdx[col][row];
        f.Dir = dir;
        f.NextDir = next < 0 ? dir : next;
        w.ImgFruta(i).Move(w.Cell(col, row).Left, w.Cell(col, row).Top);
        w.ImgFruta(i).Visible = true;
    }
    void Gone(int i) {
        w.ImgFruta(i).Visible = false;
        w.Frutas[i].Cell = -1;
    }

    std::pair<int, int> At(int i) const { return {w.Frutas[i].Row, w.Frutas[i].Col}; }
    std::pair<int, int> Heading(int i) const { return {w.Frutas[i].Dir, w.Frutas[i].NextDir}; }
    bool DrawnAt(vb::Control& sprite, int row, int col) {
        return sprite.Left == w.Cell(col, row).Left && sprite.Top == w.Cell(col, row).Top;
    }

    // Draws made since the mark.
    void Mark() { mark_ = rt.rnd.Draws(); }
    int Draws() const { return rt.rnd.Draws() - mark_; }

    sim::SimRuntime rt;
    Nuvik3Main w{rt};

private:
    int mark_ = 0;
};
