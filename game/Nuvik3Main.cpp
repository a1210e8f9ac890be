#include "game/Nuvik3Main.h"

#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

Nuvik3Main::Nuvik3Main(vb::Runtime& rt) : vb::Form(rt, "Nuvik3Main") {
    BuildDesign();
    BindEvents();
}

Nuvik3Main::~Nuvik3Main() = default;

void Nuvik3Main::BindEvents() {
    Load = [this] { Form_Load(); };
    Resize = [this] { Form_Resize(); };
    KeyPress = [this](Int16& KeyAscii) { Form_KeyPress(KeyAscii); };
    cmdHelp->Click = [this] { cmdHelp_Click(); };
    cmdCerrar->Click = [this] { cmdCerrar_Click(); };
    cmdDispNotes->Click = [this] { cmdDispNotes_Click(); };
    cmdKLWRP->Click = [this] { cmdKLWRP_Click(); };
    cmdExit->Click = [this] { cmdExit_Click(); };
    cmdSaveCh->Click = [this] { cmdSaveCh_Click(); };
    cmdReset->Click = [this] { cmdReset_Click(); };
    cmdHSReset->Click = [this] { cmdHSReset_Click(); };
    chkSound->Click = [this] { chkSound_Click(); };
    cmdPlay->Click = [this] { cmdPlay_Click(); };
    cmdPracticar->Click = [this] { cmdPracticar_Click(); };
    Timer1->Tick = [this] { Timer1_Timer(); };
    Timer3->Tick = [this] { Timer3_Timer(); };
    Timer4->Tick = [this] { Timer4_Timer(); };
    Timer2->Tick = [this] { Timer2_Timer(); };
}
