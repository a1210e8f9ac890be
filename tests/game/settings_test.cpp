#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"
#include "support/files.h"

namespace {

const std::string kFirstRun =
    "1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n240\r\n#FALSE#\r\n0\r\n0\r\n0\r\n#FALSE#\r\n";

// A file in which every record differs from its default.
const std::string kCustom =
    "0\r\n1234\r\n0\r\n600,450\r\n12000,9000\r\n100\r\n#TRUE#\r\n3\r\n9\r\n5\r\n#TRUE#\r\n";

class Settings : public ::testing::Test {
protected:
    std::string File() { return rt.AppFile("Nuvik3w.dat"); }
    void StartWith(const std::string& bytes) {
        WriteBytes(File(), bytes);
        w.Show();
    }
    void ExpectDefaultWindow() {
        EXPECT_EQ(w.WindowState.get(), 0);
        EXPECT_EQ(w.Left.get(), 255.0f);
        EXPECT_EQ(w.Top.get(), 360.0f);
        EXPECT_EQ(w.Width.get(), 11415.0f);
        EXPECT_EQ(w.Height.get(), 8160.0f);
    }

    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

TEST_F(Settings, FirstStartWritesTheFirstRunFileAndShowsTheDefaults) {
    w.Show();
    EXPECT_EQ(ReadBytes(File()), kFirstRun);
    EXPECT_EQ(kFirstRun.size(), 62u);
    EXPECT_EQ(w.chkSound->Value.get(), 1);
    EXPECT_EQ(w.SoundOn, 1);
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 0");
    EXPECT_EQ(w.txtDelay->Text.get(), "240");
    EXPECT_EQ(w.Timer1->Interval(), 240);
    EXPECT_EQ(w.Delay, 240);
    ExpectDefaultWindow();
}

TEST_F(Settings, EveryRecordIsReadAndAppliedAndTheFileIsLeftAsItWas) {
    StartWith(kCustom);
    EXPECT_EQ(w.SoundOn, 0);
    EXPECT_EQ(w.chkSound->Value.get(), 0);
    EXPECT_EQ(w.HighScore, 1234);
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 1234");
    EXPECT_EQ(w.Top.get(), 600.0f);
    EXPECT_EQ(w.Left.get(), 450.0f);
    EXPECT_EQ(w.Width.get(), 12000.0f);
    EXPECT_EQ(w.Height.get(), 9000.0f);
    EXPECT_EQ(w.Delay, 100);
    EXPECT_EQ(w.txtDelay->Text.get(), "100");
    EXPECT_EQ(w.Timer1->Interval(), 100);
    EXPECT_EQ(w.LabInUse, 3);
    EXPECT_EQ(w.MaxLab, 9);
    EXPECT_TRUE(w.Reservado);
    // Start-up turns the labyrinth choice back to generation.
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(ReadBytes(File()), kCustom);
}

TEST_F(Settings, LoadSettingsReadsTheLabyrinthChoiceAndSaveWritesEveryRecordBack) {
    WriteBytes(File(), kCustom);
    w.DefaultSettings();
    w.LoadSettings();
    EXPECT_TRUE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 5);
    std::filesystem::remove(File());
    w.SaveSettings();
    EXPECT_EQ(ReadBytes(File()), kCustom);
}

TEST_F(Settings, AShortFileLeavesTheMissingRecordsAtTheirDefaults) {
    const std::string shortFile = "0\r\n77\r\n0\r\n600,450\r\n";
    StartWith(shortFile);
    EXPECT_EQ(w.chkSound->Value.get(), 0);
    EXPECT_EQ(w.HighScore, 77);
    EXPECT_EQ(w.Top.get(), 600.0f);
    EXPECT_EQ(w.Width.get(), 11415.0f);
    EXPECT_EQ(w.Delay, 240);
    EXPECT_EQ(w.txtDelay->Text.get(), "240");
    EXPECT_EQ(ReadBytes(File()), shortFile);
}

TEST_F(Settings, ValuesThatDoNotFitOrAreNoNumbersKeepDefaultsAndLaterRecordsStayInPlace) {
    StartWith("1\r\nabc\r\n0\r\n360,255\r\n40000,9000\r\n300\r\n#FALSE#\r\n4\r\n70000\r\n0\r\n#TRUE#\r\n");
    EXPECT_EQ(w.HighScore, 0);
    // A failing first item ends the read of its record.
    EXPECT_EQ(w.Width.get(), 11415.0f);
    EXPECT_EQ(w.Height.get(), 8160.0f);
    EXPECT_EQ(w.WinWidth, 11415);
    EXPECT_EQ(w.WinHeight, 8160);
    EXPECT_EQ(w.Delay, 300);
    EXPECT_EQ(w.LabInUse, 4);
    EXPECT_EQ(w.MaxLab, 0);
    EXPECT_TRUE(w.Reservado);
}

TEST_F(Settings, AFileThatCannotBeReadKeepsTheDefaultsAndIsNotReplaced) {
    std::filesystem::create_directory(File());
    w.Show();
    EXPECT_TRUE(std::filesystem::is_directory(File()));
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 0");
    EXPECT_EQ(w.txtDelay->Text.get(), "240");
    ExpectDefaultWindow();
}

// Whatever a damaged record 4 or 5 holds, every later record is read in its
// own place; a pair whose first value fails keeps both defaults. A quote
// opened on record 4 and closed on record 5 damages both.
TEST(SettingsDamagedRecord, LaterRecordsStayInTheirPlaces) {
    const std::vector<std::string> good = Records(kCustom);
    std::vector<std::pair<std::string, std::string>> rows = {{"\"a", "b\""}};   // records 4 and 5
    for (const std::string damaged : {"x", "wide", "", "   ", "x,1", "x,1,2", "\"x\"", "\"a,b\",7", "\"q"}) {
        rows.emplace_back(damaged, good[4]);
        rows.emplace_back(good[3], damaged);
    }
    for (const auto& [corner, size] : rows) {
        SCOPED_TRACE(corner + " / " + size);
        vb::ScriptedRuntime rt;
        Nuvik3Main w(rt);
        std::vector<std::string> records = good;
        records[3] = corner;
        records[4] = size;
        std::string bytes;
        for (const std::string& r : records) {
            bytes += r + "\r\n";
        }
        WriteBytes(rt.AppFile("Nuvik3w.dat"), bytes);
        w.Show();
        EXPECT_EQ(w.Top.get(), corner != good[3] ? 360.0f : 600.0f);
        EXPECT_EQ(w.Left.get(), corner != good[3] ? 255.0f : 450.0f);
        EXPECT_EQ(w.Width.get(), size != good[4] ? 11415.0f : 12000.0f);
        EXPECT_EQ(w.Height.get(), size != good[4] ? 8160.0f : 9000.0f);
        EXPECT_EQ(w.Delay, 100);
        EXPECT_EQ(w.Timer1->Interval(), 100);
        EXPECT_EQ(w.LabInUse, 3);
        EXPECT_EQ(w.MaxLab, 9);
        EXPECT_TRUE(w.Reservado);
    }
}

TEST_F(Settings, AStoredMaximisedStateStartsMaximisedWithTheDefaultBounds) {
    StartWith("1\r\n0\r\n2\r\n600,450\r\n12000,9000\r\n240\r\n#FALSE#\r\n0\r\n0\r\n0\r\n#FALSE#\r\n");
    EXPECT_EQ(w.WindowState.get(), 2);
    EXPECT_EQ(w.Left.get(), 255.0f);
    EXPECT_EQ(w.Top.get(), 360.0f);
    EXPECT_EQ(w.Width.get(), 11415.0f);
    EXPECT_EQ(w.Height.get(), 8160.0f);
}

TEST_F(Settings, AStoredStateOutsideTheThreeIsSkipped) {
    StartWith("1\r\n0\r\n7\r\n600,450\r\n12000,9000\r\n240\r\n");
    EXPECT_EQ(w.WindowState.get(), 0);
    EXPECT_EQ(w.Width.get(), 12000.0f);
}

TEST_F(Settings, ANegativeDelayIsShownButTheClockKeeps240AndZeroIsTaken) {
    StartWith("1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n-50\r\n");
    EXPECT_EQ(w.Delay, -50);
    EXPECT_EQ(w.txtDelay->Text.get(), "-50");
    EXPECT_EQ(w.Timer1->Interval(), 240);

    vb::ScriptedRuntime rt2;
    Nuvik3Main w2(rt2);
    WriteBytes(rt2.AppFile("Nuvik3w.dat"), "1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n0\r\n");
    w2.Show();
    EXPECT_EQ(w2.txtDelay->Text.get(), "0");
    EXPECT_EQ(w2.Timer1->Interval(), 0);
}

TEST_F(Settings, TheSavedWindowIsTheWindowAsItIsNotTheStoredFields) {
    w.Show();
    w.HostBoundsChanged(90, 120, 13500, 9750);
    w.WindowState = Int16{2};
    w.cmdSaveCh->Click();
    const auto rec = Records(ReadBytes(File()));
    ASSERT_EQ(rec.size(), 11u);
    EXPECT_EQ(rec[2], "2");
    EXPECT_EQ(rec[3], "120,90");
    EXPECT_EQ(rec[4], "13500,9750");
}

TEST_F(Settings, RecordSixIsTheDelayBoxRoundedDownOrTheDelayInForce) {
    StartWith("1\r\n0\r\n0\r\n360,255\r\n11415,8160\r\n180\r\n#TRUE#\r\n2\r\n3\r\n4\r\n#TRUE#\r\n");
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"240.9", "240"}, {"-3.5", "-4"}, {" 75 ", "75"}, {"abc", "180"}, {"", "180"},
                 {"12abc", "180"}};
    for (const auto& c : cases) {
        w.txtDelay->Text = std::string(c.typed);
        w.SaveSettings();
        const auto rec = Records(ReadBytes(File()));
        ASSERT_EQ(rec.size(), 11u) << c.typed;
        EXPECT_EQ(rec[5], c.stored) << c.typed;
        // Start-up cleared the labyrinth choice; the rest stays in its place.
        EXPECT_EQ(std::vector<std::string>(rec.begin() + 6, rec.end()),
                  (std::vector<std::string>{"#FALSE#", "2", "3", "0", "#TRUE#"}))
            << c.typed;
    }
}

