// The sequential-file reader on any bytes, driven by any sequence of reads.
// Input: a byte n, then n operation bytes, then the file. Checks: reading never
// changes the file; a failed read leaves its target as it was; a number read is
// finite; after Eof every read is past the end; every read uses up at least one
// byte, so no file makes a reader loop forever.
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

// Runs one Input into a target holding `before`; a failure must leave it so.
template <class T>
vb::FileError Read(vb::SeqReader& f, T before) {
    T value = before;
    const vb::FileError e = f.Input(value);
    if (e != vb::FileError::None) {
        FUZZ_CHECK(Same(value, before));
    }
    if constexpr (std::is_floating_point_v<T>) {
        if (e == vb::FileError::None) {
            FUZZ_CHECK(std::isfinite(value));
        }
    }
    return e;
}

vb::FileError Operation(vb::SeqReader& f, std::uint8_t op) {
    // The high bit picks one of two starting values for the target.
    const bool alt = (op & 0x80) != 0;
    switch (op & 0x07) {
    case 0: return Read<std::string>(f, alt ? "\x01kept" : "");
    case 1: return Read<std::int16_t>(f, alt ? std::int16_t{-12345} : std::int16_t{23130});
    case 2: return Read<std::int32_t>(f, alt ? -1234567890 : 1515870810);
    case 3: return Read<double>(f, alt ? -1.2345e-300 : std::nan("7"));
    case 4: return Read<float>(f, alt ? -1.2345e-30f : std::nanf("7"));
    case 5: return Read<bool>(f, alt);
    case 6: {
        // After the last byte there is nothing left to read.
        const bool eof = f.Eof();
        const vb::FileError e = Read<std::string>(f, "\x01kept");
        if (eof) {
            FUZZ_CHECK(e == vb::FileError::InputPastEnd);
        }
        return e;
    }
    default: {
        f.Close();
        const vb::FileError e = Read<std::int32_t>(f, 7);
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
