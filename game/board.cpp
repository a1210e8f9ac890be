// The board: cell images (a visible image is a wall), the object records, the
// critter and door sprites, the eaten-cell list and the score labels.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"

namespace {

constexpr Int16 kInt16Min = INT16_MIN;
constexpr Int16 kInt16Max = INT16_MAX;

bool OnBoard(int row, int col) {
    return row >= 0 && row < Nuvik3Main::kRows && col >= 0 && col < Nuvik3Main::kCols;
}

// Stores |v|; -32768 has no 16-bit absolute value, so dst keeps its value.
void StoreAbs(Int16& dst, Int16 v) {
    if (v != kInt16Min) {
        dst = static_cast<Int16>(v < 0 ? -v : v);
    }
}

// Record loops never go past the 26 records, whatever the bound field says.
int RecordBound(Int16 n) { return std::clamp<int>(n, 0, Nuvik3Main::kFrutas); }

// Off the board the sprite stays where it was.
void MoveToCell(Nuvik3Main& w, vb::Control& sprite, int row, int col) {
    if (!OnBoard(row, col)) {
        return;
    }
    const vb::Control& cell = w.Cell(col, row);
    sprite.Left = cell.Left;
    sprite.Top = cell.Top;
}

} // namespace

void Nuvik3Main::FillMuroIdx() {
    Int16 c = 0;
    Int16 r = 0;
    for (Int16 i = 0; i < kCells; ++i) {
        MuroIdx[c][r] = i;
        if (++c == kCols) {
            c = 0;
            ++r;
        }
    }
}

void Nuvik3Main::SetCell(Int16 Row, Int16 Col, const char* Kind, Int16 Count, bool Flag) {
    std::string kind(Kind);
    SetCell(Row, Col, kind, Count, Flag);
}

// Flag is part of the call shape every caller uses, but no kind reads it.
void Nuvik3Main::SetCell(Int16& Row, Int16& Col, std::string& Kind, Int16& Count, bool& /*Flag*/) {
    BalaParada = false;
    std::transform(Kind.begin(), Kind.end(), Kind.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });

    const auto run = [&](bool wall) {
        for (int i = 1; i <= Count; ++i) {
            const int col = Col + i - 1;
            if (OnBoard(Row, col)) {
                Cell(col, Row).Visible = wall;
            }
        }
    };
    const auto openCell = [&] {
        if (OnBoard(Row, Col)) {
            Cell(Col, Row).Visible = false;
        }
    };

    if (Kind == "cruzr") {
        MoveToCell(*this, *imgCruzR, Row, Col);
    } else if (Kind == "space") {
        run(false);
    } else if (Kind == "metar") {
        openCell();
        ImgMetaV(0).Visible = false;
        ImgMetaR(0).Visible = true;
    } else if (Kind == "nuvik") {
        ImgNuvik(0).Visible = true;
        ImgNuvik(1).Visible = true;
        MoveToCell(*this, ImgNuvik(0), Row, Col);
        MoveToCell(*this, ImgNuvik(1), Row, Col);
        if (rt().Rnd() > 0.5f) {
            ImgNuvik(1).Visible = false;
        } else {
            ImgNuvik(0).Visible = false;
        }
    } else if (Kind == "metav") {
        openCell();
        ImgMetaV(0).Visible = true;
        ImgMetaR(0).Visible = false;
    } else if (Kind == "muro") {
        run(true);
    } else if (Kind == "bala") {
        MoveToCell(*this, *imgBala, Row, Col);
        if (imgBala->Visible && BalaRow == NuvikRow && BalaCol == NuvikCol) {
            // The bullet hit the critter: stop play and wait for Esc.
            imgBala->Visible = false;
            if (NuvikRow == 0 && NuvikCol == 0 && !MetaAbierta) {
                SetCell(0, 0, "metar");
            }
            Timer2->Enabled = false;
            Timer1->Enabled = true;
            UsaTimer1 = true;
            lblPtPause->Caption = std::string(kDeathPrompt);
            if (NuvikCol != kInt16Min) {
                NuvikCol = static_cast<Int16>(-NuvikCol);  // marks the hit; ClearEatenCells undoes it
            }
            Pausado = true;
            rt().Beep();
        } else if (CellKind(BalaRow, BalaCol) == ckObjeto && imgBala->Visible) {
            // Any object stops the bullet; only a monster is destroyed.
            BalaParada = true;
            imgBala->Visible = false;
            const Int16 target = MuroIdx[BalaCol][BalaRow];
            for (int i = 0; i < RecordBound(NumFrutas); ++i) {
                if (IsMonster(i) && Frutas[i].Cell == target) {
                    Frutas[i].Cell = -1;
                    ImgFruta(i).Visible = false;
                    rt().Beep();
                    break;
                }
            }
        }
    }
}

