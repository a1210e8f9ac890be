#pragma once
// The program's random numbers: a Mersenne Twister behind RandomSource.
#include "platform/runtime.h"

#include <random>

namespace vb {

class StdRandom : public RandomSource {
public:
    // Until Randomize the sequence is the same on every run.
    StdRandom();

    // 24 random bits scaled by 2^-24: every value is exact in a float, so the
    // largest is 1 - 2^-24 and 1.0 never appears.
    float Rnd() override;
    // The same seed always gives the same sequence; -0 counts as 0.
    void Randomize(double seed) override;

private:
    std::mt19937 engine_;
};

} // namespace vb
