// The labyrinth editor: an empty board, or a stored wall map, in which a
// click on a wall cell opens it; and the reset of the labyrinth choice.
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

void Nuvik3Main::EditLabyrinth() {
    const std::string answer = rt().InputBox("Input Lab number to edit (0 for create new)",
                                             "Edit or create a labyrinth", "0");
    // The leading number, rounded half to even; no number, or one too large
    // for 16 bits, leaves 0: a new labyrinth.
    Int16 n = 0;
    vb::Let(n, vb::Val(answer));
    if (n < 0 || n > MaxLab) {
        rt().Beep();
        return;
    }

    ClearBoard();
    LayOutBoard();
    SetCell(MaxRow, MaxCol, "space");
    fraMenu->Visible = false;
    fraJuego->Visible = true;
    EditMode = true;
    if (n == 0) {
        return;
    }
    lblPtPause->Caption = std::string(kPauseMenu);
    UsarDificil = false;
    Vidas = 5;
    FinMotivo = -999;
    LabInUse = n;
    LoadLab(n);
}

void Nuvik3Main::imgMuro_Click(Int16 Index) {
    if (EditMode && imgMuro.Has(Index)) {
        imgMuro(Index).Visible = false;
    }
}

void Nuvik3Main::ClearLabChoice() {
    UsarDificil = false;
    LabACargar = 0;
}
