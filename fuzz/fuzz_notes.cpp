// The notes loader on any file. Checks: loading never changes the file; the
// box shows the file's first item or nothing; saving the box and loading
// again shows the same text.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/scripted_runtime.h"
#include "platform/seqfile.h"
#include "windows/frmNotes.h"

namespace {

struct Window {
    vb::ScriptedRuntime rt;
    frmNotes notes{rt};
};

Window& TheWindow() {
    static Window window;
    return window;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    frmNotes& notes = TheWindow().notes;
    const std::string path = TheWindow().rt.AppFile("Notes.txt");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(path, bytes);

    notes.txtNotes->Text = std::string("\x01not loaded");
    notes.Form_Load();
    FUZZ_CHECK(ReadBytes(path) == bytes);
    std::string first;
    vb::SeqReader f;
    f.Open(path);
    f.Input(first);
    FUZZ_CHECK(notes.txtNotes->Text.get() == first);

    notes.cmdSaveNotes_Click();
    const std::string shown = notes.txtNotes->Text;
    notes.txtNotes->Text = std::string("\x01not loaded");
    notes.Form_Load();
    FUZZ_CHECK(notes.txtNotes->Text.get() == shown);
    return 0;
}
