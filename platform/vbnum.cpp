#include "platform/vbnum.h"

#include <cmath>

namespace vb {

double Int(double x)
{
    return std::floor(x);
}

double RoundHalfEven(double x)
{
    // x - trunc(x) is exact, so a true half is recognised without error.
    if (std::fabs(x - std::trunc(x)) != 0.5)
        return std::round(x);
    return 2.0 * std::round(x / 2.0);
}

std::optional<int16_t> CInt(double x)
{
    const double r = RoundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0))
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> CLng(double x)
{
    const double r = RoundHalfEven(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        return std::nullopt;
    return static_cast<int32_t>(r);
}

bool Let(int16_t& field, double value)
{
    const auto v = CInt(value);
    if (!v)
        return false;
    field = *v;
    return true;
}

double Abs(double x)
{
    return std::fabs(x);
}

bool LetAbs(int16_t& field)
{
    return Let(field, Abs(field));
}

} // namespace vb
