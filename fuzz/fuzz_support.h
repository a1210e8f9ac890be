#pragma once
// What the fuzz targets share: whole-file reads and writes, and a check that
// stops the run with a message, so libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

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
