// The sequential-file reader on any bytes, driven by any sequence of reads.
// Input: a byte n, then n operation bytes, then the file. Checks: reading never
// changes the file; a failed read leaves its target as it was (of a record,
// the target that failed and those after it); a number read is finite; after
// Eof every read is past the end; every read uses up at least one byte, so no
// file makes a reader loop forever.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>

#include "fuzz/fuzz_support.h"
#include "platform/scripted_runtime.h"
#include "platform/seqfile.h"

namespace {

// Numbers compare bit for bit, so a NaN equals itself.
template <class T>
bool Same(const T& a, const T& b) {
    if constexpr (std::is_floating_point_v<T>) {
        return std::memcmp(&a, &b, sizeof(T)) == 0;
    } else {
        return a == b;
    }
}

template <class T>
bool Finite(const T& v) {
    if constexpr (std::is_floating_point_v<T>) {
        return std::isfinite(v);
    } else {
        return true;
    }
}

// One of two values a target starts from, unlike what most files hold.
template <class T>
T Before(bool alt) {
    if constexpr (std::is_same_v<T, std::string>) {
        return alt ? "\x01kept" : "";
    } else if constexpr (std::is_same_v<T, std::int16_t>) {
        return alt ? -12345 : 23130;
    } else if constexpr (std::is_same_v<T, std::int32_t>) {
        return alt ? -1234567890 : 1515870810;
    } else if constexpr (std::is_same_v<T, double>) {
        return alt ? -1.2345e-300 : std::nan("7");
    } else if constexpr (std::is_same_v<T, float>) {
        return alt ? -1.2345e-30f : std::nanf("7");
    } else {
        return alt;
    }
}

// One Input, or one record of a single item, into a target.
template <class T>
vb::FileError Read(vb::SeqReader& f, bool line, bool alt) {
    const T before = Before<T>(alt);
    T value = before;
    const vb::FileError e = line ? f.InputLine(value) : f.Input(value);
    FUZZ_CHECK(e == vb::FileError::None ? Finite(value) : Same(value, before));
    return e;
}

// A record of two items, as the settings file holds the window's corner.
vb::FileError ReadPair(vb::SeqReader& f, bool alt) {
    const std::int16_t before = Before<std::int16_t>(alt);
    std::int16_t first = before;
    std::int16_t second = before;
    const vb::FileError e = f.InputLine(first, second);
    if (e != vb::FileError::None) {
        FUZZ_CHECK(second == before);
    }
    return e;
}

// Operation byte: bits 0-2 the kind, bit 3 a record (InputLine) instead of
// one item, bit 7 which starting value.
vb::FileError Operation(vb::SeqReader& f, std::uint8_t op) {
    const bool line = (op & 0x08) != 0;
    const bool alt = (op & 0x80) != 0;
    switch (op & 0x07) {
    case 0: return Read<std::string>(f, line, alt);
    case 1: return Read<std::int16_t>(f, line, alt);
    case 2: return Read<std::int32_t>(f, line, alt);
    case 3: return Read<double>(f, line, alt);
    case 4: return Read<float>(f, line, alt);
    case 5: return Read<bool>(f, line, alt);
    case 6: {
        // After the last byte there is nothing left to read.
        const bool eof = f.Eof();
        const vb::FileError e = Read<std::string>(f, line, true);
        if (eof) {
            FUZZ_CHECK(e == vb::FileError::InputPastEnd);
        }
        return e;
    }
    default: {
        if (line) {
            return ReadPair(f, alt);
        }
        f.Close();
        const vb::FileError e = Read<std::int32_t>(f, false, alt);
        FUZZ_CHECK(e == vb::FileError::BadFileNumber);
        return e;
    }
    }
}

vb::ScriptedRuntime& Runtime() {
    static vb::ScriptedRuntime rt;
    return rt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(data[0], size - 1);
    const std::uint8_t* ops = data + 1;
    const std::string bytes(reinterpret_cast<const char*>(data + 1 + count), size - 1 - count);
    const std::string path = Runtime().AppFile("input.txt");
    WriteBytes(path, bytes);

    vb::SeqReader f;
    FUZZ_CHECK(f.Open(path) == vb::FileError::None);
    // The operations cycle until the file is used up; at most one item more
    // than there are bytes can be read.
    std::size_t items = 0;
    const std::size_t steps = count == 0 ? 0 : 2 * (bytes.size() + 2);
    for (std::size_t i = 0; i < steps; ++i) {
        const vb::FileError e = Operation(f, ops[i % count]);
        if (e == vb::FileError::BadFileNumber) {
            break;
        }
        if (e != vb::FileError::InputPastEnd) {
            ++items;
        }
        FUZZ_CHECK(items <= bytes.size() + 1);
    }
    f.Close();
    FUZZ_CHECK(ReadBytes(path) == bytes);
    return 0;
}
