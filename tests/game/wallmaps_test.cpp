#include <gtest/gtest.h>

#include <algorithm>
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
        Clear();
    }

    // A board of all walls, the lives not shown.
    void Clear() {
        AllWalls();
        w.lblPtVidas->Caption = std::string("?");
        w.Caption = std::string("before");
    }

    std::string File(const std::string& name) { return rt.AppFile(name); }

    // Loads labyrinth 9 from these bytes onto a cleared board.
    void LoadFrom(const std::string& bytes) {
        WriteBytes(File("9.dat.txt"), bytes);
        Clear();
        Int16 n = 9;
        w.LoadLab(n);
    }

    // Each cell is a wall exactly when wall(k).
    template <class Wall> void ExpectWalls(Wall wall) {
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            ASSERT_EQ(w.imgMuro(k).Visible.get(), wall(k)) << "cell " << k;
        }
    }

    // Success shows the lives; failure leaves the display as it was.
    void ExpectLoad(bool ok) {
        EXPECT_EQ(w.ErrorCarga, !ok);
        EXPECT_EQ(w.lblPtVidas->Caption.get(), ok ? "3" : "?");
        EXPECT_EQ(w.Caption.get(), ok ? "Nuvik3t Cross version ; Vidas: 3" : "before");
    }
};

// Every `every`-th cell a wall, none for 0; each board is loaded back onto
// its opposite. Lab 0 stands for dificil.dat.txt.
TEST_F(WallMaps, SavedBoardsLoadBackCellForCellWithTheirExactBytes) {
    struct Case { Int16 lab; const char* file; int every; };
    for (Case c : {Case{7, "7.dat.txt", 3}, Case{0, "dificil.dat.txt", 1}, Case{-3, "-3.dat.txt", 0}}) {
        SCOPED_TRACE(c.file);
        const auto wall = [&c](int k) { return c.every > 0 && k % c.every == 0; };
        std::string expected;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            w.imgMuro(k).Visible = wall(k);
            expected += wall(k) ? "-1\r\n" : "0\r\n";
        }
        c.lab == 0 ? w.SaveDificil() : w.SaveLab(c.lab);
        EXPECT_EQ(ReadBytes(File(c.file)), expected);
        Clear();
        for (int k = 0; k < Nuvik3Main::kCells; ++k) w.imgMuro(k).Visible = !wall(k);
        c.lab == 0 ? w.LoadDificil() : w.LoadLab(c.lab);
        ExpectLoad(true);
        ExpectWalls(wall);
    }
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

// Any nonzero item is a wall, commas separate items too (an empty one reads
// as 0) and items after the last cell are not read. The first item that is
// missing or no 16-bit number fails the load there: the cells before it take
// the file's state, the others keep theirs. Nothing crashes, hangs or leaves
// a file open.
TEST_F(WallMaps, ItemsFillTheCellsInTurnAndAFailedLoadKeepsWhatItRead) {
    const long before = OpenDescriptors();
    // read: the cells read before the load ends; walls: those read as walls.
    struct Case { std::string bytes; int read; std::vector<int> walls = {}; };
    std::string commas = "-1,,7";   // the last line without its line break
    for (int line = 1; line < 875; ++line) commas += "\r\n0,0,0";
    std::vector<Case> cases = {
        {Lines(99) + "5\r\n-32768\r\n 2.4 \r\n0.4\r\n#TRUE#\r\n" + Lines(2625 - 104) +
             "-1\r\nnot a number\r\n99999\r\n",
         2625, {99, 100, 101, 103}},   // 0.4 rounds to 0
        {commas, 2625, {0, 2}},
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
        SCOPED_TRACE(testing::Message() << c.bytes.size() << " bytes");
        LoadFrom(c.bytes);
        ExpectLoad(c.read == Nuvik3Main::kCells);
        ExpectWalls([&c](int k) {
            return k >= c.read || std::count(c.walls.begin(), c.walls.end(), k) != 0;
        });
    }
    EXPECT_EQ(OpenDescriptors(), before);

    // A folder and a missing file change no cell.
    std::filesystem::create_directory(File("dificil.dat.txt"));
    Clear();
    Open(5, 5);
    w.LoadDificil();
    ExpectLoad(false);
    Int16 n = 12;
    w.LoadLab(n);
    ExpectLoad(false);
    EXPECT_EQ(OpenCells(), 1);
}

} // namespace
