// Round set-up: the objects on random free cells, the critter on the start
// cell (or, after a lost life, on a random free cell), the round's counters,
// and the pause menu the round begins in.
#include <algorithm>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbtext.h"

namespace {

// Rejected draws after which a piece is placed by choosing among the cells
// that are still allowed. On a generated board a draw is accepted about one
// time in three, so play never gets there; a wall map with fewer free cells
// than pieces would otherwise draw for ever.
constexpr int kDrawsBeforeChoosing = 1000;

Int16 RowStepOf(Int16 dir) { return dir == 1 ? -1 : dir == 2 ? 1 : 0; }
Int16 ColStepOf(Int16 dir) { return dir == 3 ? -1 : dir == 4 ? 1 : 0; }

} // namespace

void Nuvik3Main::GiveHeading(FrutaRec& f) {
    f.NextDir = static_cast<Int16>(RndWhole(4) + 1);
    f.Dir = f.NextDir;
    f.DX = ColStepOf(f.Dir);
    f.DY = RowStepOf(f.Dir);
}

bool Nuvik3Main::ObjectMayStand(int row, int col) {
    if ((row == 0 && col == 0) || (row == MaxRow && col == MaxCol)) {
        return false;
    }
    return !Cell(col, row).Visible && !IsFrutaAt(static_cast<Int16>(col), static_cast<Int16>(row));
}

bool Nuvik3Main::CritterMayStand(int row, int col) {
    if (row == 0 && col == 0) {
        return false;
    }
    return !Cell(col, row).Visible && !IsFrutaAt(static_cast<Int16>(col), static_cast<Int16>(row));
}

// Draws candidate cells, row first, until one is allowed. After too many
// rejections it picks uniformly among the allowed cells, so every allowed
// cell keeps the same chance either way; false when no cell is allowed.
bool Nuvik3Main::DrawCell(bool (Nuvik3Main::*allowed)(int, int), Int16& row, Int16& col) {
    for (int attempt = 0; attempt < kDrawsBeforeChoosing; ++attempt) {
        row = RndWhole(MaxRow + 1);
        col = RndWhole(kCols);
        if (row >= 0 && row < kRows && (this->*allowed)(row, col)) {
            return true;
        }
    }
    std::vector<int> cells;
    for (int k = 0; k < kCells; ++k) {
        if ((this->*allowed)(k / kCols, k % kCols)) {
            cells.push_back(k);
        }
    }
    if (cells.empty()) {
        return false;
    }
    const int k = cells[static_cast<std::size_t>(RndWhole(static_cast<int>(cells.size())))];
    row = static_cast<Int16>(k / kCols);
    col = static_cast<Int16>(k % kCols);
    return true;
}

// Puts record i on a random allowed cell; with none left it stays off the board.
void Nuvik3Main::PlaceFruta(int i) {
    FrutaRec& f = Frutas[i];
    Int16 row = 0;
    Int16 col = 0;
    const bool found = DrawCell(&Nuvik3Main::ObjectMayStand, row, col);
    f.Row = row;
    f.Col = col;
    if (!found) {
        f.Cell = -1;
        ImgFruta(i).Visible = false;
        return;
    }
    const vb::Control& cell = Cell(col, row);
    ImgFruta(i).Top = cell.Top;
    ImgFruta(i).Left = cell.Left;
    ImgFruta(i).Visible = true;
    f.Cell = MuroIdx[col][row];
}

void Nuvik3Main::StartRound() {
    ComidaRow = -1;
    ComidaCol = -1;
    MovEnd = static_cast<Int16>(MovCount + MovFirst);
    EatenCount = 0;
    Pausado = false;

    // Records 12.. get a heading, records 0..NumFrutas-1 are placed: the two
    // ranges overlap only in 12 and 13. Neither loop leaves the 26 records.
    const int headingFirst = std::max(0, 12 + MovFirst);
    const int headingLast = std::min(kFrutas - 1, 11 + MovEnd);
    const int placeEnd = std::clamp<int>(NumFrutas, 0, kFrutas);

    if (!Continuar) {
        NuvikDir = 2;
        NuvikRow = MaxRow;
        ImgNuvik(0).Top = static_cast<float>(34 * CellH);
        ImgNuvik(1).Top = static_cast<float>(34 * CellH);
        NuvikCol = MaxCol;
        ImgNuvik(0).Left = static_cast<float>(74 * CellW + 25);
        ImgNuvik(1).Left = static_cast<float>(74 * CellW + 25);

        BalaDir = 2;
        BalaRow = MaxRow;
        imgBala->Top = static_cast<float>(34 * CellH);
        BalaCol = MaxCol;
        imgBala->Left = static_cast<float>(74 * CellW + 25);

        MetaAbierta = false;
        FrutasMeta = 0;
        FrutasComidas = 0;

        for (int i = headingFirst; i <= headingLast; ++i) {
            ++FrutasMeta;
            Frutas[i].Cell = -1;
            GiveHeading(Frutas[i]);
        }
        for (int i = 0; i < placeEnd; ++i) {
            PlaceFruta(i);
            FrutaRec& f = Frutas[i];
            if (f.Row == MaxRow) {
                f.NextDir = 3;
                f.Dir = f.NextDir;
            } else if (f.Col == MaxCol) {
                f.NextDir = 1;
                f.Dir = f.NextDir;
            }
        }
    } else {
        for (int i = headingFirst; i <= headingLast; ++i) {
            if (Frutas[i].Cell == -1) {
                GiveHeading(Frutas[i]);
            }
        }
        for (int i = 0; i < placeEnd; ++i) {
            if (Frutas[i].Cell == -1) {
                PlaceFruta(i);
            }
        }
        NuvikDir = 2;
        BalaDir = 2;
        Int16 row = 0;
        Int16 col = 0;
        if (DrawCell(&Nuvik3Main::CritterMayStand, row, col)) {
            NuvikCol = col;
            NuvikRow = row;
        } else {
            NuvikCol = MaxCol;
            NuvikRow = MaxRow;
        }
    }

    Continuar = false;
    DrawNuvik();
    ShowScores();
    if (!Pausado) {
        lblPtPause->Caption = std::string(kPlaying);
    }
    // Every round begins in the pause menu, with the game timer off.
    const int pause = vb::Asc(PauseKey);
    if (pause >= 0) {
        Int16 key = static_cast<Int16>(pause);
        Form_KeyPress(key);
    }
    TInicio = rt().Timer();
    TiempoMostrado = false;
    MetaAlcanzada = false;
    FinMotivo = 0;
}
