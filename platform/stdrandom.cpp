#include "platform/stdrandom.h"

#include <bit>
#include <cstdint>

namespace vb {

StdRandom::StdRandom() = default;

float StdRandom::Rnd()
{
    const std::uint32_t bits = engine_() >> 8;
    return static_cast<float>(bits) * 0x1p-24f;
}

void StdRandom::Randomize(double seed)
{
    // All 64 bits of the number take part, so nearby clock readings give
    // unrelated sequences.
    const auto bits = std::bit_cast<std::uint64_t>(seed == 0.0 ? 0.0 : seed);
    std::seed_seq seq{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    engine_.seed(seq);
}

} // namespace vb
