#include "platform/codepage.h"

#include "platform/utf8.h"

#include <array>

namespace vb {

namespace {

// Bytes 0x80..0x9F; everywhere else the code page agrees with Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char32_t Cp1252Char(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

int Cp1252Byte(char32_t code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<int>(code);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == code)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

std::string ToCp1252(const std::string& utf8, bool* lossy)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char c = DecodeUtf8(utf8, pos);
        pos += c.size;
        const int byte = c.code == kInvalidUtf8 ? -1 : Cp1252Byte(c.code);
        if (byte < 0) {
            out += '?';
            if (lossy)
                *lossy = true;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string FromCp1252(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        AppendUtf8(out, Cp1252Char(static_cast<unsigned char>(b)));
    return out;
}

} // namespace vb
