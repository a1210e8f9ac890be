// Start-up, the menu buttons that switch panels or open the other windows,
// exit, and the scaling of the panels and the help page to the window size.
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/seqfile.h"
#include "platform/vbtext.h"
#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

namespace {

// The window's outer size in the design; the layout scales from it.
constexpr double kDesignW = 11415.0;
constexpr double kDesignH = 8160.0;

} // namespace

void Nuvik3Main::Form_Load() {
    cmdDispNotes_Click();
    Practicar = false;
    Continuar = false;
    JuegoNuevo = true;
    EditMode = false;
    NextLabNum = 1;
    lblPtVidas->Caption = std::string("?");
    MaxLab = 0;
    LabInUse = 0;
    Timer1->Enabled = false;
    Timer2->Enabled = false;
    UsaTimer1 = true;
    rt().Randomize();
    fraMenu->Visible = true;
    fraJuego->Visible = false;
    fraHelp->Visible = false;
    fraColor->Visible = false;
    NumFrutas = 14;
    PauseKey = std::string(1, '\x1b');

    SettingsMissing = false;
    MaxCol = 74;
    MaxRow = 34;
    DefaultSettings();
    // Only a file that is not there at all counts as a first run; a file that
    // exists but cannot be read goes to LoadSettings, which then keeps the
    // defaults and leaves the file alone.
    if (vb::FileMissing(rt().AppFile("Nuvik3w.dat"))) {
        SettingsMissing = true;
    }
    if (SettingsMissing) {
        DefaultSettings();
        SaveSettings();
        SettingsMissing = false;
    } else {
        LoadSettings();
    }
    Caption = kCaptionLives + vb::CStr(Vidas);
    FillMuroIdx();
    // Every board of a run is generated until something asks for a file again.
    UsarDificil = false;
    LabACargar = 0;
}

void Nuvik3Main::Form_Resize() {
    // W and H are read again for every assignment: an assignment may itself
    // change the window's size.
    const auto byW = [this](double k) { return static_cast<float>(k * Width.get() / kDesignW); };
    const auto byH = [this](double k) { return static_cast<float>(k * Height.get() / kDesignH); };
    fraMenu->Width = byW(794);
    fraMenu->Height = byH(473);
    imgNeuron(0).Width = byW(11175);
    imgNeuron(0).Height = byH(7245);
    imgNeuron(1).Width = byW(11175);
    imgNeuron(1).Height = byH(7245);
    fraHelp->Width = byW(797);
    fraHelp->Height = byH(473);
    fraColor->Width = byW(797);
    fraColor->Height = byH(473);
    cmdCerrar->Top = byH(7110);
    cmdCerrar->Left = byW(9015);
    RichTextBox1->Width = byW(11055);
    RichTextBox1->Height = byH(6615);
}

void Nuvik3Main::cmdHelp_Click() {
    fraMenu->Visible = false;
    fraJuego->Visible = false;
    fraHelp->Visible = true;
    fraColor->Visible = false;
}

void Nuvik3Main::cmdCerrar_Click() {
    fraHelp->Visible = false;
    fraJuego->Visible = false;
    fraMenu->Visible = true;
    fraColor->Visible = false;
}

// A window the user closed is made anew, so it loads afresh: the notes window
// then reads its file again instead of showing edits that were never saved.
void Nuvik3Main::cmdDispNotes_Click() {
    if (!Notes || !Notes->IsLoaded()) {
        Notes = std::make_unique<frmNotes>(rt());
    }
    Notes->Show();
}

void Nuvik3Main::cmdKLWRP_Click() {
    if (!KLWRP || !KLWRP->IsLoaded()) {
        KLWRP = std::make_unique<frmKLWRP>(rt());
    }
    KLWRP->Show();
}

void Nuvik3Main::cmdExit_Click() {
    SaveSettings();
    rt().UnloadForm(*this);
    rt().EndProgram();
}
