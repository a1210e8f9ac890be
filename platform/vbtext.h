#pragma once
// The runtime's text functions on UTF-8 strings. Lengths and positions count
// characters, not bytes; character codes are those of Windows-1252.
#include <optional>
#include <string>

namespace vb {

// Shortest text that gives the value back to 15 significant digits, with no
// leading blank and no fraction for whole numbers: "240", "-4", "240.9",
// "0.5". Very large or small magnitudes use an exponent ("1E+15", "1E-05").
std::string CStr(double v);
// The same for a single-precision value, to 7 significant digits, so that
// 0.1f prints "0.1" and not the digits of its double widening.
std::string CStrSingle(float v);
// CStr with one blank in front of a number that is not negative: " 5", "-3".
std::string Str(double v);

// Blanks (spaces) only; tabs and line breaks stay.
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string Trim(const std::string& s);
// Lower case for ASCII and for the letters of Windows-1252 (Latin-1 letters,
// Š, Œ, Ž, Ÿ); every other character is left as it is.
std::string LCase(const std::string& s);

// Number of characters. A byte that is not valid UTF-8 counts as one.
int Len(const std::string& s);
// Characters from position start (1-based) on; length below 0 takes the rest.
// A start below 1 counts as 1; a start past the end gives "".
std::string Mid(const std::string& s, int start, int length = -1);

// The number at the start of the text: leading blanks and tabs skipped, then
// an optional sign, digits, an optional point and fraction, an optional
// exponent (E or D); 0 when there is none ("240.9abc" -> 240.9). A number
// too large for a double gives an infinity, which every integer conversion
// then refuses as an overflow.
double Val(const std::string& s);

enum class Conversion { Ok, TypeMismatch, Overflow };
// CDbl: the whole text, blanks and tabs around it allowed, must be one number
// in the form Val reads, with at least one digit before the exponent and,
// when there is an exponent, digits in it. A number too large for a double
// is an overflow. value is set only when Ok.
Conversion CDbl(const std::string& s, double& value);
// CDbl without the reason: nullopt for any refusal.
std::optional<double> ToNumber(const std::string& s);

// Windows-1252 code of the first character (0..255); -1 for an empty text or
// a character the code page does not have.
int Asc(const std::string& s);
// The character with that Windows-1252 code as UTF-8; "" for a code outside
// 0..255.
std::string Chr(int code);

// The number formatted with the digit mask "00:00:00": rounded to whole
// seconds (half to even), at least six digits zero-padded, a colon before the
// last two and the last four digits: 83 -> "00:00:83", 3725 -> "00:37:25".
// More than six digits widen the first group (1234567 -> "123:45:67"). A
// negative value gets a minus sign in front of the masked magnitude
// (-5 -> "-00:00:05"); one that rounds to 0 gives "00:00:00". A value that is
// not finite has no digits to place and prints as CStr does.
std::string FormatTime00(double seconds);

} // namespace vb
