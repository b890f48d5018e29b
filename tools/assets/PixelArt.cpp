#include "PixelArt.h"

#include <cstddef>

namespace corvane::assets {

namespace {

// Rows 0 to 31; shorter rows are transparent to the right.
constexpr std::array<std::string_view, kCursorSize> kHand{
    "", "", "", "", "", "", "", "", "", "",
    "..........XX",
    ".........XooX",
    ".........XooX",
    ".........XooX",
    ".........XooXX",
    ".........XooXoXX",
    ".........XooXoXoXX",
    ".........XooXoXoXoX",
    "......XX.XooooooXoX",
    "......XoXXoooooooooX",
    "......XooXoooooooooX",
    ".......XoXoooooooooX",
    ".......XooooooooooX",
    "........XoooooooooX",
    "........XooooooooX",
    ".........XoooooooX",
    ".........XoooooooX",
    "..........XooooooX",
    "..........XXXXXXXX",
    "", "", "",
};

// w white, k dark frame of the glass, g glass tint, h handle, p parcel line.
constexpr std::array<std::string_view, kButtonSize> kButton{
    "wwwwwwwwwwwwwwww",
    "wwwkkkkwwwwwwwww",
    "wwkggggkwwwwwwww",
    "wkggggggkwwwwwww",
    "wkggppppkwwwwwww",
    "wkggpgggkwwwwwww",
    "wkggpgggkwwwwwww",
    "wwkgpggkhwwwwwww",
    "wwwkkkkwhhwwwwww",
    "wwwwwwwwwhhwwwww",
    "wwwwwwwwwwhhwwww",
    "wwwwwwwwwwwhhwww",
    "wwwwwwwwwwwwhhww",
    "wwwwwwwwwwwwwhww",
    "wwwwwwwwwwwwwwww",
    "wwwwwwwwwwwwwwww",
};

char at(std::string_view row, int x)
{
    const auto index = static_cast<std::size_t>(x);
    return index < row.size() ? row[index] : '.';
}

} // namespace

CursorPixel handCursorPixel(int x, int y)
{
    switch (at(kHand[static_cast<std::size_t>(y)], x)) {
    case 'X': return CursorPixel::Black;
    case 'o': return CursorPixel::White;
    default: return CursorPixel::Transparent;
    }
}

Rgb buttonPixel(int x, int y)
{
    switch (at(kButton[static_cast<std::size_t>(y)], x)) {
    case 'k': return {32, 48, 96};
    case 'g': return {200, 224, 248};
    case 'h': return {96, 64, 32};
    case 'p': return {192, 0, 0};
    default: return {255, 255, 255};
    }
}

} // namespace corvane::assets
