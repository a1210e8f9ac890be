#pragma once
// Walking UTF-8 text one character at a time. Invalid bytes count as one
// character each, so bad text never stops a loop or is silently merged.
#include <cstddef>
#include <string>
#include <string_view>

namespace vb {

struct Utf8Char {
    char32_t code;     // kInvalidUtf8 for a byte that starts no valid sequence
    std::size_t size;  // bytes taken, at least 1
};

inline constexpr char32_t kInvalidUtf8 = 0xFFFFFFFF;

// The character starting at text[pos]; pos must be below text.size().
Utf8Char DecodeUtf8(std::string_view text, std::size_t pos);

void AppendUtf8(std::string& out, char32_t code);

} // namespace vb
