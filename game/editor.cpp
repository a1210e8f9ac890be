// The labyrinth editor: an empty board, or a stored wall map, in which a
// click on a wall cell opens it; and the reset of the labyrinth choice.
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

namespace {

// The window's outer size in the design; the layout scales from it.
constexpr double kDesignW = 11415.0;
constexpr double kDesignH = 8160.0;

} // namespace

// Sizes and places the board for the window as it is now, with the same
// formulas as a game start; no wall changes.
void Nuvik3Main::LayOutBoard() {
    const auto byW = [this](double k) { return static_cast<float>(k * Width.get() / kDesignW); };
    const auto byH = [this](double k) { return static_cast<float>(k * Height.get() / kDesignH); };
    CellW = 150.0 * Width.get() / kDesignW;
    CellH = 210.0 * Height.get() / kDesignH;
    // A delay text that is no number leaves the interval and Delay as they
    // were; a number the timer refuses leaves only the interval.
    if (const auto ms = vb::ToNumber(txtDelay->Text)) {
        Timer1->SetInterval(vb::RoundHalfEven(*ms));
        vb::Let(Delay, vb::Int(*ms));
    }
    fraJuego->Width = byW(797);
    fraJuego->Height = byH(473);
    vb::Control* const status[] = {lblPtHS, lblPtLab, lblPtPause, lblPtScore, lblPtTime, lblPtVidas};
    for (vb::Control* label : status) {
        label->Height = byH(225);
    }
    for (vb::Control* label : status) {
        label->Top = byH(7335);
    }
    lblPtPause->Width = byW(11160) - 3450 + 100;

    const auto w = static_cast<float>(CellW);
    const auto h = static_cast<float>(CellH);
    for (int i = 0; i < kFrutas; ++i) {
        vb::Control& fruta = ImgFruta(i);
        fruta.Width = w;
        fruta.Height = h;
        fruta.Stretch = true;
        fruta.Visible = false;
    }
    for (vb::Control* nuvik : {&ImgNuvik(0), &ImgNuvik(1)}) {
        nuvik->Width = w;
        nuvik->Height = h;
        nuvik->Visible = false;
    }
    for (vb::Control* door : {&ImgMetaR(0), &ImgMetaV(0)}) {
        door->Width = w;
        door->Height = h;
    }
    for (vb::Control* sprite : {&ImgNuvik(0), &ImgNuvik(1), &ImgMetaR(0), &ImgMetaV(0)}) {
        sprite->Stretch = true;
    }
    ImgMetaR(0).Move(25, 0);
    ImgMetaV(0).Move(25, 0);
    int k = 0;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            vb::Control& cell = imgMuro(k++);
            cell.Width = w;
            cell.Height = h;
            cell.Left = static_cast<float>(c * CellW + 25);
            cell.Top = static_cast<float>(r * CellH);
            cell.Stretch = true;
        }
    }
    imgBala->Width = w;
    imgBala->Height = h;
    imgBala->Stretch = true;
    imgBala->Visible = false;
    imgBala->Move(25, 0);
}

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
