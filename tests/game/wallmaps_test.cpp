#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <string>
#include <vector>

#include "board_fixture.h"
#include "support/files.h"

namespace {

// A file of one item per line, as the game writes it.
std::string Lines(const std::vector<std::string>& items) {
    std::string bytes;
    for (const std::string& item : items) {
        bytes += item + "\r\n";
    }
    return bytes;
}

std::vector<std::string> Passages(int n) { return std::vector<std::string>(n, "0"); }

int OpenDescriptors() {
    int n = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++n;
        }
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

    // Loads labyrinth n from the given bytes onto a board of all walls.
    void LoadFrom(const std::string& bytes, Int16 n = 9) {
        WriteBytes(File(std::to_string(n) + ".dat.txt"), bytes);
        AllWalls();
        w.LoadLab(n);
    }

    void ExpectLivesShown() {
        EXPECT_EQ(w.lblPtVidas->Caption.get(), "3");
        EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 3");
    }
    void ExpectLivesUntouched() {
        EXPECT_EQ(w.lblPtVidas->Caption.get(), "?");
        EXPECT_EQ(w.Caption.get(), "before");
    }
};

TEST_F(WallMaps, ABoardSavedAndLoadedAgainKeepsEveryWall) {
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        w.imgMuro(k).Visible = (k * 7) % 3 == 0;
    }
    Int16 n = 7;
    w.SaveLab(n);
    const std::vector<std::string> records = Records(ReadBytes(File("7.dat.txt")));
    ASSERT_EQ(records.size(), 2625u);
    EXPECT_EQ(records[0], "-1");
    EXPECT_EQ(records[1], "0");
    EXPECT_EQ(ReadBytes(File("7.dat.txt")).size(), 7875u + 875u);

    AllWalls();
    w.ErrorCarga = true;
    w.LoadLab(n);
    EXPECT_FALSE(w.ErrorCarga);
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        ASSERT_EQ(w.imgMuro(k).Visible.get(), (k * 7) % 3 == 0) << "cell " << k;
    }
    ExpectLivesShown();
}

TEST_F(WallMaps, AllWallsAndAllPassagesHaveTheirExactSizes) {
    AllWalls();
    w.SaveDificil();
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")), Lines(std::vector<std::string>(2625, "-1")));
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")).size(), 10500u);

    for (Int16 r = 0; r < 35; ++r) {
        w.SetCell(r, 0, "space", 75);
    }
    Int16 n = -3;
    w.SaveLab(n);
    EXPECT_EQ(ReadBytes(File("-3.dat.txt")), Lines(Passages(2625)));
    EXPECT_EQ(ReadBytes(File("-3.dat.txt")).size(), 7875u);

    AllWalls();
    w.LoadLab(n);
    EXPECT_EQ(OpenCells(), 2625);
    w.LoadDificil();
    EXPECT_EQ(OpenCells(), 0);
    EXPECT_FALSE(w.ErrorCarga);
}

TEST_F(WallMaps, SaversTurnTheChoiceToGenerationAndShowTheLives) {
    w.UsarDificil = true;
    w.LabACargar = 4;
    w.LabInUse = 2;
    w.MaxLab = 6;
    Int16 n = 5;
    w.SaveLab(n);
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 2);
    ExpectLivesShown();

    w.UsarDificil = true;
    w.LabACargar = 4;
    w.SaveDificil();
    EXPECT_FALSE(w.UsarDificil);
    EXPECT_EQ(w.LabACargar, 0);
    EXPECT_EQ(w.LabInUse, 6);
}

TEST_F(WallMaps, ASaveThatCannotWriteKeepsTheOldFileAndStillSetsTheFields) {
    const std::string old = Lines(Passages(2625));
    WriteBytes(File("dificil.dat.txt"), old);
    w.UsarDificil = true;
    {
        FullDisk full;
        w.SaveDificil();
    }
    EXPECT_EQ(ReadBytes(File("dificil.dat.txt")), old);
    EXPECT_FALSE(w.UsarDificil);
    ExpectLivesShown();

    // A folder where the file should be: nothing written, nothing thrown.
    std::filesystem::create_directory(File("4.dat.txt"));
    Int16 n = 4;
    w.SaveLab(n);
    EXPECT_TRUE(std::filesystem::is_directory(File("4.dat.txt")));
}

