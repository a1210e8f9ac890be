// The load browser, a state of the key handler: page through the numbered
// wall maps on the board and pick one for the next game.
#include <optional>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

void Nuvik3Main::LoadBrowserKey(Int16 KeyAscii) {
    if (KeyAscii == 'n' || KeyAscii == 'N') {
        const std::string answer =
            rt().InputBox("First Labyrinth (number):", "Please enter number", vb::CStr(NextLabNum));
        // Cancel, a text that is no number and one out of 16-bit range all
        // count as 0.
        std::optional<Int16> typed;
        if (const std::optional<double> v = vb::ToNumber(answer)) {
            typed = vb::CInt(*v);
        }
        NextLabNum = typed.value_or(0);
        if (NextLabNum < 1) {
            NextLabNum = 1;
        }
        if (NextLabNum > MaxLab) {
            NextLabNum = MaxLab;
        }
    } else if (KeyAscii == 's' || KeyAscii == 'S') {
        LoadLab(NextLabNum);
        LabACargar = NextLabNum;
        // At the top of the 16-bit range the number stays, as no step fits.
        vb::Let(NextLabNum, NextLabNum + 1.0);
        if (NextLabNum > MaxLab) {
            NextLabNum = 1;
        }
    } else if (KeyAscii == vb::Asc(PauseKey)) {
        FinMotivo = -999;
        FinJuego();
    } else if (KeyAscii == 'u' || KeyAscii == 'U') {
        lblPtPause->Caption = std::string(kPauseMenu);
        UsarDificil = false;
        Vidas = 5;
        FinMotivo = -999;
        LabInUse = LabACargar;
        FinJuego();
    }
}
