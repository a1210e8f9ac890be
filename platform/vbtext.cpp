#include "platform/vbtext.h"

#include "platform/codepage.h"
#include "platform/numberscan.h"
#include "platform/utf8.h"
#include "platform/vbnum.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vb {

namespace {

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
    // Appending, not " " + text: GCC 12 at -O3 warns falsely on the latter.
    std::string out = v < 0.0 ? "" : " ";
    out += CStr(v);
    return out;
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
    NumberScanner scan;
    scan.Feed(s);
    double v = 0.0;
    if (!scan.HasDigits())
        return 0.0;
    if (scan.Value(v) == Conversion::Overflow)
        return scan.Negative() ? -HUGE_VAL : HUGE_VAL;
    return v;
}

Conversion CDbl(const std::string& s, double& value)
{
    NumberScanner scan;
    scan.Feed(s);
    if (!scan.Complete())
        return Conversion::TypeMismatch;
    return scan.Value(value);
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