Int16 Nuvik3Main::CellKind(Int16 Row, Int16 Col) {
    if (!OnBoard(Row, Col) || Cell(Col, Row).Visible) {
        return ckMuro;
    }
    return IsFrutaAt(Col, Row) ? ckObjeto : ckLibre;
}

bool Nuvik3Main::IsFrutaAt(Int16 Col, Int16 Row) {
    if (!OnBoard(Row, Col)) {
        return false;
    }
    const Int16 cell = MuroIdx[Col][Row];
    for (int i = 0; i < RecordBound(NumFrutas); ++i) {
        if (Frutas[i].Cell == cell) {
            return true;
        }
    }
    return false;
}

void Nuvik3Main::ClearBoard() {
    for (int i = 0; i < kFrutas; ++i) {
        ImgFruta(i).Visible = false;
        Frutas[i].Cell = -1;
    }
    ImgNuvik(0).Visible = false;
    ImgNuvik(1).Visible = false;
    ImgMetaV(0).Visible = false;
    for (int k = 0; k < kCells; ++k) {
        imgMuro(k).Visible = true;
    }
    imgBala->Visible = false;
}

void Nuvik3Main::HideFrutas() {
    for (int i = 0; i < RecordBound(MovEnd); ++i) {
        if (ImgFruta(i).Visible) {
            ImgFruta(i).Visible = false;
            Frutas[i].Cell = -1;
        }
    }
}

void Nuvik3Main::ClearEatenCells() {
    const int stored = std::min<int>(EatenCount, kEatenMax);
    for (int i = 1; i <= stored; ++i) {
        SetCell(EatenRow[i], EatenCol[i], "space");
    }
    StoreAbs(NuvikRow, NuvikRow);
    StoreAbs(NuvikCol, NuvikCol);
    HideNuvik();
}

void Nuvik3Main::HideNuvik() {
    ImgNuvik(0).Visible = false;
    ImgNuvik(1).Visible = false;
    if (NuvikRow == 0 && NuvikCol == 0 && !MetaAbierta) {
        SetCell(0, 0, "metar");  // the closed door shows again once the critter leaves it
    }
}

void Nuvik3Main::DrawNuvik() {
    ImgNuvik(0).Visible = true;
    ImgNuvik(1).Visible = true;
    if (PrevRow == ComidaRow && PrevCol == ComidaCol && ComidaRow != -1 &&
        (NuvikRow != PrevRow || NuvikCol != PrevCol)) {
        // The critter left the cell where it met an object: the cell is walled up.
        if (EatenCount != kInt16Max) {
            ++EatenCount;
        }
        if (EatenCount >= 1 && EatenCount <= kEatenMax) {
            StoreAbs(EatenRow[EatenCount], ComidaRow);
            StoreAbs(EatenCol[EatenCount], ComidaCol);
        }
        SetCell(PrevRow, PrevCol, "muro");
        if (PrevRow == 0 && PrevCol == 0 && !MetaAbierta) {
            SetCell(0, 0, "metar");
        }
        PrevRow = 0;
        PrevCol = 0;
        ComidaRow = -1;
        ComidaCol = -1;
    }
    SetCell(NuvikRow, NuvikCol, "nuvik");
    PrevRow = NuvikRow;
    PrevCol = NuvikCol;
}

void Nuvik3Main::ShowScores() {
    lblPtHS->Caption = std::to_string(HighScore);
    lblHS->Caption = "HS: " + std::to_string(HighScore);
    lblPtLab->Caption = std::to_string(LabNumber);
    lblPtScore->Caption = std::to_string(Score);
}
