#pragma once
// The runtime's number syntax, taken one character at a time so that a number
// of any length is read with a fixed amount of memory: leading blanks and tabs,
// an optional sign, digits with an optional point and fraction, an optional
// exponent (E or D, an optional sign, digits), then blanks and tabs.
#include <cstddef>
#include <string_view>

#include "platform/vbtext.h"

namespace vb {

class NumberScanner {
public:
    // Takes the next characters. The first one that cannot continue the
    // number is refused, and so is everything after it.
    void Feed(std::string_view chars);
    void Feed(char c);

    // At least one digit before any exponent (what Val needs).
    bool HasDigits() const { return mantissaDigits_; }
    bool Negative() const { return negative_; }
    // Everything fed is one number with blanks around it (what CDbl needs):
    // nothing refused, and an exponent mark has its digits.
    bool Complete() const;
    // The number made of the characters taken; an exponent mark without
    // digits is left out. Overflow when it is too large for a double, 0 when
    // too small. Ok otherwise; value is set only then.
    Conversion Value(double& value) const;

private:
    enum class State { Lead, Sign, Integer, Fraction, ExponentMark, ExponentSign, Exponent, Trail, Refused };

    State StartMantissa(char c);
    void Digit(char c, bool afterPoint);

    // More significant digits than this never change a correctly rounded
    // double (767 at most are needed); the rest only tells whether anything
    // nonzero followed.
    static constexpr std::size_t kKeptDigits = 800;
    // Counts stop growing here, beyond the length of any text that can be
    // stored, so that they and their sums stay far from overflowing.
    static constexpr long long kCountCap = 100'000'000'000'000'000LL;

    State state_ = State::Lead;
    bool negative_ = false;
    bool mantissaDigits_ = false;
    bool nonzeroSeen_ = false;
    char kept_[kKeptDigits] = {};
    std::size_t keptCount_ = 0;
    bool droppedNonzero_ = false;
    long long integerDigits_ = 0;   // after the leading zeros
    long long zerosAfterPoint_ = 0; // before the first nonzero digit
    bool negativeExponent_ = false;
    bool exponentDigits_ = false;
    long long exponent_ = 0;
};

} // namespace vb
