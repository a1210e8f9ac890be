// The wall-map loader on any file. Checks: loading never changes the file;
// the cells read are a leading run, each with the same wall whatever the board
// held, and every cell after it keeps what it held; the load fails exactly
// when that run stops short; saving the board and loading it onto another
// board gives back the same walls.
#include <bitset>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

namespace {

using Walls = std::bitset<Nuvik3Main::kCells>;

Walls Board(Nuvik3Main& w) {
    Walls walls;
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        walls[k] = w.imgMuro(k).Visible;
    }
    return walls;
}

void SetBoard(Nuvik3Main& w, const Walls& walls) {
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        w.imgMuro(k).Visible = static_cast<bool>(walls[k]);
    }
}

// Every third cell a wall: a board unlike most maps, and unlike its inverse.
Walls Pattern() {
    Walls walls;
    for (int k = 0; k < Nuvik3Main::kCells; k += 3) {
        walls[k] = true;
    }
    return walls;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Nuvik3Main& w = TheGame().w;
    const std::string path = TheGame().rt.AppFile("1.dat.txt");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    WriteBytes(path, bytes);
    Int16 lab = 1;

    const Walls start = Pattern();
    SetBoard(w, ~start);
    w.LoadLab(lab);
    const Walls fromInverse = Board(w);
    const bool failedOnInverse = w.ErrorCarga;

    SetBoard(w, start);
    w.LoadLab(lab);
    FUZZ_CHECK(ReadBytes(path) == bytes);
    const Walls fromStart = Board(w);
    FUZZ_CHECK(w.ErrorCarga == failedOnInverse);
    // A cell was read when both loads agree on it; kept when both kept their own.
    int read = 0;
    while (read < Nuvik3Main::kCells && fromStart[read] == fromInverse[read]) {
        ++read;
    }
    for (int k = read; k < Nuvik3Main::kCells; ++k) {
        FUZZ_CHECK(fromStart[k] == start[k] && fromInverse[k] == !start[k]);
    }
    FUZZ_CHECK(w.ErrorCarga == (read < Nuvik3Main::kCells));

    w.SaveLab(lab);
    SetBoard(w, ~fromStart);
    w.LoadLab(lab);
    FUZZ_CHECK(!w.ErrorCarga);
    FUZZ_CHECK(Board(w) == fromStart);
    return 0;
}
