// The notes loader on any file. Checks: loading never changes the file; the
// box shows the file's first item, or is shut with the box and both buttons,
// when the file is too big to show; saving the box either is refused, the file
// and the box kept, or the next load shows the box as the save left it.
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
    const bool tooBig = !frmNotes::Fits(static_cast<std::int64_t>(size), first);
    FUZZ_CHECK(notes.txtNotes->Enabled == !tooBig && notes.cmdSaveNotes->Enabled == !tooBig &&
               notes.cmdResetNotes->Enabled == !tooBig);
    if (tooBig) {
        return 0;
    }
    FUZZ_CHECK(notes.txtNotes->Text.get() == first);

    // The record adds its quotes: a box at the limit is refused.
    TheRuntime().boxes.clear();
    notes.cmdSaveNotes_Click();
    if (!TheRuntime().boxes.empty()) {
        FUZZ_CHECK(ReadBytes(path) == bytes && notes.txtNotes->Text.get() == first);
        return 0;
    }
    const std::string shown = notes.txtNotes->Text;
    notes.txtNotes->Text = std::string("\x01not loaded");
    notes.Form_Load();
    FUZZ_CHECK(notes.txtNotes->Text.get() == shown);
    return 0;
}
