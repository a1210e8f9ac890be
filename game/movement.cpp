// The wandering objects: a random turn now and then, fruits that steer toward
// the critter, and a fixed order of headings each object tries until one
// step succeeds. Monsters may wall up the cell they leave.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "game/Nuvik3Main.h"
#include "platform/runtime.h"

namespace {

bool OnBoard(int row, int col) {
    return row >= 0 && row < Nuvik3Main::kRows && col >= 0 && col < Nuvik3Main::kCols;
}

Int16 Reverse(Int16 dir) {
    switch (dir) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
    }
}

bool IsReversal(Int16 dir, Int16 wish) { return dir >= 1 && dir <= 4 && wish == Reverse(dir); }

// Fruits 7 to 15 chase the critter.
constexpr int kFirstSteering = 7;
constexpr int kLastSteering = 15;

// The headings an object tries once its wish and its heading are blocked,
// by the heading it had: two sides (in the order of side 1), then three
// headings to wish for next.
struct Fallback {
    Int16 side1;
    Int16 side2;
    Int16 wishes[3];
};

const Fallback* FallbackFor(Int16 dir) {
    static constexpr Fallback table[4] = {
        {3, 4, {2, 3, 4}},  // up
        {3, 4, {1, 3, 4}},  // down
        {1, 2, {4, 2, 1}},  // left
        {1, 2, {3, 2, 1}},  // right
    };
    return dir >= 1 && dir <= 4 ? &table[dir - 1] : nullptr;
}

} // namespace

void Nuvik3Main::RandomTurn(Int16 HitRow, Int16 HitCol) {
    int k = -1;
    for (int i = 0; i < std::min<int>(MovEnd, kFrutas); ++i) {
        const FrutaRec& f = Frutas[i];
        if (ImgFruta(i).Visible && f.Row != HitRow && f.Col != HitCol && f.Row >= 0) {
            Candidatos[++k] = static_cast<Int16>(i);
        }
    }
    if (k < 0) {
        return;
    }
    FrutaRec& picked = Frutas[Candidatos[RndWhole(k + 1)]];
    Int16 heading = 0;
    do {
        heading = static_cast<Int16>(RndWhole(4) + 1);
    } while (heading == picked.Dir);
    if (rt().Rnd() < 0.1f) {
        picked.Dir = heading;
        picked.NextDir = heading;
    }
}

void Nuvik3Main::MoveObjects() {
    for (int i = 0; i < std::min<int>(MovEnd, kFrutas); ++i) {
        FrutaRec& f = Frutas[i];
        if (!ImgFruta(i).Visible || f.Row < 0) {
            continue;
        }
        Int16 idx = static_cast<Int16>(i);

        // Steering looks through walls: it only sets the heading.
        if (i >= kFirstSteering && i <= kLastSteering) {
            if (std::abs(f.Row) == NuvikRow) {
                f.Dir = std::abs(f.Col) > NuvikCol ? 3 : 4;
                f.NextDir = f.Dir;
            } else if (std::abs(f.Col) == NuvikCol) {
                f.Dir = std::abs(f.Row) > NuvikRow ? 1 : 2;
                f.NextDir = f.Dir;
            }
        }

        if (!IsReversal(f.Dir, f.NextDir) && MoveFruta(f.NextDir, idx)) {
            f.Dir = f.NextDir;
            continue;
        }
        if (MoveFruta(f.Dir, idx)) {
            continue;
        }
        // The side is drawn even for an object without a heading.
        const Int16 side = static_cast<Int16>(RndWhole(2) + 1);
        const Int16 tried = f.Dir;
        const Fallback* fb = FallbackFor(tried);
        if (fb == nullptr) {
            continue;
        }
        f.Dir = side == 1 ? fb->side1 : fb->side2;
        if (MoveFruta(f.Dir, idx)) {
            continue;
        }
        f.Dir = side == 1 ? fb->side2 : fb->side1;
        if (MoveFruta(f.Dir, idx)) {
            continue;
        }
        f.NextDir = PickOneOf(3, fb->wishes[0], fb->wishes[1], fb->wishes[2], 0);
        f.Dir = Reverse(tried);
        MoveFruta(f.Dir, idx);
    }
}

bool Nuvik3Main::MoveFruta(Int16& Dir, Int16& Idx) {
    if (Idx < 0 || Idx >= kFrutas) {
        return false;  // no such record: every statement would fail
    }
    FrutaRec& f = Frutas[static_cast<std::size_t>(Idx)];
    bool result = false;
    Int16 R = f.Row;
    Int16 C = f.Col;
    Int16 rowStep = 0;
    Int16 colStep = 0;

    const auto PlaceImage = [&] {
        const vb::Control& cell = Cell(C, R);
        ImgFruta(Idx).Left = cell.Left;
        ImgFruta(Idx).Top = cell.Top;
    };

    int dr = 0;
    int dc = 0;
    bool inside = false;
    switch (Dir) {
    case 1: inside = R > 0; dr = -1; break;
    case 2: inside = R < MaxRow; dr = 1; break;
    case 3: inside = C > 0; dc = -1; break;
    case 4: inside = C < MaxCol; dc = 1; break;
    default: break;
    }
    const int tr = R + dr;
    const int tc = C + dc;
    if (inside && OnBoard(tr, tc) &&
        (CellKind(static_cast<Int16>(tr), static_cast<Int16>(tc)) == ckLibre ||
         (tr == NuvikRow && tc == NuvikCol))) {
        if (IsMonster(Idx)) {
            // All three values are drawn on every monster step, even once
            // the board's three extra walls have been dropped.
            const float r1 = rt().Rnd();
            const float r2 = rt().Rnd();
            const float r3 = rt().Rnd();
            if (r1 > 0.98f && MurosExtra < 3 && r2 > 0.89f && r3 > 0.62f) {
                ++MurosExtra;
                SetCell(R, C, "muro");
                rt().Beep();
            }
        }
        R = static_cast<Int16>(tr);
        C = static_cast<Int16>(tc);
        PlaceImage();
        rowStep = static_cast<Int16>(dr);
        colStep = static_cast<Int16>(dc);
        result = true;
    }

    f.Row = R;
    f.Col = C;
    if (OnBoard(R, C)) {
        f.Cell = MuroIdx[C][R];
    }
    f.DX = colStep;
    f.DY = rowStep;
    return result;
}
