// The labyrinth generator: walkers dig one-cell-wide corridors from the start
// cell; the openings each pass records become the walkers of the next pass.
// Every random draw happens in a fixed order, so a seed gives one labyrinth.
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"

namespace {

// Positions 1..200 of a walker list; openings counted past it are not stored.
constexpr int kFrente = 200;
using Frente = std::array<DigPos, kFrente + 1>;

Int16 Reverse(Int16 dir) {
    switch (dir) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    case 4: return 3;
    default: return dir;
    }
}

int RowStep(Int16 dir) { return dir == 1 ? -1 : dir == 2 ? 1 : 0; }
int ColStep(Int16 dir) { return dir == 3 ? -1 : dir == 4 ? 1 : 0; }

void Append(DigPos* list, Int16& count, const DigPos& p) {
    if (count == INT16_MAX) {
        return;  // the count cannot grow, and position 32767 is past the list anyway
    }
    ++count;
    if (count <= kFrente) {
        list[count] = p;
    }
}

} // namespace

Int16 Nuvik3Main::RndWhole(int n) {
    return static_cast<Int16>(std::floor(rt().Rnd() * static_cast<float>(n)));
}

Int16 Nuvik3Main::PickOneOf(Int16 n, Int16 a, Int16 b, Int16 c, Int16 d) {
    switch (RndWhole(n) + 1) {
    case 1: return a;
    case 2: return b;
    case 3: return c;
    case 4: return d;
    default: return 0;
    }
}

// Draw a value for each position, redrawing while it repeats an earlier one.
// The redraws are part of the random sequence a seed produces.
void Nuvik3Main::RandomOrder(Int16 n, Int16* Orden) {
    for (int i = 1; i <= n; ++i) {
        bool repeated = true;
        while (repeated) {
            Orden[i] = static_cast<Int16>(RndWhole(n) + 1);
            repeated = false;
            for (int j = 1; j < i && !repeated; ++j) {
                repeated = Orden[j] == Orden[i];
            }
        }
    }
}

// A cell may be dug only while it, the cell beyond it and the side
// neighbours of both are walls, which keeps the corridors apart.
bool Nuvik3Main::CanDig(const DigPos& P) {
    const int row = P.Row;
    const int col = P.Col;
    bool vertical = false;
    int first = 0;
    int second = 0;
    switch (P.Dir) {
    case 1:
        if (row == 0) return false;
        vertical = true;
        first = row - 1;
        second = first == 0 ? first : row - 2;
        break;
    case 2:
        if (row == MaxRow) return false;
        vertical = true;
        first = row + 1;
        second = first == MaxRow ? first : row + 2;
        break;
    case 3:
        if (col == 0) return false;
        first = col - 1;
        second = first == 0 ? first : col - 2;
        break;
    case 4:
        if (col == MaxCol) return false;
        first = col + 1;
        second = first == MaxCol ? first : col + 2;
        break;
    default:
        return false;
    }
    const int centre = vertical ? col : row;
    const int edge = vertical ? MaxCol : MaxRow;
    const std::array<int, 3> lines{centre == 0 ? centre : centre - 1, centre,
                                   centre == edge ? centre : centre + 1};
    bool walls = true;
    for (const int line : lines) {
        for (const int ahead : {first, second}) {
            const Int16 r = static_cast<Int16>(vertical ? ahead : line);
            const Int16 c = static_cast<Int16>(vertical ? line : ahead);
            walls = (CellKind(r, c) == ckMuro) && walls;
        }
    }
    return walls;
}

