#include <gtest/gtest.h>

#include <string>

#include "game/board_fixture.h"

namespace {

TEST_F(BoardTest, CellTableNumbersCellsAlongTheRows) {
    for (int r = 0; r < Nuvik3Main::kRows; ++r) {
        for (int c = 0; c < Nuvik3Main::kCols; ++c) {
            ASSERT_EQ(w.MuroIdx[c][r], c + 75 * r) << c << "," << r;
        }
    }
    EXPECT_EQ(&w.Cell(74, 34), &w.imgMuro(2624));
}

TEST_F(BoardTest, CellKindAnswersWallOffTheBoardAndFreeUnderSprites) {
    EXPECT_EQ(w.CellKind(-1, 5), Nuvik3Main::ckMuro);
    EXPECT_EQ(w.CellKind(35, 0), Nuvik3Main::ckMuro);
    EXPECT_EQ(w.CellKind(0, 75), Nuvik3Main::ckMuro);
    EXPECT_EQ(w.CellKind(0, -1), Nuvik3Main::ckMuro);
    EXPECT_EQ(w.CellKind(0, 0), Nuvik3Main::ckMuro);

    for (auto& f : w.Frutas) f.Cell = -1;
    w.SetCell(0, 0, "metar");
    w.SetCell(0, 0, "nuvik");
    EXPECT_EQ(w.CellKind(0, 0), Nuvik3Main::ckLibre);
}

TEST_F(BoardTest, ObjectsCountByTheirRecordCellOnlyBelowNumFrutas) {
    for (auto& f : w.Frutas) f.Cell = -1;
    Open(3, 5);
    w.Frutas[9].Cell = w.MuroIdx[5][3];
    w.ImgFruta(9).Visible = false;  // the image does not matter
    EXPECT_EQ(w.CellKind(3, 5), Nuvik3Main::ckObjeto);
    EXPECT_TRUE(w.IsFrutaAt(5, 3));
    EXPECT_FALSE(w.IsFrutaAt(3, 5));  // column first

    w.Frutas[9].Cell = -1;
    w.Frutas[14].Cell = w.MuroIdx[5][3];
    w.Frutas[25].Cell = w.MuroIdx[5][3];
    EXPECT_EQ(w.CellKind(3, 5), Nuvik3Main::ckLibre);

    w.Frutas[0].Cell = w.MuroIdx[5][3];
    w.NumFrutas = 0;
    EXPECT_FALSE(w.IsFrutaAt(5, 3));
    w.NumFrutas = 1;
    EXPECT_TRUE(w.IsFrutaAt(5, 3));
}

TEST_F(BoardTest, RunsStopAtTheBoardEdgeInsteadOfWrapping) {
    w.SetCell(5, 73, "space", 3);
    EXPECT_FALSE(IsWall(5, 73));
    EXPECT_FALSE(IsWall(5, 74));
    EXPECT_TRUE(IsWall(6, 0));
    EXPECT_EQ(OpenCells(), 2);

    w.SetCell(2, -1, "space", 3);
    EXPECT_FALSE(IsWall(2, 0));
    EXPECT_FALSE(IsWall(2, 1));
    EXPECT_TRUE(IsWall(1, 74));
    EXPECT_EQ(OpenCells(), 4);

    w.SetCell(5, 72, "muro", 5);
    EXPECT_TRUE(IsWall(5, 73));
    EXPECT_TRUE(IsWall(5, 74));
    w.SetCell(2, 0, "space", 0);
    w.SetCell(2, 0, "muro", -1);
    EXPECT_EQ(OpenCells(), 2);
}

TEST_F(BoardTest, FlagChangesNothing) {
    w.SetCell(7, 7, "space", 1, true);
    EXPECT_FALSE(IsWall(7, 7));
    w.SetCell(7, 7, "muro", 1, true);
    EXPECT_TRUE(IsWall(7, 7));
}

TEST_F(BoardTest, KindIsLowerCasedInTheCallersVariable) {
    Int16 row = 0, col = 0, count = 1;
    bool flag = false;
    std::string kind = "METAR";
    w.ImgMetaR(0).Visible = false;
    w.ImgMetaV(0).Visible = true;
    w.SetCell(row, col, kind, count, flag);
    EXPECT_EQ(kind, "metar");
    EXPECT_FALSE(IsWall(0, 0));
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_FALSE(w.ImgMetaV(0).Visible);

    w.SetCell(0, 0, "MetaV");
    EXPECT_TRUE(w.ImgMetaV(0).Visible);
    EXPECT_FALSE(w.ImgMetaR(0).Visible);
}

TEST_F(BoardTest, UnknownKindOnlyClearsBalaParada) {
    w.BalaParada = true;
    w.SetCell(3, 3, "wall", 5);
    EXPECT_FALSE(w.BalaParada);
    EXPECT_EQ(OpenCells(), 0);
    EXPECT_EQ(rt.rnd.Draws(), 0);
}

TEST_F(BoardTest, CritterShowsOneOfItsTwoImagesAtRandom) {
    w.Cell(12, 4).Left = 1800.0f;
    w.Cell(12, 4).Top = 900.0f;
    rt.rnd.Push({0.7f, 0.5f});
    w.SetCell(4, 12, "nuvik");
    EXPECT_TRUE(w.ImgNuvik(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(w.ImgNuvik(i).Left.get(), 1800.0f);
        EXPECT_EQ(w.ImgNuvik(i).Top.get(), 900.0f);
    }
    EXPECT_TRUE(IsWall(4, 12));  // the cell itself is untouched

    w.SetCell(4, 12, "nuvik");
    EXPECT_FALSE(w.ImgNuvik(0).Visible);
    EXPECT_TRUE(w.ImgNuvik(1).Visible);
}

TEST_F(BoardTest, CritterOffTheBoardStaysWhereItWasButStillDraws) {
    w.Cell(12, 4).Left = 1800.0f;
    rt.rnd.Push({0.2f, 0.9f});
    w.SetCell(4, 12, "nuvik");
    w.SetCell(4, -12, "nuvik");
    EXPECT_EQ(rt.rnd.Draws(), 2);
    EXPECT_EQ(w.ImgNuvik(0).Left.get(), 1800.0f);
    EXPECT_EQ(w.ImgNuvik(1).Left.get(), 1800.0f);
    EXPECT_TRUE(w.ImgNuvik(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
}

TEST_F(BoardTest, StarMovesWithoutChangingItsVisibility) {
    w.Cell(20, 10).Left = 3000.0f;
    w.Cell(20, 10).Top = 2250.0f;
    w.SetCell(10, 20, "CruzR");
    EXPECT_EQ(w.imgCruzR->Left.get(), 3000.0f);
    EXPECT_EQ(w.imgCruzR->Top.get(), 2250.0f);
    EXPECT_FALSE(w.imgCruzR->Visible);
    w.SetCell(40, 20, "cruzr");
    EXPECT_EQ(w.imgCruzR->Top.get(), 2250.0f);
}

class BulletTest : public BoardTest {
protected:
    BulletTest() {
        for (auto& f : w.Frutas) f.Cell = -1;
        w.Cell(7, 3).Left = 1050.0f;
        w.Cell(7, 3).Top = 675.0f;
        Open(3, 7);
        w.BalaRow = 3;
        w.BalaCol = 7;
        w.NuvikRow = 10;
        w.NuvikCol = 10;
        w.imgBala->Visible = true;
        w.Timer1->Enabled = false;
        w.Timer2->Enabled = true;
    }
};

TEST_F(BulletTest, HittingTheCritterPausesPlayAndMarksItsColumn) {
    w.NuvikRow = 3;
    w.NuvikCol = 7;
    w.SetCell(w.BalaRow, w.BalaCol, "bala");
    EXPECT_EQ(w.imgBala->Left.get(), 1050.0f);
    EXPECT_EQ(w.imgBala->Top.get(), 675.0f);
    EXPECT_FALSE(w.imgBala->Visible);
    EXPECT_FALSE(w.Timer2->Enabled);
    EXPECT_TRUE(w.Timer1->Enabled);
    EXPECT_TRUE(w.UsaTimer1);
    EXPECT_TRUE(w.Pausado);
    EXPECT_EQ(w.lblPtPause->Caption.get(), "PRESIONE ESC...");
    EXPECT_EQ(w.NuvikCol, -7);
    EXPECT_EQ(rt.beeps, 1);

    w.ClearEatenCells();
    EXPECT_EQ(w.NuvikCol, 7);
}

TEST_F(BulletTest, HittingTheCritterOnTheClosedDoorRedrawsTheDoor) {
    w.BalaRow = w.BalaCol = w.NuvikRow = w.NuvikCol = 0;
    w.ImgMetaR(0).Visible = false;
    w.SetCell(0, 0, "bala");
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_EQ(w.NuvikCol, 0);
    EXPECT_EQ(rt.beeps, 1);
}

TEST_F(BulletTest, DestroysTheFirstMonsterOnItsCellAndStops) {
    w.Frutas[2].Cell = w.MuroIdx[7][3];
    w.Frutas[5].Cell = w.MuroIdx[7][3];
    w.SetCell(3, 7, "bala");
    EXPECT_TRUE(w.BalaParada);
    EXPECT_FALSE(w.imgBala->Visible);
    EXPECT_EQ(w.Frutas[2].Cell, -1);
    EXPECT_FALSE(w.ImgFruta(2).Visible);
    EXPECT_EQ(w.Frutas[5].Cell, w.MuroIdx[7][3]);
    EXPECT_TRUE(w.ImgFruta(5).Visible);
    EXPECT_EQ(rt.beeps, 1);
    EXPECT_FALSE(w.Pausado);
}

TEST_F(BulletTest, AFruitStopsTheBulletAndStays) {
    w.Frutas[8].Cell = w.MuroIdx[7][3];
    w.SetCell(3, 7, "bala");
    EXPECT_TRUE(w.BalaParada);
    EXPECT_FALSE(w.imgBala->Visible);
    EXPECT_EQ(w.Frutas[8].Cell, w.MuroIdx[7][3]);
    EXPECT_TRUE(w.ImgFruta(8).Visible);
    EXPECT_EQ(rt.beeps, 0);
}

TEST_F(BulletTest, AHiddenBulletHitsNothing) {
    w.Frutas[2].Cell = w.MuroIdx[7][3];
    w.imgBala->Visible = false;
    w.SetCell(3, 7, "bala");
    EXPECT_FALSE(w.BalaParada);
    EXPECT_EQ(w.Frutas[2].Cell, w.MuroIdx[7][3]);
    EXPECT_EQ(rt.beeps, 0);
}

TEST_F(BulletTest, OffTheBoardTheBulletStaysWhereItWas) {
    w.SetCell(3, 7, "bala");
    w.SetCell(3, 80, "bala");
    EXPECT_EQ(w.imgBala->Left.get(), 1050.0f);
}

TEST_F(BoardTest, ClearBoardWallsEverythingAndTakesRecordsOff) {
    w.SetCell(4, 0, "space", 75);
    w.Frutas[3].Cell = 17;
    w.Frutas[3].Row = 9;
    w.Frutas[25].Cell = 40;
    w.ImgMetaR(0).Visible = true;
    w.imgCruzR->Visible = true;
    w.ClearBoard();
    EXPECT_EQ(OpenCells(), 0);
    for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
        EXPECT_EQ(w.Frutas[i].Cell, -1);
        EXPECT_FALSE(w.ImgFruta(i).Visible);
    }
    EXPECT_EQ(w.Frutas[3].Row, 9);
    EXPECT_FALSE(w.ImgNuvik(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
    EXPECT_FALSE(w.ImgMetaV(0).Visible);
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_FALSE(w.imgBala->Visible);
    EXPECT_TRUE(w.imgCruzR->Visible);
}

TEST_F(BoardTest, HideFrutasTakesOffOnlyShownRecordsBelowMovEnd) {
    w.Frutas[1].Cell = 100;
    w.Frutas[2].Cell = 200;
    w.ImgFruta(2).Visible = false;
    w.Frutas[14].Cell = 300;
    w.HideFrutas();
    EXPECT_EQ(w.Frutas[1].Cell, -1);
    EXPECT_FALSE(w.ImgFruta(1).Visible);
    EXPECT_EQ(w.Frutas[2].Cell, 200);
    EXPECT_EQ(w.Frutas[14].Cell, 300);
    EXPECT_TRUE(w.ImgFruta(14).Visible);
}

class CritterTest : public BoardTest {
protected:
    CritterTest() {
        w.ComidaRow = -1;
        w.ComidaCol = -1;
        w.SetCell(5, 0, "space", 20);
    }
    void StepTo(Int16 row, Int16 col) {
        w.NuvikRow = row;
        w.NuvikCol = col;
        w.DrawNuvik();
    }
    // The tick records the critter's cell when it meets an object there.
    void Catch() {
        w.ComidaRow = w.NuvikRow;
        w.ComidaCol = w.NuvikCol;
    }
};

TEST_F(CritterTest, TheCellOfACatchIsWalledOnceLeftAndRecordedOnce) {
    StepTo(5, 5);
    Catch();
    StepTo(5, 5);  // still there: nothing yet
    EXPECT_EQ(w.EatenCount, 0);
    EXPECT_FALSE(IsWall(5, 5));

    StepTo(5, 6);
    EXPECT_EQ(w.EatenCount, 1);
    EXPECT_EQ(w.EatenRow[1], 5);
    EXPECT_EQ(w.EatenCol[1], 5);
    EXPECT_TRUE(IsWall(5, 5));
    EXPECT_EQ(w.ComidaRow, -1);
    EXPECT_EQ(w.ComidaCol, -1);
    EXPECT_EQ(w.PrevRow, 5);
    EXPECT_EQ(w.PrevCol, 6);

    StepTo(5, 7);
    StepTo(5, 8);
    EXPECT_EQ(w.EatenCount, 1);

    w.ClearEatenCells();
    EXPECT_FALSE(IsWall(5, 5));
    EXPECT_EQ(w.EatenCount, 1);
    EXPECT_FALSE(w.ImgNuvik(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
}

TEST_F(CritterTest, AFullEatenListStillCountsAndWallsButStoresNoMore) {
    w.EatenCount = Nuvik3Main::kEatenMax;
    w.EatenRow[78] = 9;
    w.EatenCol[78] = 3;
    StepTo(5, 10);
    Catch();
    StepTo(5, 11);
    EXPECT_EQ(w.EatenCount, 79);
    EXPECT_EQ(w.EatenRow[78], 9);
    EXPECT_EQ(w.EatenCol[78], 3);
    EXPECT_TRUE(IsWall(5, 10));

    w.ClearEatenCells();
    EXPECT_FALSE(IsWall(9, 3));
    EXPECT_TRUE(IsWall(5, 10));
}

TEST_F(CritterTest, LeavingTheClosedDoorCellRedrawsTheDoorAndKeepsItOpen) {
    w.SetCell(0, 0, "space", 3);
    StepTo(0, 0);
    Catch();
    w.ImgMetaR(0).Visible = false;
    StepTo(0, 1);
    EXPECT_FALSE(IsWall(0, 0));
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_EQ(w.EatenCount, 1);
}

TEST_F(CritterTest, HidingTheCritterOnTheDoorRedrawsItOnlyWhileClosed) {
    StepTo(0, 0);
    w.ImgMetaR(0).Visible = false;
    w.MetaAbierta = true;
    w.HideNuvik();
    EXPECT_FALSE(w.ImgMetaR(0).Visible);
    w.MetaAbierta = false;
    w.HideNuvik();
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(0).Visible);
    EXPECT_FALSE(w.ImgNuvik(1).Visible);
}

TEST_F(BoardTest, ShowScoresWritesPlainNumbers) {
    w.HighScore = 7;
    w.LabNumber = 3;
    w.Score = 0;
    w.ShowScores();
    EXPECT_EQ(w.lblPtHS->Caption.get(), "7");
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 7");
    EXPECT_EQ(w.lblPtLab->Caption.get(), "3");
    EXPECT_EQ(w.lblPtScore->Caption.get(), "0");
    w.Score = -5;
    w.ShowScores();
    EXPECT_EQ(w.lblPtScore->Caption.get(), "-5");
}

} // namespace