TEST_F(WallMaps, AnyNonzeroItemIsAWallAndCommasSeparateItems) {
    std::vector<std::string> items = Passages(2625);
    items[99] = "5";          // row 1, column 24
    items[100] = "-32768";
    items[101] = " 2.4 ";     // rounds to 2
    items[102] = "0.4";       // rounds to 0
    items[103] = "#TRUE#";
    LoadFrom(Lines(items));
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_TRUE(IsWall(1, 24));
    EXPECT_TRUE(IsWall(1, 25));
    EXPECT_TRUE(IsWall(1, 26));
    EXPECT_FALSE(IsWall(1, 27));
    EXPECT_TRUE(IsWall(1, 28));
    EXPECT_EQ(OpenCells(), 2625 - 4);

    // Three items a line, the last line without its line break.
    std::string bytes;
    for (int line = 0; line < 875; ++line) {
        bytes += line == 0 ? "-1,0,7" : "0,0,0";
        bytes += line + 1 < 875 ? "\r\n" : "";
    }
    LoadFrom(bytes);
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_TRUE(IsWall(0, 0));
    EXPECT_FALSE(IsWall(0, 1));
    EXPECT_TRUE(IsWall(0, 2));
    EXPECT_EQ(OpenCells(), 2623);
}

TEST_F(WallMaps, ItemsPastTheLastCellAreNotRead) {
    std::vector<std::string> items = Passages(2625);
    items.push_back("-1");
    items.push_back("not a number");
    items.push_back("99999");
    LoadFrom(Lines(items));
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 2625);
    ExpectLivesShown();
}

TEST_F(WallMaps, AShortFileSetsTheCellsItHasAndFails) {
    LoadFrom(Lines(Passages(2000)));
    EXPECT_TRUE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 2000);
    EXPECT_FALSE(IsWall(26, 49));   // cell 1999
    EXPECT_TRUE(IsWall(26, 50));    // cell 2000 kept its wall
    ExpectLivesUntouched();

    // The next good load clears the flag.
    LoadFrom(Lines(Passages(2625)));
    EXPECT_FALSE(w.ErrorCarga);
}

TEST_F(WallMaps, AMissingFileFailsAndChangesNoCell) {
    Open(5, 5);
    Int16 n = 12;
    w.LoadLab(n);
    EXPECT_TRUE(w.ErrorCarga);
    w.ErrorCarga = false;
    w.LoadDificil();
    EXPECT_TRUE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 1);
    ExpectLivesUntouched();
}

// Each bad item ends the load at its own cell: the cells before it are read.
TEST_F(WallMaps, AnItemThatIsNoSixteenBitNumberEndsTheLoadThere) {
    const std::string bad[] = {
        "32768", "-32769", "1e10", "abc", std::string("\x01\xff\x80", 3),
        std::string(3'000'000, '7'),   // one huge line of digits
    };
    for (const std::string& item : bad) {
        std::vector<std::string> items = Passages(2625);
        items[300] = item;
        LoadFrom(Lines(items));
        EXPECT_TRUE(w.ErrorCarga) << item.substr(0, 10);
        EXPECT_EQ(OpenCells(), 300) << item.substr(0, 10);
        ExpectLivesUntouched();
    }
}

TEST_F(WallMaps, OddFilesNeitherCrashNorHang) {
    // A folder in the file's place, an empty file, a file of line breaks,
    // and binary bytes with no line break at all.
    std::filesystem::create_directory(File("dificil.dat.txt"));
    w.LoadDificil();
    EXPECT_TRUE(w.ErrorCarga);
    for (const std::string& bytes :
         {std::string(), std::string(100'000, '\n'), std::string(200'000, '\0')}) {
        LoadFrom(bytes);
        EXPECT_TRUE(w.ErrorCarga);
    }
    // Empty items between commas read as 0.
    LoadFrom(std::string(2625, ','));
    EXPECT_FALSE(w.ErrorCarga);
    EXPECT_EQ(OpenCells(), 2625);
}

TEST_F(WallMaps, AFailedLoadLeavesNoFileOpen) {
    WriteBytes(File("9.dat.txt"), Lines(Passages(10)));
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
