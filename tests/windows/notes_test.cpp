#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "platform/codepage.h"
#include "platform/scripted_runtime.h"
#include "support/files.h"
#include "platform/vbtext.h"
#include "windows/frmNotes.h"

namespace {

// What a shut box says in place of the notes.
const std::string kTooBig =
    "Notes.txt is too big to show here (over 1 MiB, or a line over 65,536 characters); it is left as it is.";
const std::string kUnreadable = "Notes.txt cannot be read; it is left as it is.";
const std::string kTooBigToSave =
    "These notes are too long to save (over 1 MiB, or a line over 65,536 characters). Nothing was saved.";

// A runtime whose default notes text is given by the test.
class TextRuntime : public vb::ScriptedRuntime {
public:
    std::string notesText;
    std::string ResourceText(const std::string& path) override {
        return path == ":/text/notes_default.txt" ? notesText : ScriptedRuntime::ResourceText(path);
    }
};

class Notes : public ::testing::Test {
protected:
    std::string File() { return rt.AppFile("Notes.txt"); }
    // A fresh window, loaded as the game window's button loads it.
    std::string Reload() {
        frmNotes again(rt);
        again.Show();
        return again.txtNotes->Text;
    }

    vb::ScriptedRuntime rt;
    frmNotes n{rt};
};

TEST_F(Notes, DesignHasItsCaptionSizeAndFourControlsInTabOrder) {
    EXPECT_EQ(n.Caption.get(), "Lab number // Victories // Defeats - Notes - Nuvik3t");
    EXPECT_EQ(n.ClientWidth, 8355.0f);
    EXPECT_EQ(n.ClientHeight, 4605.0f);
    EXPECT_EQ(n.Icon, ":/icon/nuvik3t.ico");
    ASSERT_EQ(n.Children().size(), 4u);
    const struct {
        vb::Control* c;
        vb::ControlKind kind;
        const char* caption;
        float l, t, w, h;
    } expected[] = {
        {n.txtNotes, vb::ControlKind::TextBox, "", 105, 135, 8070, 3225},
        {n.cmdSaveNotes, vb::ControlKind::CommandButton, "SAVE NOTES", 6120, 3645, 1560, 450},
        {n.lblHelpN, vb::ControlKind::Label, "ADD NOTES IF YOU WANT...", 915, 3660, 3450, 570},
        {n.cmdResetNotes, vb::ControlKind::CommandButton, "Reset Notes", 4905, 3705, 885, 465},
    };
    for (int i = 0; i < 4; ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(e.c->Name());
        EXPECT_EQ(e.c->Kind(), e.kind);
        EXPECT_EQ(e.c->TabIndex, i);
        EXPECT_EQ(e.c->Caption.get(), e.caption);
        EXPECT_EQ(e.c->Left.get(), e.l);
        EXPECT_EQ(e.c->Top.get(), e.t);
        EXPECT_EQ(e.c->Width.get(), e.w);
        EXPECT_EQ(e.c->Height.get(), e.h);
        EXPECT_FALSE(e.c->Default);
    }
    EXPECT_TRUE(n.txtNotes->MultiLine);
    EXPECT_TRUE(n.txtNotes->VerticalScrollBar);
    EXPECT_EQ(n.txtNotes->Text.get(), n.DefaultText());
}

TEST(NotesDefaultText, EveryLineEndsInCrLfWhateverTheStoredLineEnds) {
    for (const char* stored : {"one\ntwo\n\nlast\n", "one\r\ntwo\r\n\r\nlast\r\n", "one\ntwo\r\n\nlast"}) {
        TextRuntime rt;
        rt.notesText = stored;
        frmNotes n(rt);
        EXPECT_EQ(n.DefaultText(), "one\r\ntwo\r\n\r\nlast\r\n") << stored;
        EXPECT_EQ(n.txtNotes->Text.get(), n.DefaultText());
    }
}

TEST_F(Notes, TheDefaultTextHas58LinesAnd1305Characters) {
    const std::string text = n.DefaultText();
    EXPECT_EQ(vb::Len(text), 1305);
    int lines = 0;
    int empty = 0;
    int longest = 0;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const int len = vb::Len(text.substr(start, end - start));
        ++lines;
        empty += len == 0 ? 1 : 0;
        longest = std::max(longest, len);
    }
    EXPECT_EQ(lines, 58);
    EXPECT_EQ(empty, 3);
    EXPECT_EQ(longest, 51);
}

TEST_F(Notes, AMissingFileIsCreatedEmptyAndShowsAnEmptyBox) {
    n.Show();
    EXPECT_TRUE(std::filesystem::is_regular_file(File()));
    EXPECT_EQ(ReadBytes(File()), "");
    EXPECT_EQ(n.txtNotes->Text.get(), "");
    ASSERT_EQ(rt.shown.size(), 1u);
    EXPECT_EQ(rt.shown[0], &n);
}

