#pragma once
// Windows-1252, the 8-bit code page of the files on disk. The program's own
// text is UTF-8.
#include <string>

namespace vb {

// A character the code page cannot hold (or a byte that is not valid UTF-8)
// becomes '?', and *lossy is set true; *lossy is left alone otherwise.
std::string ToCp1252(const std::string& utf8, bool* lossy = nullptr);

// Every byte has a character: the five bytes the code page leaves undefined
// become the C1 control characters of the same value.
std::string FromCp1252(const std::string& bytes);

// The code page's byte for one character, or -1 when it has none.
int Cp1252Byte(char32_t code);

// The character of one byte (0..255).
char32_t Cp1252Char(unsigned char byte);

} // namespace vb
