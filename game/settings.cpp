// The settings and high-score file "Nuvik3w.dat" and the menu controls that
// act on the settings. Every statement here that can fail is skipped on
// failure; no message is shown, except when the player's own save fails.
#include <optional>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"
#include "platform/seqfile.h"
#include "platform/vbnum.h"
#include "platform/vbtext.h"

namespace {

constexpr const char* kSettingsFile = "Nuvik3w.dat";

std::string HsCaption(Int16 hs) { return "HS: " + vb::CStr(hs); }

} // namespace

void Nuvik3Main::ApplyWindowSettings() {
    // The window has three states; any other stored number is skipped. A
    // minimised or maximised window refuses the bounds, which then stay as
    // they were.
    if (WinState >= 0 && WinState <= 2) {
        WindowState = WinState;
    }
    SetTop(WinTop);
    SetLeft(WinLeft);
    SetWidth(WinWidth);
    SetHeight(WinHeight);
}

void Nuvik3Main::DefaultSettings() {
    chkSound->Value = Int16{1};
    SoundOn = chkSound->Value;
    HighScore = 0;
    lblHS->Caption = HsCaption(HighScore);
    WinState = 0;
    WinTop = 360;
    WinLeft = 255;
    WinWidth = 11415;
    WinHeight = 8160;
    ApplyWindowSettings();
    txtDelay->Text = std::string("240");
    Timer1->SetInterval(240);
    Delay = 240;
}

vb::FileError Nuvik3Main::SaveSettings() {
    // The delay as typed, rounded down; a box that holds no number gives the
    // delay in force, so the record is never missing.
    const std::optional<double> typed = vb::ToNumber(txtDelay->Text);
    const double delay = typed ? vb::Int(*typed) : static_cast<double>(Delay);

    // The writer replaces the file whole at Close: a failed save leaves the
    // previous file as it was.
    vb::SeqWriter f(rt().AppFile(kSettingsFile));
    f.Write({chkSound->Value.get()});
    f.Write({HighScore});
    f.Write({WindowState.get()});
    f.Write({Top.get(), Left.get()});
    f.Write({Width.get(), Height.get()});
    f.Write({delay});
    f.Write({UsarDificil});
    f.Write({LabInUse});
    f.Write({MaxLab});
    f.Write({LabACargar});
    f.Write({Reservado});
    return f.Close();
}

void Nuvik3Main::LoadSettings() {
    // A missing item or one that does not fit its field leaves the default
    // that DefaultSettings put there. Each record is one line: whatever a
    // damaged line holds, the next record is read from the next line. When
    // the first item of a two-item record fails, the second is not stored.
    vb::SeqReader f;
    f.Open(rt().AppFile(kSettingsFile));
    f.InputLine(SoundOn);
    f.InputLine(HighScore);
    f.InputLine(WinState);
    f.InputLine(WinTop, WinLeft);
    f.InputLine(WinWidth, WinHeight);
    f.InputLine(Delay);
    f.InputLine(UsarDificil);
    f.InputLine(LabInUse);
    f.InputLine(MaxLab);
    f.InputLine(LabACargar);
    f.InputLine(Reservado);
    f.Close();

    // A check box takes only 0 or 1.
    if (SoundOn == 0 || SoundOn == 1) {
        chkSound->Value = SoundOn;
    }
    lblHS->Caption = HsCaption(HighScore);
    ApplyWindowSettings();
    txtDelay->Text = vb::CStr(Delay);
    Timer1->SetInterval(Delay);
}

void Nuvik3Main::cmdSaveCh_Click() {
    // A button named SAVE that fails must say so; the file is as it was.
    if (const vb::FileError e = SaveSettings(); e != vb::FileError::None) {
        rt().MsgBox("The settings could not be saved: " + vb::Reason(e) + ".", vb::vbOKOnly + vb::vbExclamation,
                    "SAVE SOME CHANGES");
    }
}

void Nuvik3Main::cmdReset_Click() {
    if (rt().MsgBox("Erase and return to the original settings?", vb::vbYesNo + vb::vbExclamation,
                    "RESET") == vb::vbYes) {
        DefaultSettings();
    }
    if (rt().MsgBox("Do you want 1024 x 768 screen size for this game?",
                    vb::vbYesNo + vb::vbExclamation, "RESET - Window size") == vb::vbYes) {
        WinState = 0;
        WinTop = 285;
        WinLeft = -60;
        WinWidth = 15480;
        WinHeight = 10845;
        ApplyWindowSettings();
    }
}

void Nuvik3Main::cmdHSReset_Click() {
    if (rt().MsgBox("¿Erase actual High Score?", vb::vbYesNo + vb::vbExclamation,
                    "Reset HS to zero") == vb::vbYes) {
        HighScore = 0;
        lblHS->Caption = HsCaption(HighScore);
    }
}

void Nuvik3Main::chkSound_Click() { SoundOn = chkSound->Value; }
