#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "support/files.h"

namespace {

// n lines of `item`, CR LF after each.
std::string Lines(int n, const std::string& item = "0") {
    std::string bytes;
    while (n-- > 0) bytes += item + "\r\n";
    return bytes;
}

long OpenDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
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
    std::string expected;
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        w.imgMuro(k).Visible = k % 3 == 0;
        expected += k % 3 == 0 ? "-1\r\n" : "0\r\n";
    }
    Int16 n = 7;
    w.SaveLab(n);
    EXPECT_EQ(ReadBytes(File("7.dat.txt")), expected);
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
    std::filesystem::create_directory(File("5.dat.txt"));   // a folder in the file's place
    w.MaxLab = 6;
    w.LabInUse = 2;
    for (const bool dificil : {false, true}) {
        w.UsarDificil = true;
        w.LabACargar = 4;
        if (dificil) {
            FullDisk full;
            w.SaveDificil();
        } else {
            Int16 n = 5;
            w.SaveLab(n);
            ExpectLoad(true);
        }
        EXPECT_FALSE(w.UsarDificil);
        EXPECT_EQ(w.LabACargar, 0);
        EXPECT_EQ(w.LabInUse, dificil ? 6 : 2);
    }
    EXPECT_TRUE(std::filesystem::is_directory(File("5.dat.txt")));
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")), old);
}

TEST_F(WallMaps, NonzeroItemsAreWallsCommasSeparateAndExtraItemsAreNotRead) {
    // Cells 99..103; 0.4 rounds to 0.
    LoadFrom(Lines(99) + "5\r\n-32768\r\n 2.4 \r\n0.4\r\n#TRUE#\r\n" + Lines(2625 - 104) +
             "-1\r\nnot a number\r\n99999\r\n");
    ExpectLoad(true);
    EXPECT_EQ(OpenCells(), 2625 - 4);
    EXPECT_FALSE(IsWall(1, 27));

    // Three items a line, the last line without its line break; empty items
    // between commas read as 0.
    std::string bytes = "-1,,7";
    for (int line = 1; line < 875; ++line) bytes += "\r\n0,0,0";
    LoadFrom(bytes);
    ExpectLoad(true);
    EXPECT_EQ(OpenCells(), 2623);
    EXPECT_FALSE(IsWall(0, 1));
}

// Each failure ends the load at its own cell: the cells before it take the
// file's state, the others keep theirs. No failure crashes, hangs or leaves
// a file open.
TEST_F(WallMaps, AFailedLoadKeepsWhatItRead) {
    const long before = OpenDescriptors();
    struct Case { std::string bytes; int read; };
    std::vector<Case> cases = {
        {Lines(2000), 2000},
        {std::string(), 0},
        {std::string(100'000, '\n'), 0},
        {std::string(200'000, '\0'), 0},
        {Lines(300) + std::string(3'000'000, '7'), 300},   // one huge line
    };
    for (const std::string item : {"32768", "-32769", "1e10", "abc", "\x01\xff\x80"}) {
        cases.push_back({Lines(300) + item + "\r\n" + Lines(2324), 300});
    }
    for (const Case& c : cases) {
        LoadFrom(c.bytes);
        ExpectLoad(false);
        EXPECT_EQ(OpenCells(), c.read) << c.bytes.size() << " bytes";
    }
    EXPECT_EQ(OpenDescriptors(), before);

    // A folder and a missing file change no cell.
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

} // namespace
