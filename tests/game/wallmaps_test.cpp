#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <string>

#include "board_fixture.h"
#include "support/files.h"

namespace {

// n lines of `item`, CR LF after each.
std::string Lines(int n, const std::string& item = "0") {
    std::string bytes;
    for (int i = 0; i < n; ++i) {
        bytes += item + "\r\n";
    }
    return bytes;
}

int OpenDescriptors() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) ++n;
        ::closedir(dir);
    }
    return n;
}

class WallMaps : public BoardTest {
protected:
    WallMaps() {
        w.Vidas = 3;
        w.lblPtVidas->Caption = std::string("?");
        w.Caption = std::string("before");
    }

    std::string File(const std::string& name) { return rt.AppFile(name); }

    // Loads labyrinth 9 from these bytes onto a board of all walls.
    void LoadFrom(const std::string& bytes) {
        WriteBytes(File("9.dat.txt"), bytes);
        AllWalls();
        Int16 n = 9;
        w.LoadLab(n);
    }

    // Success shows the lives; failure leaves the display as it was.
    void ExpectLoad(bool ok) {
        EXPECT_EQ(w.ErrorCarga, !ok);
        EXPECT_EQ(w.lblPtVidas->Caption.get(), ok ? "3" : "?");
        EXPECT_EQ(w.Caption.get(), ok ? "Nuvik3t Cross version ; Vidas: 3" : "before");
    }
};

TEST_F(WallMaps, SavedBoardsLoadBackCellForCellWithTheirExactBytes) {
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        w.imgMuro(k).Visible = k % 3 == 0;
    }
    Int16 n = 7;
    w.SaveLab(n);
    const std::string bytes = ReadBytes(File("7.dat.txt"));
    ASSERT_EQ(Records(bytes).size(), 2625u);
    EXPECT_EQ(bytes.substr(0, 10), "-1\r\n0\r\n0\r\n");
    EXPECT_EQ(bytes.size(), 7875u + 875u);
    AllWalls();
    w.LoadLab(n);
    ExpectLoad(true);
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        ASSERT_EQ(w.imgMuro(k).Visible.get(), k % 3 == 0) << "cell " << k;
    }

    // All walls to dificil.dat.txt, all passages to a negative number.
    AllWalls();
    w.SaveDificil();
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")), Lines(2625, "-1"));
    for (Int16 r = 0; r < 35; ++r) w.SetCell(r, 0, "space", 75);
    n = -3;
    w.SaveLab(n);
    EXPECT_EQ(ReadBytes(File("-3.dat.txt")), Lines(2625));
    w.LoadDificil();
    EXPECT_EQ(OpenCells(), 0);
    w.LoadLab(n);
    EXPECT_EQ(OpenCells(), 2625);
}

TEST_F(WallMaps, SaversTurnTheChoiceToGenerationEvenWhenTheWriteFails) {
    const std::string old = Lines(2625);
    WriteBytes(File("dificil.dat.txt"), old);
    std::filesystem::create_directory(File("5.dat.txt"));
    w.MaxLab = 6;
    w.LabInUse = 2;
    w.UsarDificil = true;
    w.LabACargar = 4;
    Int16 n = 5;
    w.SaveLab(n);   // a folder in the file's place
    EXPECT_TRUE(std::filesystem::is_directory(File("5.dat.txt")));
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 2);
    ExpectLoad(true);

    w.UsarDificil = true;
    w.LabACargar = 4;
    {
        FullDisk full;
        w.SaveDificil();
    }
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")), old);
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 6);
}

TEST_F(WallMaps, NonzeroItemsAreWallsCommasSeparateAndExtraItemsAreNotRead) {
    std::string bytes = Lines(99) + "5\r\n-32768\r\n 2.4 \r\n0.4\r\n#TRUE#\r\n" + Lines(2625 - 104);
    LoadFrom(bytes + "-1\r\nnot a number\r\n99999\r\n");
    ExpectLoad(true);
    EXPECT_TRUE(IsWall(1, 24));   // cell 99
    EXPECT_TRUE(IsWall(1, 25));
    EXPECT_TRUE(IsWall(1, 26));
    EXPECT_FALSE(IsWall(1, 27));  // 0.4 rounds to 0
    EXPECT_TRUE(IsWall(1, 28));
    EXPECT_EQ(OpenCells(), 2625 - 4);

    // Three items a line, the last line without its line break; empty items
    // between commas read as 0.
    bytes = "-1,,7";
    for (int line = 1; line < 875; ++line) bytes += "\r\n0,0,0";
    LoadFrom(bytes);
    ExpectLoad(true);
    EXPECT_EQ(OpenCells(), 2623);
    EXPECT_FALSE(IsWall(0, 1));
}

// Each failure ends the load at its own cell: the cells before it take the
// file's state, the others keep theirs.
TEST_F(WallMaps, AFailedLoadKeepsWhatItReadAndNeitherCrashesNorHangs) {
    struct Case { std::string bytes; int read; };
    const Case cases[] = {
        {Lines(2000), 2000},
        {std::string(), 0},
        {std::string(100'000, '\n'), 0},
        {std::string(200'000, '\0'), 0},
    };
    for (const Case& c : cases) {
        LoadFrom(c.bytes);
        ExpectLoad(false);
        EXPECT_EQ(OpenCells(), c.read);
    }
    EXPECT_TRUE(IsWall(26, 50));   // cell 2000 of the short file

    for (const std::string item : {"32768", "-32769", "1e10", "abc", "\x01\xff\x80"}) {
        LoadFrom(Lines(300) + item + "\r\n" + Lines(2324));
        ExpectLoad(false);
        EXPECT_EQ(OpenCells(), 300) << item;
    }
    LoadFrom(Lines(300) + std::string(3'000'000, '7'));   // one huge line
    EXPECT_EQ(OpenCells(), 300);
    ExpectLoad(false);

    // A missing file and a folder change no cell.
    std::filesystem::create_directory(File("dificil.dat.txt"));
    AllWalls();
    Open(5, 5);
    w.LoadDificil();
    ExpectLoad(false);
    Int16 n = 12;
    w.LoadLab(n);
    ExpectLoad(false);
    EXPECT_EQ(OpenCells(), 1);
}

TEST_F(WallMaps, AFailedLoadLeavesNoFileOpen) {
    WriteBytes(File("9.dat.txt"), Lines(10));
    Int16 n = 9;
    w.LoadLab(n);
    const int before = OpenDescriptors();
    for (int i = 0; i < 50; ++i) {
        w.LoadLab(n);
        w.LoadDificil();
    }
    EXPECT_TRUE(w.ErrorCarga);
    EXPECT_EQ(OpenDescriptors(), before);
}

} // namespace
