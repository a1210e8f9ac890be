#pragma once
// The runtime's number rules: floor, banker's rounding, and the 16- and 32-bit
// integer conversions whose overflow is an error rather than a wrap-around.
#include <cstdint>
#include <optional>

namespace vb {

// Int: the largest whole number not above x (floor).
double Int(double x);

// Rounds to the nearest whole number, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Works the same whatever the FPU's mode.
double RoundHalfEven(double x);

// CInt and CLng: round half to even, then range check; nullopt is the
// overflow error (also for NaN and infinities).
std::optional<int16_t> CInt(double x);
std::optional<int32_t> CLng(double x);

// Assignment to a 16-bit field: the value is rounded half to even; when it
// does not fit, nothing is stored and false is returned (the failing statement
// is skipped, the field keeps its old value).
bool Let(int16_t& field, double value);

// Abs of any number. Abs(-32768) is 32768, which a 16-bit field cannot hold:
// store it with Let (or LetAbs), which refuses it as an overflow.
double Abs(double x);

// field = Abs(field); false, with the field unchanged, for -32768.
bool LetAbs(int16_t& field);

} // namespace vb
