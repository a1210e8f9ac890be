// The end of every game that is not given up: the star jumps over the board
// for twenty seconds, then the picture shows and the program ends.
#include "game/Nuvik3Main.h"
#include "platform/runtime.h"

namespace {

constexpr Int16 kStarTicks = 20;

} // namespace

// CruzAlterna and CruzPaso keep their values for the whole run, so starting
// Timer3 again while the star runs does not restart its count.
void Nuvik3Main::Timer3_Timer() {
    imgCruzR->Visible = true;
    CruzAlterna = !CruzAlterna;
    const Int16 k = CruzPaso;
    const auto twice = static_cast<Int16>(2 * k);
    // The last cell lies below the board, where SetCell leaves the star alone.
    if (CruzAlterna) {
        SetCell(k, twice, "CruzR");
    } else {
        SetCell(twice, k, "CruzR");
    }
    CruzPaso = static_cast<Int16>(k + 1);
    if (CruzPaso == kStarTicks) {
        CruzPaso = 0;
        MetaAlcanzada = false;
        imgCruzR->Visible = false;
        Timer3->Enabled = false;
        Timer1->Enabled = false;
        Timer2->Enabled = false;
        fraJuego->Visible = false;
        fraColor->Visible = true;
        Timer4->Enabled = true;
    }
}

void Nuvik3Main::Timer4_Timer() {
    Timer4->Enabled = false;
    SaveSettings();
    rt().UnloadForm(*this);
    rt().EndProgram();
}
