// Records written by the sequential writer and read back by the reader, with
// items of every kind drawn from the input. Checks: each item reads back as it
// was written (a number as the same text, since a number is written rounded),
// nothing is left after the last, and reading leaves the file as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <limits>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/codepage.h"
#include "platform/scripted_runtime.h"
#include "platform/seqfile.h"
#include "platform/vbtext.h"

namespace {

using Value = std::variant<std::string, std::int16_t, std::int32_t, double, float, bool>;

// A string the file can hold: code-page characters, no double quote.
std::string Text(FuzzedDataProvider& in) {
    std::string bytes = in.ConsumeRandomLengthString(64);
    for (char& c : bytes) {
        if (c == '"' || c == '\0') {
            c = '\'';
        }
    }
    return vb::FromCp1252(bytes);
}

// Any finite number but the last digit's worth below the largest: written
// with 15 (7) digits, those round up past what the type can hold.
template <class T>
T Number(FuzzedDataProvider& in) {
    T v = in.ConsumeFloatingPoint<T>();
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<T>::max() / T(1.0001)) {
        v = 0;
    }
    return v;
}

Value Draw(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
    case 0: return Text(in);
    case 1: return in.ConsumeIntegral<std::int16_t>();
    case 2: return in.ConsumeIntegral<std::int32_t>();
    case 3: return Number<double>(in);
    case 4: return Number<float>(in);
    default: return in.ConsumeBool();
    }
}

vb::SeqWriter::Item AsItem(const Value& v) {
    return std::visit([](const auto& x) { return vb::SeqWriter::Item(x); }, v);
}

// Reads one item of v's kind and checks it against v.
void ReadBack(vb::SeqReader& f, const Value& v) {
    std::visit(
        [&f](const auto& written) {
            using T = std::decay_t<decltype(written)>;
            T read{};
            FUZZ_CHECK(f.Input(read) == vb::FileError::None);
            if constexpr (std::is_same_v<T, double>) {
                FUZZ_CHECK(vb::CStr(read) == vb::CStr(written));
            } else if constexpr (std::is_same_v<T, float>) {
                FUZZ_CHECK(vb::CStrSingle(read) == vb::CStrSingle(written));
            } else {
                FUZZ_CHECK(read == written);
            }
        },
        v);
}

vb::ScriptedRuntime& Runtime() {
    static vb::ScriptedRuntime rt;
    return rt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string path = Runtime().AppFile("records.txt");
    // Records of one to three items, as the game writes them.
    std::vector<std::vector<Value>> records;
    vb::SeqWriter w(path);
    while (in.remaining_bytes() > 0 && records.size() < 64) {
        std::vector<Value>& r = records.emplace_back();
        const int count = in.ConsumeIntegralInRange(1, 3);
        for (int i = 0; i < count; ++i) {
            r.push_back(Draw(in));
        }
        if (count == 1) {
            w.Write({AsItem(r[0])});
        } else if (count == 2) {
            w.Write({AsItem(r[0]), AsItem(r[1])});
        } else {
            w.Write({AsItem(r[0]), AsItem(r[1]), AsItem(r[2])});
        }
    }
    FUZZ_CHECK(w.Close() == vb::FileError::None);
    const std::string written = ReadBytes(path);

    vb::SeqReader f;
    FUZZ_CHECK(f.Open(path) == vb::FileError::None);
    for (const auto& r : records) {
        for (const Value& v : r) {
            ReadBack(f, v);
        }
    }
    std::string rest;
    FUZZ_CHECK(f.Input(rest) == vb::FileError::InputPastEnd);
    f.Close();
    FUZZ_CHECK(ReadBytes(path) == written);
    return 0;
}
