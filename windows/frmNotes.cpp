#include "windows/frmNotes.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/runtime.h"
#include "platform/seqfile.h"

namespace {

constexpr const char* kNotesFile = "Notes.txt";

// What a shut box says in place of the notes, and why a save is refused.
static_assert(frmNotes::kMaxFileBytes == 1 << 20 && frmNotes::kMaxLineChars == 65536,
              "the messages name the limits");
constexpr const char* kTooBig =
    "Notes.txt is too big to show here (over 1 MiB, or a line over 65,536 characters); it is left as it is.";
constexpr const char* kUnreadable = "Notes.txt cannot be read; it is left as it is.";
constexpr const char* kTooBigToSave =
    "These notes are too long to save (over 1 MiB, or a line over 65,536 characters). Nothing was saved.";

} // namespace

using vb::Place;

frmNotes::frmNotes(vb::Runtime& rt) : vb::Form(rt, "frmNotes") {
    Caption = std::string("Lab number // Victories // Defeats - Notes - Nuvik3t");
    ClientWidth = 8355.0f;
    ClientHeight = 4605.0f;
    Icon = ":/icon/nuvik3t.ico";
    DefaultPlacement = true;

    txtNotes = &Add<vb::Control>(vb::ControlKind::TextBox, "txtNotes");
    txtNotes->MultiLine = true;
    txtNotes->VerticalScrollBar = true;
    txtNotes->Text = DefaultText();
    Place(*txtNotes, 105, 135, 8070, 3225, 0);

    cmdSaveNotes = &Add<vb::Control>(vb::ControlKind::CommandButton, "cmdSaveNotes");
    cmdSaveNotes->Caption = std::string("SAVE NOTES");
    Place(*cmdSaveNotes, 6120, 3645, 1560, 450, 1);

    lblHelpN = &Add<vb::Control>(vb::ControlKind::Label, "lblHelpN");
    lblHelpN->Caption = std::string("ADD NOTES IF YOU WANT...");
    Place(*lblHelpN, 915, 3660, 3450, 570, 2);

    cmdResetNotes = &Add<vb::Control>(vb::ControlKind::CommandButton, "cmdResetNotes");
    cmdResetNotes->Caption = std::string("Reset Notes");
    Place(*cmdResetNotes, 4905, 3705, 885, 465, 3);

    Load = [this] { Form_Load(); };
    cmdSaveNotes->Click = [this] { cmdSaveNotes_Click(); };
    cmdResetNotes->Click = [this] { cmdResetNotes_Click(); };
}

void frmNotes::Form_Load() {
    const std::string path = rt().AppFile(kNotesFile);
    // Only a file that is not there is created empty; one that exists but
    // cannot be read is left alone, so its notes are not lost.
    if (vb::FileMissing(path)) {
        vb::SeqWriter::CreateEmpty(path);
    }
    std::string text;
    vb::SeqReader f;
    vb::FileError e = f.Open(path);
    const std::int64_t size = f.Lof();
    // A file too big is never read: it would cost time and memory for nothing.
    if (e == vb::FileError::None && size <= kMaxFileBytes) {
        e = f.Input(text);
    }
    f.Close();
    // An empty file holds no item, and a file still missing (the folder took
    // no new one) holds no notes to lose: both show an empty box.
    const bool unreadable =
        e != vb::FileError::None && e != vb::FileError::InputPastEnd && e != vb::FileError::FileNotFound;
    if (unreadable || !Fits(size, text)) {
        // The file is left alone; the box says why and cannot be edited,
        // reset or saved over notes the window never showed.
        text = unreadable ? kUnreadable : kTooBig;
        txtNotes->Enabled = false;
        cmdSaveNotes->Enabled = false;
        cmdResetNotes->Enabled = false;
    }
    txtNotes->Text = text;
}

bool frmNotes::Fits(std::int64_t fileBytes, const std::string& text) {
    if (fileBytes > kMaxFileBytes) {
        return false;
    }
    // Characters as the player sees them: UTF-8 continuation bytes add none.
    std::size_t chars = 0;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            chars = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++chars > kMaxLineChars) {
            return false;
        }
    }
    return true;
}

void frmNotes::cmdSaveNotes_Click() {
    // The file holds the text as one quoted item in the code page: a double
    // quote cannot be in it and becomes an apostrophe, and a character the
    // code page lacks becomes '?'. The box then shows what the file holds.
    std::string typed = txtNotes->Text;
    std::replace(typed.begin(), typed.end(), '"', '\'');
    const std::string bytes = vb::ToCp1252(typed);
    const std::string saved = vb::FromCp1252(bytes);
    // The record adds its two quotes and CR LF.
    if (!Fits(static_cast<std::int64_t>(bytes.size()) + 4, saved)) {
        // Both the file and the typed notes stay as they are.
        rt().MsgBox(kTooBigToSave, vb::vbOKOnly + vb::vbExclamation, "Notes");
        return;
    }
    // Replaced whole at Close: a failed save keeps the previous file, and
    // the notes stay in the box as typed, bar the quotes, for another try.
    vb::SeqWriter f(rt().AppFile(kNotesFile));
    f.Write({saved});
    if (const vb::FileError e = f.Close(); e != vb::FileError::None) {
        txtNotes->Text = typed;
        rt().MsgBox("The notes could not be saved: " + vb::Reason(e) + ". They are still in the box.",
                    vb::vbOKOnly + vb::vbExclamation, "Notes");
        return;
    }
    txtNotes->Text = saved;
}

void frmNotes::cmdResetNotes_Click() { txtNotes->Text = DefaultText(); }

std::string frmNotes::DefaultText() {
    // Each line gets its CR LF here, whatever line ends the stored text has.
    const std::string stored = rt().ResourceText(":/text/notes_default.txt");
    std::string text;
    std::size_t start = 0;
    while (start < stored.size()) {
        std::size_t end = stored.find('\n', start);
        const std::size_t next = end == std::string::npos ? stored.size() : end + 1;
        if (end == std::string::npos) {
            end = stored.size();
        }
        if (end > start && stored[end - 1] == '\r') {
            --end;
        }
        text += stored.substr(start, end - start);
        text += "\r\n";
        start = next;
    }
    return text;
}
