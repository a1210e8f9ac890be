// The notes loader on any file. Checks: loading never changes the file; the
// box shows the file's first item, or nothing, with the box and both buttons
// shut, when the file is too big to show; saving the box and loading again shows
// the same text, if the saved file is not too big to show.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/scripted_runtime.h"
#include "platform/seqfile.h"
#include "windows/frmNotes.h"

namespace {

// The program folder, made once; each input gets a window of its own, as
// each load of the real program does.
vb::ScriptedRuntime& TheRuntime() {
    static vb::ScriptedRuntime rt;
    return rt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    frmNotes notes(TheRuntime());
    const std::string path = TheRuntime().AppFile("Notes.txt");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(path, bytes);

    notes.txtNotes->Text = std::string("\x01not loaded");
    notes.Form_Load();
    FUZZ_CHECK(ReadBytes(path) == bytes);
    std::string first;
    vb::SeqReader f;
    f.Open(path);
    f.Input(first);
    f.Close();
    const bool tooBig = static_cast<std::int64_t>(size) > frmNotes::kMaxFileBytes || !frmNotes::LinesFit(first);
    FUZZ_CHECK(notes.txtNotes->Enabled == !tooBig && notes.cmdSaveNotes->Enabled == !tooBig &&
               notes.cmdResetNotes->Enabled == !tooBig);
    if (tooBig) {
        FUZZ_CHECK(notes.txtNotes->Text.get().empty());
        return 0;
    }
    FUZZ_CHECK(notes.txtNotes->Text.get() == first);

    notes.cmdSaveNotes_Click();
    const std::string shown = notes.txtNotes->Text;
    // The record adds its quotes: a box at the limit saves a file beyond it.
    const bool savedTooBig = static_cast<std::int64_t>(ReadBytes(path).size()) > frmNotes::kMaxFileBytes ||
                             !frmNotes::LinesFit(shown);
    notes.txtNotes->Text = std::string("\x01not loaded");
    notes.Form_Load();
    FUZZ_CHECK(notes.txtNotes->Text.get() == (savedTooBig ? std::string() : shown));
    return 0;
}
