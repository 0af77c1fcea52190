// The game's value types and conversions: 32-bit packed colours with the game's own colour
// references (see SystemColors.h), and rounding that sends halves to the even
// neighbour.
#pragma once

#include <cmath>
#include <cstdint>

namespace platform {

// A colour is red + 256 * green + 65536 * blue, or 0x80000000 + n for the game's colour reference n
// (see SystemColors.h).
using PackedColor = std::uint32_t;

constexpr PackedColor PackRgb(int red, int green, int blue) {
    return static_cast<PackedColor>(red & 0xFF) | (static_cast<PackedColor>(green & 0xFF) << 8) |
           (static_cast<PackedColor>(blue & 0xFF) << 16);
}
constexpr bool IsSystemColor(PackedColor c) {
    return (c & 0x80000000u) != 0;
}
constexpr int RedOf(PackedColor c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(PackedColor c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(PackedColor c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr PackedColor kSystemWorkspace = 0x8000000Cu;   // colour reference 12
constexpr PackedColor kSystemButtonFace = 0x8000000Fu;  // colour reference 15

// Rounds to the nearest integer, a half going to the even neighbour (2.5 -> 2, 13.5 -> 14).
inline double RoundHalfEven(double v) {
    double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) {
        r = 2.0 * std::round(v / 2.0);
    }
    return r;
}

// A value converted to a 16-bit integer: rounded half to even, then kept in range.
inline std::int16_t RoundToInt16(double v) {
    double r = RoundHalfEven(v);
    if (r > 32767.0)
        r = 32767.0;
    if (r < -32768.0)
        r = -32768.0;
    return static_cast<std::int16_t>(r);
}

inline std::int32_t RoundToInt32(double v) {
    double r = RoundHalfEven(v);
    if (r > 2147483647.0)
        r = 2147483647.0;
    if (r < -2147483648.0)
        r = -2147483648.0;
    return static_cast<std::int32_t>(r);
}

}  // namespace platform
