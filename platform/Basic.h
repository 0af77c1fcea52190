// The game's value types and conversions: 16-bit integers,
// 32-bit colours with system colour references, and rounding that sends halves to the even
// neighbour.
#pragma once

#include <cmath>
#include <cstdint>

namespace vb {

using Integer = std::int16_t;
using Long = std::int32_t;
using Single = float;

// A colour is red + 256 * green + 65536 * blue, or 0x80000000 + n for system colour n.
using Color = std::uint32_t;

constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
           (static_cast<Color>(blue & 0xFF) << 16);
}
constexpr bool IsSystemColor(Color c) {
    return (c & 0x80000000u) != 0;
}
constexpr int RedOf(Color c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

constexpr Color kAppWorkspace = 0x8000000Cu;  // system colour 12
constexpr Color kButtonFace = 0x8000000Fu;    // system colour 15

// Rounds to the nearest integer, a half going to the even neighbour (2.5 -> 2, 13.5 -> 14).
inline double RoundHalfEven(double v) {
    double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5) {
        r = 2.0 * std::round(v / 2.0);
    }
    return r;
}

// A value converted to a 16-bit integer: rounded half to even, then kept in range.
inline Integer CInt(double v) {
    double r = RoundHalfEven(v);
    if (r > 32767.0)
        r = 32767.0;
    if (r < -32768.0)
        r = -32768.0;
    return static_cast<Integer>(r);
}

inline Long CLng(double v) {
    double r = RoundHalfEven(v);
    if (r > 2147483647.0)
        r = 2147483647.0;
    if (r < -2147483648.0)
        r = -2147483648.0;
    return static_cast<Long>(r);
}

}  // namespace vb
