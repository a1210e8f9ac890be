#pragma once
// The notes window: free text kept in "Notes.txt" beside the program.
#include <cstdint>
#include <string>

#include "platform/forms.h"

class frmNotes : public vb::Form {
public:
    explicit frmNotes(vb::Runtime& rt);

    // The largest notes file the box shows. Any text up to this size, even a
    // single line without a space, is laid out and takes each typed key in a
    // tenth of a second at most; such a line of four times the size takes
    // over a second for each key. It still holds some 1,200 lines of notes.
    static constexpr std::int64_t kMaxFileBytes = 65536;

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
