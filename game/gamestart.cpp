// The spine of a game: "&PLAY GAME" prepares the board for the window size of
// the moment and builds a new labyrinth; the key handler calls it again to
// restart the board after a lost life, and the tick to start the next one.
#include <optional>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

namespace {

constexpr double kDesignW = 11415.0;
constexpr double kDesignH = 8160.0;

} // namespace

void Nuvik3Main::cmdPlay_Click() {
    if (!Reinicio) {
        PrepareBoard();
    }
    if (!Continuar) {
        if (!NewBoard()) {
            return;  // the game ended instead; practice stays requested
        }
    } else {
        RestartBoard();
    }
    Practicar = false;
}

void Nuvik3Main::cmdPracticar_Click() { Practicar = true; }

void Nuvik3Main::ShowLivesCaption() { Caption = kCaptionLives + vb::CStr(Vidas); }

void Nuvik3Main::ShowLives() {
    lblPtVidas->Caption = vb::CStr(Vidas);
    ShowLivesCaption();
}

// Lays out the board for a new game or the next labyrinth. The picture panel
// covers the window meanwhile, so a half laid board is never on screen.
void Nuvik3Main::PrepareBoard() {
    UsaTimer1 = true;
    MurosExtra = 0;
    if (JuegoNuevo) {
        Score = 0;
        Vidas = 5;
        JuegoNuevo = false;
    }
    fraMenu->Visible = false;
    fraHelp->Visible = false;
    fraColor->Visible = true;
    fraJuego->Visible = false;

    LayOutBoard();

    fraMenu->Visible = false;
    fraHelp->Visible = false;
    fraColor->Visible = false;
    fraJuego->Visible = true;
    Arranques = 0;
    ShowLivesCaption();
}

// Sizes and places the cells, the sprites and the status line for the
// window's size at this moment; no wall changes.
void Nuvik3Main::LayOutBoard() {
    // The size is read anew for every formula.
    const auto byW = [this](double k) { return static_cast<float>(k * Width.get() / kDesignW); };
    const auto byH = [this](double k) { return static_cast<float>(k * Height.get() / kDesignH); };
    CellW = Width.get() * 150.0 / kDesignW;
    CellH = Height.get() * 210.0 / kDesignH;

    // A delay that is no number leaves the interval and the delay in force
    // as they were; one the timer refuses leaves only the interval.
    if (const std::optional<double> typed = vb::ToNumber(txtDelay->Text)) {
        Timer1->SetInterval(*typed);
        vb::Let(Delay, vb::Int(*typed));
    }

    fraJuego->Width = byW(797);
    fraJuego->Height = byH(473);
    vb::Control* const status[] = {lblPtHS, lblPtLab, lblPtPause, lblPtScore, lblPtTime, lblPtVidas};
    for (vb::Control* lbl : status) {
        lbl->Height = byH(225);
    }
    for (vb::Control* lbl : status) {
        lbl->Top = byH(7335);
    }
    lblPtPause->Width = static_cast<float>(11160.0 * Width.get() / kDesignW - 3450.0 + 100.0);

    const auto w = static_cast<float>(CellW);
    const auto h = static_cast<float>(CellH);
    for (int i = 0; i < kFrutas; ++i) {
        vb::Control& img = ImgFruta(i);
        img.Width = w;
        img.Height = h;
        img.Stretch = true;
        img.Visible = false;
    }
    for (int i = 0; i <= 1; ++i) {
        ImgNuvik(i).Width = w;
        ImgNuvik(i).Height = h;
        ImgNuvik(i).Visible = false;
    }
    for (vb::Control* door : {&ImgMetaR(0), &ImgMetaV(0)}) {
        door->Width = w;
        door->Height = h;
    }
    for (vb::Control* img : {&ImgNuvik(0), &ImgNuvik(1), &ImgMetaR(0), &ImgMetaV(0)}) {
        img->Stretch = true;
    }
    for (vb::Control* door : {&ImgMetaR(0), &ImgMetaV(0)}) {
        door->Left = 25.0f;
        door->Top = 0.0f;
    }
    int k = 0;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            vb::Control& cell = imgMuro(k);
            cell.Width = w;
            cell.Height = h;
            cell.Left = static_cast<float>(c * CellW + 25.0);
            cell.Top = static_cast<float>(r * CellH);
            cell.Stretch = true;
            ++k;
        }
    }
    imgBala->Width = w;
    imgBala->Height = h;
    imgBala->Stretch = true;
    imgBala->Visible = false;
    imgBala->Left = 25.0f;
    imgBala->Top = 0.0f;
}

// Clears the board, builds the labyrinth and places the pieces. Returns
// false when the board start counter says the game is over instead.
bool Nuvik3Main::NewBoard() {
    vb::Let(Arranques, Arranques + 1.0);
    LabNumber = 15;
    if (Arranques > 1) {
        EndGameFromStart();
        return false;
    }
    lblPtTime->Caption = std::string("00:00:00");
    ClearBoard();
    MaxSegV = static_cast<Int16>(RndWhole(2) + 11);
    MaxSegH = static_cast<Int16>(RndWhole(2) + 11);
    vb::Let(MinSegV, MaxSegV / 2.0);
    vb::Let(MinSegH, MaxSegH / 2.0);
    BuildLabyrinth();
    MovFirst = 0;
    MovCount = static_cast<Int16>(14 - MovFirst);
    NumFrutas = 14;
    ModoPractica = Practicar;
    StartRound();
    return true;
}

// Every board is generated unless the labyrinth choice names a wall map.
// A wall map that cannot be read gives way to a generated labyrinth, dug
// into what was read of it, and the choice goes back to generation.
void Nuvik3Main::BuildLabyrinth() {
    bool failed = false;
    if (UsarDificil || LabACargar < 0) {
        LoadDificil();
        failed = ErrorCarga;
        if (!failed) {
            ShowLives();
        }
    } else if (LabACargar > 0) {
        LoadLab(LabACargar);
        failed = ErrorCarga;
    } else {
        GenerateLabyrinth();
    }
    if (failed) {
        UsarDificil = false;
        LabACargar = 0;
        GenerateLabyrinth();
    }
}

// The same board again after a lost life: the walls stay, the pieces are
// placed anew, and the objects move even if the board began in practice.
void Nuvik3Main::RestartBoard() {
    lblPtTime->Caption = std::string("00:00:00");
    ShowLives();
    ModoPractica = false;
    StartRound();
}

void Nuvik3Main::EndGameFromStart() {
    Timer1->Enabled = false;
    Timer2->Enabled = false;
    UsaTimer1 = true;
    SaveSettings();
    fraHelp->Visible = false;
    fraJuego->Visible = false;
    fraMenu->Visible = true;
    fraColor->Visible = false;
    Reinicio = false;
}
