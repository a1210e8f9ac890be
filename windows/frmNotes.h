#pragma once
// The notes window: free text kept in "Notes.txt" beside the program.
#include <string>

#include "platform/forms.h"

class frmNotes : public vb::Form {
public:
    explicit frmNotes(vb::Runtime& rt);

    vb::Control* txtNotes = nullptr;
    vb::Control* cmdSaveNotes = nullptr;
    vb::Control* lblHelpN = nullptr;
    vb::Control* cmdResetNotes = nullptr;

    void Form_Load();
    void cmdSaveNotes_Click();
    void cmdResetNotes_Click();

    // The built-in text that "Reset Notes" restores: its lines, each ended
    // by CR LF.
    std::string DefaultText();
};
