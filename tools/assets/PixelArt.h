#pragma once
// The two pictures drawn pixel by pixel, so they stay crisp at their tiny
// sizes: the pointing-hand cursor and the command's button image.

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane::assets {

struct Rgb {
    std::uint8_t red = 255, green = 255, blue = 255;
};

// 32 x 32: '.' transparent, 'X' black, 'o' white. The fingertip is at (10, 10).
inline constexpr int kCursorSize = 32;
inline constexpr int kCursorHotSpotX = 10;
inline constexpr int kCursorHotSpotY = 10;
enum class CursorPixel { Transparent, Black, White };
[[nodiscard]] CursorPixel handCursorPixel(int x, int y);

// 16 x 16 true colour on white: a magnifying glass over a parcel corner.
inline constexpr int kButtonSize = 16;
[[nodiscard]] Rgb buttonPixel(int x, int y);

} // namespace corvane::assets
