// The key handler: steering, the pause menu, the death prompt after a bullet
// hit, and the critter onto the open door. The play state is the text of the
// status line, so every state test compares the whole caption.
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

namespace {

constexpr Int16 kEsc = 27;
constexpr Int16 kEnter = 13;

// The heading a typed character asks for, 0 for any other character.
// Note "2" is left and "3" right, while "5" is down.
Int16 HeadingOf(Int16 key) {
    switch (key) {
    case 's': case 'S': case 'i': case 'I': case 'f': case 'F': case '8':
        return 1;
    case 'x': case 'X': case 'k': case 'K': case 'v': case 'V': case '5':
        return 2;
    case '2': case ',': case 'j': case 'J': case '4':
        return 3;
    case '3': case '.': case 'l': case 'L': case '6':
        return 4;
    default:
        return 0;
    }
}

} // namespace

void Nuvik3Main::Form_KeyPress(Int16& KeyAscii) {
    Continuar = false;
    if (!fraJuego->Visible) {
        return;
    }
    // A copy: the handler is re-entered through the round set-up, which
    // rewrites the caption before this call has finished.
    const std::string state = lblPtPause->Caption;
    if ((state == kDeathPrompt && !EditMode) || Pausado) {
        DeathPromptKey(KeyAscii);
    } else if (state == kPlaying) {
        PlayingKey(KeyAscii);
    } else if (state == kPauseMenu) {
        PauseMenuKey(KeyAscii);
    } else if (state == kLoadBrowser) {
        LoadBrowserKey(KeyAscii);
    }
}

void Nuvik3Main::DeathPromptKey(Int16 KeyAscii) {
    if (KeyAscii != kEsc) {
        return;
    }
    lblPtPause->Caption = std::string(kPlaying);
    Pausado = false;
    LifeLost(-5);
}

void Nuvik3Main::PlayingKey(Int16 KeyAscii) {
    if (const Int16 heading = HeadingOf(KeyAscii)) {
        NuvikDir = heading;
    } else if (KeyAscii == vb::Asc(PauseKey)) {
        lblPtPause->Caption = std::string(kPauseMenu);
        if (!Timer2->Enabled) {
            UsaTimer1 = true;  // a flying bullet keeps the timer it runs on
        }
        Timer1->Enabled = false;
        Timer2->Enabled = false;
    } else if (KeyAscii == kEnter && MetaAbierta) {
        HideNuvik();
        SetCell(0, 0, "nuvik");
        NuvikDir = 1;
        NuvikRow = 0;
        NuvikCol = 0;
    }
}

void Nuvik3Main::PauseMenuKey(Int16 KeyAscii) {
    lblPtPause->Caption = std::string(kPlaying);
    if (KeyAscii == 'a' || KeyAscii == 'A') {
        EditMode = false;
        LifeLost(-1);
    } else if (KeyAscii == 'b' || KeyAscii == 'B') {
        FinMotivo = -999;
        EditMode = false;
        JuegoNuevo = true;
        FinJuego();
    } else {
        Timer1->Enabled = UsaTimer1;
        Timer2->Enabled = !UsaTimer1;
    }
}

// A life is given up (pause menu) or taken (bullet): the board restarts
// with the pieces placed anew, or the final sequence begins at 0 lives.
void Nuvik3Main::LifeLost(Int16 Motivo) {
    HideFrutas();
    ClearEatenCells();
    FinMotivo = Motivo;
    vb::Let(Vidas, Vidas - 1.0);
    ShowLivesCaption();
    Reinicio = true;
    vb::Let(Arranques, Arranques - 1.0);
    if (Vidas > 0) {
        Continuar = true;
        cmdPlay_Click();
    } else {
        Timer1->Enabled = false;
        Timer2->Enabled = false;
        UsaTimer1 = true;
        MetaAlcanzada = false;
        SaveSettings();
        Timer3->Enabled = true;
    }
}

// Back to the main menu; lives and score stay until the next game starts.
void Nuvik3Main::FinJuego() {
    Timer1->Enabled = false;
    Timer2->Enabled = false;
    UsaTimer1 = true;
    MetasLogradas = 0;
    SaveSettings();
    fraHelp->Visible = false;
    fraJuego->Visible = false;
    fraMenu->Visible = true;
    fraColor->Visible = false;
    Reinicio = false;
}