TEST_F(Notes, QuotesBecomeApostrophesInTheBoxAndTheFile) {
    n.Show();
    n.txtNotes->Text = std::string("Lab \"7\" won");
    n.cmdSaveNotes->Click();
    EXPECT_EQ(n.txtNotes->Text.get(), "Lab '7' won");
    EXPECT_EQ(ReadBytes(File()), "\"Lab '7' won\"\r\n");
    EXPECT_EQ(Reload(), "Lab '7' won");
}

TEST_F(Notes, SeveralLinesAreOneRecordAndComeBackWhole) {
    n.Show();
    n.txtNotes->Text = std::string("ab\r\ncd");
    n.cmdSaveNotes_Click();
    EXPECT_EQ(ReadBytes(File()), "\"ab\r\ncd\"\r\n");
    n.txtNotes->Text = std::string("\r\n  lab 3, lost\r\nlab 4: won\r\n\r\n");
    n.cmdSaveNotes_Click();
    EXPECT_EQ(Reload(), "\r\n  lab 3, lost\r\nlab 4: won\r\n\r\n");
}

TEST_F(Notes, AnEmptyBoxIsFourBytesAndLoadsEmpty) {
    n.Show();
    n.txtNotes->Text = std::string();
    n.cmdSaveNotes_Click();
    EXPECT_EQ(ReadBytes(File()), "\"\"\r\n");
    EXPECT_EQ(Reload(), "");
}

TEST_F(Notes, TheFileIsWindows1252) {
    n.Show();
    n.txtNotes->Text = std::string("señal ¿sí?");
    n.cmdSaveNotes_Click();
    EXPECT_EQ(ReadBytes(File()), "\"se\xF1" "al \xBFs\xED?\"\r\n");
    EXPECT_EQ(Reload(), "señal ¿sí?");
}

TEST_F(Notes, AZeroByteFileShowsAnEmptyBoxAndStaysAsItIs) {
    WriteBytes(File(), "");
    n.Show();
    EXPECT_EQ(n.txtNotes->Text.get(), "");
    EXPECT_EQ(ReadBytes(File()), "");
}

TEST_F(Notes, OnlyTheFirstItemOfAFileIsShown) {
    WriteBytes(File(), "\"first\"\r\n\"second\"\r\n");
    n.Show();
    EXPECT_EQ(n.txtNotes->Text.get(), "first");
    WriteBytes(File(), "\"one\",\"two\"\r\n");
    EXPECT_EQ(Reload(), "one");
}

