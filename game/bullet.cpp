// The bullet's flight: one cell per tick of Timer2 while the game tick waits.
// What it hits on the cell it enters is settled by SetCell's "bala" kind.
#include "game/Nuvik3Main.h"

namespace {

// The flight is over: the bullet goes, the closed door shows again under a
// critter standing on it, and play returns to the game tick.
void EndFlight(Nuvik3Main& w) {
    w.BalaParada = false;
    w.imgBala->Visible = false;
    if (w.NuvikRow == 0 && w.NuvikCol == 0 && !w.MetaAbierta) {
        w.SetCell(0, 0, "metar");
    }
    w.Timer2->Enabled = false;
    w.Timer1->Enabled = true;
    w.UsaTimer1 = true;
}

} // namespace

void Nuvik3Main::Timer2_Timer() {
    if (!imgBala->Visible) {
        EndFlight(*this);
        return;
    }

    // The bounds are tested before the step, so the position never wraps.
    int row = BalaRow;
    int col = BalaCol;
    bool inside = false;
    bool heading = true;
    switch (BalaDir) {
    case 1:
        inside = BalaRow > 0;
        --row;
        break;
    case 2:
        inside = BalaRow < MaxRow;
        ++row;
        break;
    case 3:
        inside = BalaCol > 0;
        --col;
        break;
    case 4:
        inside = BalaCol < MaxCol;
        ++col;
        break;
    default:
        heading = false;   // the bullet stays
        break;
    }
    if (heading) {
        if (!inside || CellKind(static_cast<Int16>(row), static_cast<Int16>(col)) == ckMuro) {
            BalaParada = true;
        } else {
            imgBala->Visible = false;
            BalaRow = static_cast<Int16>(row);
            BalaCol = static_cast<Int16>(col);
            imgBala->Visible = true;
            SetCell(BalaRow, BalaCol, "bala");
        }
    }
    if (BalaParada) {
        EndFlight(*this);
    }
}
