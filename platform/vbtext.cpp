#include "platform/vbtext.h"

#include "platform/codepage.h"
#include "platform/utf8.h"
#include "platform/vbnum.h"

#include <charconv>
#include <cmath>
#include <string_view>
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

// A number as written in the text, ready for from_chars (which takes neither
// a sign nor the exponent letter D).
struct NumberScan {
    std::size_t end = 0;       // first byte after the number
    bool mantissaDigits = false;
    bool exponentMarkWithoutDigits = false;
    bool negative = false;
    std::string plain;         // digits, point, 'e', exponent sign and digits
    int scale = 0;             // decimal exponent of the leading digit, without the written exponent
    long long exponent = 0;    // the written exponent, saturated
};

NumberScan ScanNumber(std::string_view s, std::size_t pos)
{
    NumberScan n;
    n.end = pos;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
        n.negative = s[pos] == '-';
        ++pos;
    }
    bool leading = true;
    int integerDigits = 0;
    int zerosAfterPoint = 0;
    while (pos < s.size() && IsDigit(s[pos])) {
        n.plain += s[pos];
        n.mantissaDigits = true;
        if (!(leading && s[pos] == '0')) {
            leading = false;
            ++integerDigits;
        }
        ++pos;
    }
    if (pos < s.size() && s[pos] == '.') {
        n.plain += '.';
        ++pos;
        while (pos < s.size() && IsDigit(s[pos])) {
            n.plain += s[pos];
            n.mantissaDigits = true;
            if (leading && s[pos] == '0')
                ++zerosAfterPoint;
            else
                leading = false;
            ++pos;
        }
    }
    if (!n.mantissaDigits)
        return n;
    n.scale = integerDigits > 0 ? integerDigits - 1 : -(zerosAfterPoint + 1);
    n.end = pos;

    if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e' || s[pos] == 'D' || s[pos] == 'd')) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
            negativeExponent = s[p] == '-';
            ++p;
        }
        if (p < s.size() && IsDigit(s[p])) {
            n.plain += negativeExponent ? "e-" : "e";
            while (p < s.size() && IsDigit(s[p])) {
                n.plain += s[p];
                if (n.exponent < 1'000'000)
                    n.exponent = n.exponent * 10 + (s[p] - '0');
                ++p;
            }
            if (negativeExponent)
                n.exponent = -n.exponent;
            n.end = p;
        } else {
            n.exponentMarkWithoutDigits = true;
        }
    }
    return n;
}

// The value of a scanned number; false when it is too large for a double.
bool NumberValue(const NumberScan& n, double& value)
{
    double v = 0.0;
    const char* first = n.plain.data();
    const char* last = first + n.plain.size();
    // The scan guarantees digits, so the only refusal left is the range.
    if (std::from_chars(first, last, v, std::chars_format::general).ec == std::errc::result_out_of_range) {
        if (n.scale + n.exponent >= 0)
            return false;
        v = 0.0; // too small: underflows to zero
    }
    value = n.negative ? -v : v;
    return true;
}

std::size_t SkipBlanks(const std::string& s, std::size_t pos)
{
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos;
}

char32_t LowerCase(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 0x20;
    switch (c) {
    case 0x0160: return 0x0161; // Š
    case 0x0152: return 0x0153; // Œ
    case 0x017D: return 0x017E; // Ž
    case 0x0178: return 0x00FF; // Ÿ
    default: return c;
    }
}

template <class F>
std::string Shortest(F v, int digits)
{
    if (v == F(0))
        return "0"; // also for -0
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    std::string out(buf, ec == std::errc{} ? end : buf);
    for (char& c : out) {
        if (c == 'e')
            c = 'E';
    }
    return out;
}

} // namespace

std::string CStr(double v)
{
    return Shortest(v, 15);
}

std::string CStrSingle(float v)
{
    return Shortest(v, 7);
}

std::string Str(double v)
{
    return v < 0.0 ? CStr(v) : " " + CStr(v);
}

std::string LTrim(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string RTrim(const std::string& s)
{
    const auto last = s.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

std::string Trim(const std::string& s)
{
    return LTrim(RTrim(s));
}

std::string LCase(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t pos = 0; pos < s.size();) {
        const Utf8Char c = DecodeUtf8(s, pos);
        if (c.code == kInvalidUtf8)
            out += s[pos];
        else
            AppendUtf8(out, LowerCase(c.code));
        pos += c.size;
    }
    return out;
}

int Len(const std::string& s)
{
    int count = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += DecodeUtf8(s, pos).size)
        ++count;
    return count;
}

std::string Mid(const std::string& s, int start, int length)
{
    std::size_t pos = 0;
    for (int skip = start - 1; skip > 0 && pos < s.size(); --skip)
        pos += DecodeUtf8(s, pos).size;
    if (length < 0)
        return s.substr(pos);
    std::size_t end = pos;
    for (int take = length; take > 0 && end < s.size(); --take)
        end += DecodeUtf8(s, end).size;
    return s.substr(pos, end - pos);
}

double Val(const std::string& s)
{
    const NumberScan n = ScanNumber(s, SkipBlanks(s, 0));
    if (!n.mantissaDigits)
        return 0.0;
    double v = 0.0;
    if (!NumberValue(n, v))
        return n.negative ? -HUGE_VAL : HUGE_VAL;
    return v;
}

Conversion CDbl(const std::string& s, double& value)
{
    const NumberScan n = ScanNumber(s, SkipBlanks(s, 0));
    if (!n.mantissaDigits || n.exponentMarkWithoutDigits || SkipBlanks(s, n.end) != s.size())
        return Conversion::TypeMismatch;
    return NumberValue(n, value) ? Conversion::Ok : Conversion::Overflow;
}

std::optional<double> ToNumber(const std::string& s)
{
    double v = 0.0;
    if (CDbl(s, v) != Conversion::Ok)
        return std::nullopt;
    return v;
}

int Asc(const std::string& s)
{
    if (s.empty())
        return -1;
    const Utf8Char c = DecodeUtf8(s, 0);
    return c.code == kInvalidUtf8 ? -1 : Cp1252Byte(c.code);
}

std::string Chr(int code)
{
    std::string out;
    if (code >= 0 && code <= 255)
        AppendUtf8(out, Cp1252Char(static_cast<unsigned char>(code)));
    return out;
}

std::string FormatTime00(double seconds)
{
    const double r = RoundHalfEven(seconds);
    if (!std::isfinite(r))
        return CStr(seconds);
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::fabs(r), std::chars_format::fixed, 0);
    std::string digits(buf, ec == std::errc{} ? end : buf);
    if (digits.size() < 6)
        digits.insert(0, 6 - digits.size(), '0');
    digits.insert(digits.size() - 2, 1, ':');
    digits.insert(digits.size() - 5, 1, ':');
    return r < 0.0 ? "-" + digits : digits;
}

} // namespace vb