void Nuvik3Main::DigCorridor(DigPos& W, DigPos* OtherList, Int16& OtherCount, Int16 MaxTotal,
                             Int16 MaxLenV, Int16 MaxLenH) {
    // Turns as (straight on, one side, other side) for each heading.
    static constexpr Int16 kTurns[5][3] = {{0, 0, 0}, {1, 4, 3}, {2, 4, 3}, {3, 1, 2}, {4, 1, 2}};
    Int16 DugTotal = 0;
    bool StopNext = false;
    for (;;) {
        const Int16 PrevDir = W.Dir;
        if (!CanDig(W)) {
            return;
        }
        const bool vertical = W.Dir == 1 || W.Dir == 2;
        const Int16 minLen = vertical ? MinSegV : MinSegH;
        const Int16 maxLen = vertical ? MaxLenV : MaxLenH;
        Int16 SegLen = static_cast<Int16>(RndWhole(maxLen - minLen) + minLen);

        // Cut the segment at the first cell from which digging cannot go on.
        DigPos Probe = W;
        Int16 steps = 0;
        do {
            Probe.Row = static_cast<Int16>(Probe.Row + RowStep(Probe.Dir));
            Probe.Col = static_cast<Int16>(Probe.Col + ColStep(Probe.Dir));
            ++steps;
            if (!CanDig(Probe)) {
                SegLen = steps;
            }
        } while (steps < SegLen);

        if (SegLen == 1) {
            int blocked = 0;
            for (Int16 d = 1; d <= 4; ++d) {
                blocked += CanDig(DigPos{Probe.Row, Probe.Col, d}) ? 0 : 1;
            }
            if (blocked >= 3) {
                return;  // a lone cell that leads nowhere is not worth digging
            }
        }
        const bool onDoor = Probe.Row == 0 && Probe.Col == 0;
        const bool overBudget = DugTotal + SegLen > MaxTotal;
        if (!onDoor && overBudget) {
            StopNext = true;
        }
        DugTotal = static_cast<Int16>(DugTotal + SegLen);
        for (Int16 s = 0; s < SegLen; ++s) {
            W.Row = static_cast<Int16>(W.Row + RowStep(W.Dir));
            W.Col = static_cast<Int16>(W.Col + ColStep(W.Dir));
            SetCell(W.Row, W.Col, "space");
        }
        if (onDoor) {
            return;
        }

        if (StopNext) {
            W.Dir = Reverse(PrevDir);
        } else {
            const auto& turn = kTurns[PrevDir];
            W.Dir = PickOneOf(3, turn[0], turn[1], turn[2], 0);
        }
        for (Int16 d = 1; d <= 4; ++d) {
            if (d != W.Dir && CanDig(DigPos{W.Row, W.Col, d})) {
                Append(OtherList, OtherCount, DigPos{W.Row, W.Col, d});
            }
        }
    }
}

void Nuvik3Main::GenerateLabyrinth() {
    const Int16 MaxLenV = MaxSegV;
    const Int16 MaxLenH = MaxSegH;
    Frente FrenteA{};
    Frente FrenteB{};
    std::vector<Int16> Orden;
    Orden.reserve(kFrente + 1);

    SetCell(MaxRow, MaxCol, "space");
    FrenteA[1] = DigPos{MaxRow, MaxCol, PickOneOf(2, 1, 3, 0, 0)};
    Int16 CountA = 1;
    Int16 CountB = 0;

    // Runs the walkers of one list in random order; their openings go to the other.
    const auto pass = [&](Frente& list, Int16 count, Frente& other, Int16& otherCount) {
        otherCount = 0;
        if (count <= 0) {
            return;
        }
        Orden.assign(static_cast<std::size_t>(count) + 1, 0);
        RandomOrder(count, Orden.data());
        for (int i = 1; i <= count; ++i) {
            const Int16 MaxTotal = static_cast<Int16>(RndWhole(30) + 30);
            const Int16 pos = Orden[i];
            if (pos >= 1 && pos <= kFrente) {
                DigCorridor(list[pos], other.data(), otherCount, MaxTotal, MaxLenV, MaxLenH);
            }
        }
    };
    do {
        pass(FrenteA, CountA, FrenteB, CountB);
        pass(FrenteB, CountB, FrenteA, CountA);
    } while (CountA != 0 || CountB != 0);

    // Door link: no walker reached the door cell, so dig towards the nearest passage.
    if (CellKind(0, 0) == ckMuro) {
        if (rt().Rnd() <= 0.5f) {
            int c = 0;
            while (c <= MaxCol && CellKind(0, c) == ckMuro && CellKind(1, c) == ckMuro) {
                ++c;
            }
            for (int k = 0; k <= c; ++k) {
                SetCell(0, k, "space");
            }
        } else {
            int q = 0;
            while (q <= MaxRow && CellKind(q, 0) == ckMuro && CellKind(q, 1) == ckMuro) {
                ++q;
            }
            for (int k = 0; k <= q; ++k) {
                SetCell(k, 0, "space");
            }
        }
    }
    SetCell(0, 0, "metar");

    // Start link, along the bottom row or up the right-hand column.
    const int lastRow = MaxRow;
    const int lastCol = MaxCol;
    if (CellKind(lastRow, lastCol - 1) == ckMuro) {
        int c = lastCol - 1;
        while (c >= 0 && CellKind(lastRow, c) == ckMuro && CellKind(lastRow - 1, c) == ckMuro) {
            --c;
        }
        for (int k = lastCol - 1; k >= c; --k) {
            SetCell(lastRow, k, "space");
        }
    } else {
        int q = lastRow - 1;
        while (q >= 0 && CellKind(q, lastCol) == ckMuro && CellKind(q, lastCol - 1) == ckMuro) {
            --q;
        }
        for (int k = lastRow - 1; k >= q; --k) {
            SetCell(k, lastCol, "space");
        }
    }
}