// The window shows the notes file whole, or, when the file is too big to show
// (too long, or with a line too long) or cannot be read, leaves it as it is,
// the box shut and saying why: nothing is saved over notes never shown.
// Whatever SAVE NOTES writes the next window shows, and the box then shows
// what the file holds; notes that would not show again, or that cannot be
// written, are refused in a box that says why, the file and the typed notes
// kept.
TEST_F(Notes, TheWindowShowsAndSavesOnlyNotesItCanShowWhole) {
    // A quoted text of lines, or of one line, of that many bytes.
    const auto quoted = [](std::size_t bytes, const std::string& piece) {
        std::string text;
        while (text.size() < bytes) {
            text += piece;
        }
        return '"' + text.substr(0, bytes) + "\"\r\n";
    };
    // The record adds two quotes and CR LF to the text's bytes.
    constexpr std::size_t longest = frmNotes::kMaxLineChars, most = frmNotes::kMaxFileBytes - 4;
    const std::string old = "\"old notes\"\r\n", lines = quoted(most, "notes.\r\n"), line = quoted(longest, "a"),
                      tooLong(longest + 1, 'a'), tooBig(most + 1, '\n'),
                      atLimits = vb::FromCp1252(std::string(longest, '\x80')) + std::string(most - longest, '\n');
    enum Place { kFile, kFolder, kWriteOnly, kReadOnly, kFullDisk };
    enum Outcome { kShown, kSaved, kRefused, kShut };
    const struct {
        const char* name;
        std::string bytes;      // of the notes file
        std::uintmax_t zeros;   // or a sparse file of that many zero bytes
        Place place;
        std::string typed;      // over the notes, then SAVE NOTES; not when only shown or shut
        std::string box;        // then in the box
        Outcome outcome;
        std::string said;       // by a box, if anything
    } cases[] = {
        {"a megabyte of lines", lines, 0, kFile, "", lines.substr(1, most), kShown, ""},
        {"a file one byte too big", quoted(most + 1, "notes.\r\n"), 0, kFile, "", kTooBig, kShut, ""},
        {"the longest line", line, 0, kFile, "", line.substr(1, longest), kShown, ""},
        {"a line one byte too long", quoted(longest + 1, "a"), 0, kFile, "", kTooBig, kShut, ""},
        {"16 MiB of zero bytes", "", std::uintmax_t{1} << 24, kFile, "", kTooBig, kShut, ""},
        {"1 GiB of zero bytes", "", std::uintmax_t{1} << 30, kFile, "", kTooBig, kShut, ""},
        {"a folder in the file's place", old, 0, kFolder, "", kUnreadable, kShut, ""},
        {"a file its owner may write but not read", old, 0, kWriteOnly, "", kUnreadable, kShut, ""},
        {"saving a line one character too long", old, 0, kFile, tooLong, tooLong, kRefused, kTooBigToSave},
        {"saving a file one byte too big", old, 0, kFile, tooBig, tooBig, kRefused, kTooBigToSave},
        {"saving a file one may not write", old, 0, kReadOnly, "mine \"x\" 😀", "mine 'x' 😀", kRefused,
         "The notes could not be saved: permission denied. They are still in the box."},
        {"saving on a full disk", old, 0, kFullDisk, "mine", "mine", kRefused,
         "The notes could not be saved: the disk is full. They are still in the box."},
        {"saving both limits in characters the file holds in a byte", old, 0, kFile, atLimits, atLimits, kSaved, ""},
        {"saving characters the code page lacks, and quotes", old, 0, kFile, "中文 😀 \"x\"", "?? ? 'x'", kSaved, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        rt.boxes.clear();
        std::filesystem::remove_all(File());
        if (c.place == kFolder) {
            std::filesystem::create_directory(File());
        }
        const std::string file = c.place == kFolder ? File() + "/inside" : File();
        const std::uintmax_t size = std::max<std::uintmax_t>(c.zeros, c.bytes.size());
        WriteBytes(file, c.bytes);
        std::filesystem::resize_file(file, size);
        ::chmod(file.c_str(), c.place == kWriteOnly ? 0200 : c.place == kReadOnly ? 0444 : 0600);
        // Root reads and writes any file: then the window loads and saves
        // as the file's owner.
        constexpr uid_t kPlayer = 40001;
        const bool asPlayer = (c.place == kWriteOnly || c.place == kReadOnly) && ::geteuid() == 0;
        if (asPlayer && (::chown(rt.folder.c_str(), kPlayer, kPlayer) || ::chown(file.c_str(), kPlayer, kPlayer) ||
                         ::seteuid(kPlayer))) {
            GTEST_SKIP() << "cannot act as an ordinary user here";
        }
        frmNotes w(rt);
        w.Show();
        if (c.outcome != kShown && w.txtNotes->Enabled) {
            w.txtNotes->Text = c.typed;
            std::optional<FullDisk> full;
            if (c.place == kFullDisk) {
                full.emplace();
            }
            w.cmdSaveNotes->Click();
        }
        ASSERT_TRUE(!asPlayer || ::seteuid(0) == 0);
        // Sizes first: a failure never prints a megabyte.
        EXPECT_EQ(w.txtNotes->Text.get().size(), c.box.size());
        EXPECT_TRUE(w.txtNotes->Text.get() == c.box);
        for (const vb::Control* control : {w.txtNotes, w.cmdSaveNotes, w.cmdResetNotes}) {
            EXPECT_EQ(control->Enabled.get(), c.outcome != kShut) << control->Name();
        }
        ASSERT_EQ(rt.boxes.size(), c.said.empty() ? 0u : 1u);
        EXPECT_TRUE(c.said.empty() || rt.boxes[0].prompt == c.said) << rt.boxes[0].prompt;
        ::chmod(file.c_str(), 0600);
        if (c.outcome == kSaved) {
            EXPECT_TRUE(Reload() == c.box);
        } else {
            EXPECT_EQ(std::filesystem::file_size(file), size);
            EXPECT_TRUE(c.zeros > 0 || ReadBytes(file) == c.bytes);
        }
    }
}

TEST_F(Notes, ResetPutsTheDefaultTextInTheBoxAndWritesNothing) {
    WriteBytes(File(), "\"mine\"\r\n");
    n.Show();
    n.cmdResetNotes->Click();
    EXPECT_EQ(n.txtNotes->Text.get(), n.DefaultText());
    n.txtNotes->Text = std::string("changed");
    n.cmdResetNotes->Click();
    EXPECT_EQ(n.txtNotes->Text.get(), n.DefaultText());
    EXPECT_EQ(ReadBytes(File()), "\"mine\"\r\n");
}

} // namespace
