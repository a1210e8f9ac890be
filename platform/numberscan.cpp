#include "platform/numberscan.h"

#include <charconv>
#include <string>
#include <system_error>

namespace vb {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsExponentMark(char c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

} // namespace

void NumberScanner::Feed(std::string_view chars)
{
    for (const char c : chars) {
        if (state_ == State::Refused)
            return;
        Feed(c);
    }
}

void NumberScanner::Digit(char c, bool afterPoint)
{
    mantissaDigits_ = true;
    if (!nonzeroSeen_ && c == '0') {
        if (afterPoint && zerosAfterPoint_ < kCountCap)
            ++zerosAfterPoint_;
        return;
    }
    nonzeroSeen_ = true;
    if (!afterPoint && integerDigits_ < kCountCap)
        ++integerDigits_;
    if (keptCount_ < kKeptDigits)
        kept_[keptCount_++] = c;
    else if (c != '0')
        droppedNonzero_ = true;
}

NumberScanner::State NumberScanner::StartMantissa(char c)
{
    if (IsDigit(c)) {
        Digit(c, false);
        return State::Integer;
    }
    return c == '.' ? State::Fraction : State::Refused;
}

void NumberScanner::Feed(char c)
{
    State next = State::Refused;
    switch (state_) {
    case State::Lead:
        if (IsBlank(c)) {
            next = State::Lead;
        } else if (c == '+' || c == '-') {
            negative_ = c == '-';
            next = State::Sign;
        } else {
            next = StartMantissa(c);
        }
        break;
    case State::Sign:
        next = StartMantissa(c);
        break;
    case State::Integer:
    case State::Fraction:
        if (IsDigit(c)) {
            Digit(c, state_ == State::Fraction);
            next = state_;
        } else if (c == '.' && state_ == State::Integer) {
            next = State::Fraction;
        } else if (IsExponentMark(c) && mantissaDigits_) {
            next = State::ExponentMark;
        } else if (IsBlank(c) && mantissaDigits_) {
            next = State::Trail;
        }
        break;
    case State::ExponentMark:
        if (c == '+' || c == '-') {
            negativeExponent_ = c == '-';
            next = State::ExponentSign;
            break;
        }
        [[fallthrough]];
    case State::ExponentSign:
    case State::Exponent:
        if (IsDigit(c)) {
            exponentDigits_ = true;
            if (exponent_ < kCountCap)
                exponent_ = exponent_ * 10 + (c - '0');
            next = State::Exponent;
        } else if (IsBlank(c) && state_ == State::Exponent) {
            next = State::Trail;
        }
        break;
    case State::Trail:
        if (IsBlank(c))
            next = State::Trail;
        break;
    case State::Refused:
        break;
    }
    state_ = next;
}

bool NumberScanner::Complete() const
{
    return mantissaDigits_ && (state_ == State::Integer || state_ == State::Fraction ||
                               state_ == State::Exponent || state_ == State::Trail);
}

Conversion NumberScanner::Value(double& value) const
{
    if (!mantissaDigits_)
        return Conversion::TypeMismatch;
    if (!nonzeroSeen_) {
        value = negative_ ? -0.0 : 0.0;
        return Conversion::Ok;
    }
    // Decimal exponent of the leading digit: the value lies in [10^e, 10^(e+1)).
    long long e = integerDigits_ > 0 ? integerDigits_ - 1 : -(zerosAfterPoint_ + 1);
    if (exponentDigits_)
        e += negativeExponent_ ? -exponent_ : exponent_;
    if (e > 400)
        return Conversion::Overflow;
    double v = 0.0;
    if (e >= -400) {
        // The kept digits as a whole number, one more digit standing for the
        // nonzero ones dropped, so rounding comes out as for the full text.
        std::string text(kept_, keptCount_);
        if (droppedNonzero_)
            text += '1';
        text += 'e' + std::to_string(e - static_cast<long long>(text.size() - 1));
        const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
        if (result.ec == std::errc::result_out_of_range) {
            if (e >= 0)
                return Conversion::Overflow;
            v = 0.0; // too small: underflows to zero
        }
    }
    value = negative_ ? -v : v;
    return Conversion::Ok;
}

} // namespace vb
