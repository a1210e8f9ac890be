#pragma once
// The notes window: free text kept in "Notes.txt" beside the program.
#include <cstdint>
#include <string>

#include "platform/forms.h"

class frmNotes : public vb::Form {
public:
    explicit frmNotes(vb::Runtime& rt);

    // The largest notes file the box shows, and its longest line in
    // characters. Lines of notes cost little at any count: a megabyte of them
    // shows in a twentieth of a second and takes a key in a fiftieth. But a
    // line is laid out whole on every key: at 65,536 characters that takes a
    // tenth of a second, at four times that over a second.
    static constexpr std::int64_t kMaxFileBytes = 1 << 20;
    static constexpr std::size_t kMaxLineChars = 1 << 16;
    // True when a notes file of fileBytes holding text (UTF-8) is shown: the
    // file is not over kMaxFileBytes and no line of the text is longer than
    // kMaxLineChars. Loading and saving both ask it, so a save never writes
    // what the next window would refuse.
    static bool Fits(std::int64_t fileBytes, const std::string& text);

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