// A failed save leaves the previous file whole; only the save the player
// asks for by the button says so.
TEST_F(Settings, AFailedSaveLeavesThePreviousFileWholeAndOnlyTheButtonSaysSo) {
    StartWith(kCustom);
    w.HighScore = 999;
    {
        FullDisk full;
        w.SaveSettings();
        EXPECT_TRUE(rt.boxes.empty());
        w.cmdSaveCh->Click();
    }
    ASSERT_EQ(rt.boxes.size(), 1u);
    EXPECT_EQ(rt.boxes[0].prompt, "The settings could not be saved: the disk is full.");
    EXPECT_EQ(ReadBytes(File()), kCustom);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(rt.folder)) {
        ++entries;
    }
    EXPECT_EQ(entries, 2); // the settings and the notes, no leftover temporary file
}

TEST_F(Settings, ResetAsksTwiceAndEachAnswerActsOnItsOwn) {
    struct Case {
        int first, second;
        bool defaults, preset;
    };
    for (const Case c : {Case{vb::vbYes, vb::vbNo, true, false}, Case{vb::vbNo, vb::vbYes, false, true},
                         Case{vb::vbYes, vb::vbYes, true, true}, Case{vb::vbNo, vb::vbNo, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.first << "," << c.second);
        vb::ScriptedRuntime r;
        Nuvik3Main m(r);
        WriteBytes(r.AppFile("Nuvik3w.dat"), kCustom);
        m.Show();
        r.answers = {c.first, c.second};
        m.cmdReset->Click();

        ASSERT_EQ(r.boxes.size(), 2u);
        EXPECT_EQ(r.boxes[0].prompt, "Erase and return to the original settings?");
        EXPECT_EQ(r.boxes[0].title, "RESET");
        EXPECT_EQ(r.boxes[0].style, 52);
        EXPECT_EQ(r.boxes[1].prompt, "Do you want 1024 x 768 screen size for this game?");
        EXPECT_EQ(r.boxes[1].title, "RESET - Window size");
        EXPECT_EQ(r.boxes[1].style, 52);

        EXPECT_EQ(m.chkSound->Value.get(), c.defaults ? 1 : 0);
        EXPECT_EQ(m.SoundOn, c.defaults ? 1 : 0);
        EXPECT_EQ(m.HighScore, c.defaults ? 0 : 1234);
        EXPECT_EQ(m.lblHS->Caption.get(), c.defaults ? "HS: 0" : "HS: 1234");
        EXPECT_EQ(m.txtDelay->Text.get(), c.defaults ? "240" : "100");
        EXPECT_EQ(m.Timer1->Interval(), c.defaults ? 240 : 100);
        const float left = c.preset ? -60.0f : c.defaults ? 255.0f : 450.0f;
        const float top = c.preset ? 285.0f : c.defaults ? 360.0f : 600.0f;
        const float width = c.preset ? 15480.0f : c.defaults ? 11415.0f : 12000.0f;
        const float height = c.preset ? 10845.0f : c.defaults ? 8160.0f : 9000.0f;
        EXPECT_EQ(m.Left.get(), left);
        EXPECT_EQ(m.Top.get(), top);
        EXPECT_EQ(m.Width.get(), width);
        EXPECT_EQ(m.Height.get(), height);
        EXPECT_EQ(ReadBytes(r.AppFile("Nuvik3w.dat")), kCustom);
    }
}

TEST_F(Settings, TheWindowPresetRestoresAMaximisedWindowBeforeSizingIt) {
    w.Show();
    w.WindowState = Int16{2};
    rt.answers = {vb::vbNo, vb::vbYes};
    w.cmdReset_Click();
    EXPECT_EQ(w.WindowState.get(), 0);
    EXPECT_EQ(w.Width.get(), 15480.0f);
    EXPECT_EQ(w.Height.get(), 10845.0f);
}

TEST_F(Settings, HighScoreResetAsksAndWritesNothing) {
    StartWith(kCustom);
    rt.answers = {vb::vbNo};
    w.cmdHSReset->Click();
    EXPECT_EQ(w.HighScore, 1234);
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 1234");
    rt.answers = {vb::vbYes};
    w.cmdHSReset->Click();
    EXPECT_EQ(w.HighScore, 0);
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 0");
    ASSERT_EQ(rt.boxes.size(), 2u);
    EXPECT_EQ(rt.boxes[1].prompt, "¿Erase actual High Score?");
    EXPECT_EQ(rt.boxes[1].title, "Reset HS to zero");
    EXPECT_EQ(rt.boxes[1].style, 52);
    EXPECT_EQ(ReadBytes(File()), kCustom);
}

TEST_F(Settings, UntickingSoundIsStoredInRecordOneAndNothingElseChanges) {
    w.Show();
    w.chkSound->Value = Int16{0};
    EXPECT_EQ(w.SoundOn, 0);
    w.SaveSettings();
    std::string expected = kFirstRun;
    expected[0] = '0';
    EXPECT_EQ(ReadBytes(File()), expected);
}

} // namespace
