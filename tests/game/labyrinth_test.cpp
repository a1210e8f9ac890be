#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "game/board_fixture.h"

// Reaches the generator's single-walker steps, which the game itself only
// runs from inside GenerateLabyrinth.
class LabyrinthTestAccess {
public:
    static bool CanDig(Nuvik3Main& w, DigPos p) { return w.CanDig(p); }
    static void RandomOrder(Nuvik3Main& w, Int16 n, Int16* orden) { w.RandomOrder(n, orden); }
    static void DigCorridor(Nuvik3Main& w, DigPos& walker, DigPos* list, Int16& count,
                            Int16 maxTotal) {
        w.DigCorridor(walker, list, count, maxTotal, 11, 12);
    }
};

bool operator==(const DigPos& a, const DigPos& b) {
    return a.Row == b.Row && a.Col == b.Col && a.Dir == b.Dir;
}
void PrintTo(const DigPos& p, std::ostream* os) {
    *os << "(row " << p.Row << ", col " << p.Col << ", dir " << p.Dir << ")";
}

namespace {

using Access = LabyrinthTestAccess;
using Cells = std::set<std::pair<int, int>>;

// The draw that makes "whole part of r x n, plus 1" come out as k.
float Pick(int k, int n) { return (static_cast<float>(k) - 0.5f) / static_cast<float>(n); }
// The draw for a segment of len cells with the bounds 6 and 12 (across) or 11 (up and down).
float Across(int len) { return Pick(len - 5, 6); }

class LabyrinthTest : public BoardTest {
protected:
    LabyrinthTest() {
        w.MaxSegV = 11;
        w.MaxSegH = 12;
        w.MinSegV = 6;
        w.MinSegH = 6;
        for (auto& f : w.Frutas) f.Cell = -1;
    }

    // CanDig(p) turns False exactly when one of the given cells is open.
    void ExpectLooksAt(DigPos p, const Cells& watched) {
        for (int r = p.Row - 3; r <= p.Row + 3; ++r) {
            for (int c = p.Col - 3; c <= p.Col + 3; ++c) {
                if (r < 0 || r > 34 || c < 0 || c > 74) continue;
                AllWalls();
                Open(r, c);
                EXPECT_EQ(Access::CanDig(w, p), watched.count({r, c}) == 0)
                    << "heading " << p.Dir << " from " << p.Row << "," << p.Col << ", open " << r
                    << "," << c;
            }
        }
    }

    // Passages reachable from the start cell, moving between hidden cell images.
    int ReachableFromStart(bool& doorReached) {
        std::array<std::array<bool, 75>, 35> seen{};
        std::deque<std::pair<int, int>> todo{{34, 74}};
        seen[34][74] = true;
        int n = 0;
        while (!todo.empty()) {
            const auto [r, c] = todo.front();
            todo.pop_front();
            ++n;
            const int dr[] = {-1, 1, 0, 0};
            const int dc[] = {0, 0, -1, 1};
            for (int d = 0; d < 4; ++d) {
                const int nr = r + dr[d];
                const int nc = c + dc[d];
                if (nr >= 0 && nr < 35 && nc >= 0 && nc < 75 && !seen[nr][nc] && !IsWall(nr, nc)) {
                    seen[nr][nc] = true;
                    todo.emplace_back(nr, nc);
                }
            }
        }
        doorReached = seen[0][0];
        return n;
    }

    bool HasOpenSquare() {
        for (int r = 0; r < 34; ++r) {
            for (int c = 0; c < 74; ++c) {
                if (!IsWall(r, c) && !IsWall(r + 1, c) && !IsWall(r, c + 1) && !IsWall(r + 1, c + 1)) {
                    return true;
                }
            }
        }
        return false;
    }

