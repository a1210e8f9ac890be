#pragma once
// What the fuzz targets share: whole-file reads and writes, a check that
// stops the run with a message, so libFuzzer keeps the input that broke it,
// and one game window kept for the whole run.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

#define FUZZ_CHECK(cond)                                                                      \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);    \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The game window with its program folder in a temporary place, made once:
// building it for every input would dwarf the load being fuzzed.
struct Game {
    vb::ScriptedRuntime rt;
    Nuvik3Main w{rt};
};

inline Game& TheGame() {
    static Game game;
    return game;
}
