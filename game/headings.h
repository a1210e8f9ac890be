#pragma once
// Headings shared by the critter, the bullet, the objects and the digger:
// 1 up, 2 down, 3 left, 4 right; anything else means no movement.
#include <cstdint>

namespace heading {

constexpr std::int16_t Reverse(std::int16_t dir) {
    switch (dir) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
    }
}

// True when other turns straight back from a real heading dir.
constexpr bool Reverses(std::int16_t dir, std::int16_t other) {
    return dir >= 1 && dir <= 4 && other == Reverse(dir);
}

constexpr std::int16_t RowStep(std::int16_t dir) { return dir == 1 ? -1 : dir == 2 ? 1 : 0; }
constexpr std::int16_t ColStep(std::int16_t dir) { return dir == 3 ? -1 : dir == 4 ? 1 : 0; }

} // namespace heading