    // Opens cells that keep the first walker from digging either way, so a
    // run does nothing but the links; the three draws are its heading, its
    // place in the order and its budget.
    void BlockFirstWalker(std::initializer_list<std::pair<int, int>> blockers) {
        for (const auto& [r, c] : blockers) Open(r, c);
        rt.rnd.Push({0.2f, 0.0f, 0.0f});
    }
};

TEST_F(LabyrinthTest, PickOneOfSplitsTheRangeEvenly) {
    rt.rnd.Push({0.4999f, 0.5f, 0.0f, 0.99999994f});
    EXPECT_EQ(w.PickOneOf(2, 1, 3, 0, 0), 1);
    EXPECT_EQ(w.PickOneOf(2, 1, 3, 0, 0), 3);
    EXPECT_EQ(w.PickOneOf(3, 7, 8, 9, 0), 7);
    EXPECT_EQ(w.PickOneOf(3, 7, 8, 9, 0), 9);
    EXPECT_EQ(rt.rnd.Draws(), 4);
}

TEST_F(LabyrinthTest, RandomOrderRedrawsRepeatedValues) {
    std::array<Int16, 4> orden{};
    Access::RandomOrder(w, 0, orden.data());
    EXPECT_EQ(rt.rnd.Draws(), 0);

    rt.rnd.Push(0.9f);
    Access::RandomOrder(w, 1, orden.data());
    EXPECT_EQ(orden[1], 1);
    EXPECT_EQ(rt.rnd.Draws(), 1);

    rt.rnd.Push({Pick(2, 3), Pick(2, 3), Pick(3, 3), Pick(2, 3), Pick(1, 3)});
    Access::RandomOrder(w, 3, orden.data());
    EXPECT_EQ(orden[1], 2);
    EXPECT_EQ(orden[2], 3);
    EXPECT_EQ(orden[3], 1);
    EXPECT_EQ(rt.rnd.Draws(), 6);
}

TEST_F(LabyrinthTest, CanDigWatchesTheTwoCellsAheadAndTheirSides) {
    ExpectLooksAt({15, 30, 1}, {{14, 29}, {14, 30}, {14, 31}, {13, 29}, {13, 30}, {13, 31}});
    ExpectLooksAt({15, 30, 2}, {{16, 29}, {16, 30}, {16, 31}, {17, 29}, {17, 30}, {17, 31}});
    ExpectLooksAt({15, 30, 3}, {{14, 29}, {15, 29}, {16, 29}, {14, 28}, {15, 28}, {16, 28}});
    ExpectLooksAt({15, 30, 4}, {{14, 31}, {15, 31}, {16, 31}, {14, 32}, {15, 32}, {16, 32}});
}

TEST_F(LabyrinthTest, CanDigNearTheEdgesLooksOnlyAtTheBoard) {
    ExpectLooksAt({1, 0, 1}, {{0, 0}, {0, 1}});
    ExpectLooksAt({33, 74, 2}, {{34, 73}, {34, 74}});
    ExpectLooksAt({0, 1, 3}, {{0, 0}, {1, 0}});
    ExpectLooksAt({34, 73, 4}, {{34, 74}, {33, 74}});
    ExpectLooksAt({20, 0, 1}, {{19, 0}, {19, 1}, {18, 0}, {18, 1}});

    AllWalls();
    EXPECT_FALSE(Access::CanDig(w, {0, 10, 1}));
    EXPECT_FALSE(Access::CanDig(w, {34, 10, 2}));
    EXPECT_FALSE(Access::CanDig(w, {10, 0, 3}));
    EXPECT_FALSE(Access::CanDig(w, {10, 74, 4}));
    EXPECT_FALSE(Access::CanDig(w, {10, 10, 0}));
}

TEST_F(LabyrinthTest, AWalkerDigsItsLastSegmentPastTheBudgetThenOffersEveryWay) {
    Open(20, 60);
    // Segments of 8, 9, 7 and 10 cells, straight on between them.
    rt.rnd.Push({Across(8), Pick(1, 3), Across(9), Pick(1, 3), Across(7), Pick(1, 3), Across(10)});
    DigPos walker{20, 60, 3};
    std::array<DigPos, 201> list{};
    Int16 count = 0;
    Access::DigCorridor(w, walker, list.data(), count, 30);

    EXPECT_EQ(rt.rnd.Draws(), 7);
    EXPECT_EQ(walker, (DigPos{20, 26, 4}));
    for (int c = 26; c <= 60; ++c) EXPECT_FALSE(IsWall(20, c)) << c;
    EXPECT_TRUE(IsWall(20, 25));
    EXPECT_EQ(OpenCells(), 35);
    // Up and down after each of the first three segments; all three ways after the last.
    ASSERT_EQ(count, 9);
    EXPECT_EQ(list[1], (DigPos{20, 52, 1}));
    EXPECT_EQ(list[2], (DigPos{20, 52, 2}));
    EXPECT_EQ(list[7], (DigPos{20, 26, 1}));
    EXPECT_EQ(list[8], (DigPos{20, 26, 2}));
    EXPECT_EQ(list[9], (DigPos{20, 26, 3}));
}

TEST_F(LabyrinthTest, AWalkerThatExactlyMeetsItsBudgetGoesOn) {
    Open(20, 60);
    rt.rnd.Push({Across(8), Pick(1, 3), Across(9), Pick(1, 3), Across(7), Pick(1, 3), Across(6),
                 Pick(1, 3), Across(6)});
    DigPos walker{20, 60, 3};
    std::array<DigPos, 201> list{};
    Int16 count = 0;
    Access::DigCorridor(w, walker, list.data(), count, 30);

    EXPECT_EQ(rt.rnd.Draws(), 9);
    EXPECT_EQ(walker, (DigPos{20, 24, 4}));
    EXPECT_EQ(OpenCells(), 37);
}

TEST_F(LabyrinthTest, AWalkerTurnsAsDrawn) {
    Open(20, 60);
    // Left 6, then the second choice from "left" (up) for 6, then straight on up past the budget.
    rt.rnd.Push({Across(6), Pick(2, 3), Pick(1, 5), Pick(1, 3), Pick(5, 5)});
    DigPos walker{20, 60, 3};
    std::array<DigPos, 201> list{};
    Int16 count = 0;
    Access::DigCorridor(w, walker, list.data(), count, 15);

    EXPECT_EQ(rt.rnd.Draws(), 5);
    EXPECT_EQ(walker, (DigPos{4, 54, 2}));
    EXPECT_FALSE(IsWall(20, 54));
    EXPECT_FALSE(IsWall(14, 54));
    EXPECT_FALSE(IsWall(4, 54));
    EXPECT_TRUE(IsWall(3, 54));
    EXPECT_EQ(OpenCells(), 1 + 6 + 6 + 10);
}

TEST_F(LabyrinthTest, ASegmentEndingOnTheDoorCellEndsTheWalker) {
    Open(0, 8);
    rt.rnd.Push(Across(10));  // cut to 8 at the board's corner
    DigPos walker{0, 8, 3};
    std::array<DigPos, 201> list{};
    Int16 count = 0;
    Access::DigCorridor(w, walker, list.data(), count, 59);

    EXPECT_EQ(rt.rnd.Draws(), 1);
    EXPECT_EQ(walker, (DigPos{0, 0, 3}));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(OpenCells(), 9);
}

TEST_F(LabyrinthTest, AOneCellSegmentIsDugOnlyWhenBothSidesLeadOn) {
    Open(10, 40);
    Open(10, 37);  // cuts the segment to one cell
    Open(8, 38);   // and blocks its way up
    rt.rnd.Push(Across(7));
    DigPos walker{10, 40, 3};
    std::array<DigPos, 201> list{};
    Int16 count = 0;
    Access::DigCorridor(w, walker, list.data(), count, 59);
    EXPECT_EQ(rt.rnd.Draws(), 1);
    EXPECT_TRUE(IsWall(10, 39));
    EXPECT_EQ(count, 0);

    w.SetCell(8, 38, "muro");
    rt.rnd.Push({Across(7), Pick(1, 3)});
    Access::DigCorridor(w, walker, list.data(), count, 59);
    EXPECT_EQ(rt.rnd.Draws(), 3);
    EXPECT_FALSE(IsWall(10, 39));
    EXPECT_EQ(count, 2);  // up and down
}

TEST_F(LabyrinthTest, OpeningsPastTheListAreCountedButNotStored) {
    Open(20, 60);
    rt.rnd.Push({Across(8), Pick(1, 3), Across(9), Pick(1, 3), Across(7), Pick(1, 3), Across(10)});
    DigPos walker{20, 60, 3};
    std::array<DigPos, 210> list{};
    const DigPos sentinel{-7, -7, -7};
    for (int i = 199; i < 210; ++i) list[i] = sentinel;
    Int16 count = 198;
    Access::DigCorridor(w, walker, list.data(), count, 30);
    EXPECT_EQ(count, 207);
    EXPECT_EQ(list[199], (DigPos{20, 52, 1}));
    EXPECT_EQ(list[200], (DigPos{20, 52, 2}));
    for (int i = 201; i < 210; ++i) EXPECT_EQ(list[i], sentinel) << i;

    AllWalls();
    Open(20, 60);
    rt.rnd.Push({Across(8), Pick(1, 3), Across(9), Pick(1, 3), Across(7), Pick(1, 3), Across(10)});
    walker = DigPos{20, 60, 3};
    count = INT16_MAX;
    Access::DigCorridor(w, walker, list.data(), count, 30);
    EXPECT_EQ(count, INT16_MAX);
}

TEST_F(LabyrinthTest, DoorLinkAlongRowZeroReachesTheFirstOpenColumn) {
    Open(1, 6);
    BlockFirstWalker({{33, 72}, {32, 73}});
    rt.rnd.Push(0.5f);
    w.GenerateLabyrinth();
    EXPECT_EQ(rt.rnd.Draws(), 4);
    for (int c = 0; c <= 6; ++c) EXPECT_FALSE(IsWall(0, c)) << c;
    EXPECT_TRUE(IsWall(0, 7));
    EXPECT_TRUE(IsWall(1, 0));
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_FALSE(w.ImgMetaV(0).Visible);
}

TEST_F(LabyrinthTest, DoorLinkDownColumnZeroReachesTheFirstOpenRow) {
    Open(9, 1);
    BlockFirstWalker({{33, 72}, {32, 73}});
    rt.rnd.Push(0.6f);
    w.GenerateLabyrinth();
    EXPECT_EQ(rt.rnd.Draws(), 4);
    for (int r = 0; r <= 9; ++r) EXPECT_FALSE(IsWall(r, 0)) << r;
    EXPECT_TRUE(IsWall(10, 0));
    EXPECT_TRUE(IsWall(0, 1));
}

TEST_F(LabyrinthTest, DoorLinkWithNothingToReachDigsTheWholeRow) {
    BlockFirstWalker({{33, 72}, {32, 73}});
    rt.rnd.Push(0.1f);
    w.GenerateLabyrinth();
    for (int c = 0; c <= 74; ++c) EXPECT_FALSE(IsWall(0, c)) << c;
    EXPECT_TRUE(IsWall(1, 74));
}

TEST_F(LabyrinthTest, AnOpenDoorCellNeedsNoLinkAndNoDraw) {
    Open(0, 0);
    w.ImgMetaR(0).Visible = false;
    w.ImgMetaV(0).Visible = true;
    BlockFirstWalker({{33, 72}, {32, 73}});
    w.GenerateLabyrinth();
    EXPECT_EQ(rt.rnd.Draws(), 3);
    EXPECT_TRUE(IsWall(0, 1));
    EXPECT_TRUE(IsWall(1, 0));
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_FALSE(w.ImgMetaV(0).Visible);
}

TEST_F(LabyrinthTest, StartLinkRunsLeftWhileTheCellLeftOfTheStartIsAWall) {
    Open(0, 0);
    BlockFirstWalker({{33, 70}, {32, 73}});
    w.GenerateLabyrinth();
    EXPECT_FALSE(IsWall(34, 74));
    for (int c = 70; c <= 73; ++c) EXPECT_FALSE(IsWall(34, c)) << c;
    EXPECT_TRUE(IsWall(34, 69));
    EXPECT_TRUE(IsWall(33, 74));
}

TEST_F(LabyrinthTest, StartLinkRunsUpWhenTheCellLeftOfTheStartIsOpen) {
    Open(0, 0);
    BlockFirstWalker({{34, 73}, {32, 73}});
    w.GenerateLabyrinth();
    EXPECT_FALSE(IsWall(33, 74));
    EXPECT_FALSE(IsWall(32, 74));
    EXPECT_TRUE(IsWall(31, 74));
    EXPECT_TRUE(IsWall(34, 72));
}

TEST_F(LabyrinthTest, EveryLabyrinthJoinsStartAndDoorWithCorridorsOneCellWide) {
    for (unsigned seed = 0; seed < 500; ++seed) {
        rt.rnd.Seed(seed);
        w.ImgMetaR(0).Visible = false;
        w.ClearBoard();
        w.GenerateLabyrinth();
        bool doorReached = false;
        const int reached = ReachableFromStart(doorReached);
        ASSERT_TRUE(doorReached) << "seed " << seed;
        ASSERT_FALSE(IsWall(0, 0)) << "seed " << seed;
        ASSERT_EQ(reached, OpenCells()) << "seed " << seed;  // one connected labyrinth
        ASSERT_GT(reached, 900) << "seed " << seed;
        ASSERT_FALSE(HasOpenSquare()) << "seed " << seed;
        ASSERT_TRUE(w.ImgMetaR(0).Visible) << "seed " << seed;
        ASSERT_FALSE(w.ImgMetaV(0).Visible) << "seed " << seed;
    }
}

TEST_F(LabyrinthTest, ShortSegmentsOverflowTheWalkerListsSafely) {
    // Two-cell segments record far more than 200 openings in some passes.
    w.MaxSegV = w.MaxSegH = 3;
    w.MinSegV = w.MinSegH = 2;
    for (unsigned seed = 0; seed < 50; ++seed) {
        rt.rnd.Seed(seed);
        w.ClearBoard();
        w.GenerateLabyrinth();
        bool doorReached = false;
        ReachableFromStart(doorReached);
        ASSERT_TRUE(doorReached) << "seed " << seed;
    }
}

TEST_F(LabyrinthTest, TheSameSeedDigsTheSameLabyrinth) {
    rt.rnd.Seed(77);
    w.ClearBoard();
    w.GenerateLabyrinth();
    std::vector<bool> first;
    for (int k = 0; k < Nuvik3Main::kCells; ++k) first.push_back(w.imgMuro(k).Visible);
    const int draws = rt.rnd.Draws();

    rt.rnd.Seed(77);
    w.ClearBoard();
    w.GenerateLabyrinth();
    EXPECT_EQ(rt.rnd.Draws(), 2 * draws);
    for (int k = 0; k < Nuvik3Main::kCells; ++k) ASSERT_EQ(w.imgMuro(k).Visible.get(), first[k]) << k;
}

} // namespace
