#include "game/Nuvik3Main.h"

#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

Nuvik3Main::Nuvik3Main(vb::Runtime& rt) : vb::Form(rt, "Nuvik3Main") {
    BuildDesign();
    BindEvents();
}

Nuvik3Main::~Nuvik3Main() = default;

void Nuvik3Main::BindEvents() {
}
