#include "WindowsImages.h"

#include "PixelArt.h"

namespace corvane::assets {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

void putInfoHeader(std::vector<std::uint8_t>& out, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                   std::uint32_t imageSize, std::uint32_t pixelsPerMetre)
{
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);  // uncompressed
    put32(out, imageSize);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0);
    put32(out, 0);
}

constexpr std::uint32_t kPixelsPerMetreAt72Dpi = 2835;
constexpr std::uint32_t kTrailingPadding = 2;

} // namespace

std::vector<std::uint8_t> buttonBitmapFile()
{
    constexpr std::uint32_t rowBytes = kButtonSize * 3;  // already a multiple of 4
    constexpr std::uint32_t imageSize = rowBytes * kButtonSize + kTrailingPadding;
    constexpr std::uint32_t offset = 14 + 40;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    putInfoHeader(out, kButtonSize, kButtonSize, 24, imageSize, kPixelsPerMetreAt72Dpi);
    for (int y = kButtonSize - 1; y >= 0; --y) {
        for (int x = 0; x < kButtonSize; ++x) {
            const Rgb p = buttonPixel(x, y);
            out.push_back(p.blue);
            out.push_back(p.green);
            out.push_back(p.red);
        }
    }
    out.insert(out.end(), kTrailingPadding, 0);
    return out;
}

std::vector<std::uint8_t> handCursorFile()
{
    constexpr std::uint32_t maskBytes = kCursorSize * kCursorSize / 8;
    constexpr std::uint32_t resourceSize = 40 + 8 + 2 * maskBytes;
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 2);  // cursor
    put16(out, 1);
    out.push_back(kCursorSize);
    out.push_back(kCursorSize);
    out.push_back(2);  // colours
    out.push_back(0);
    put16(out, kCursorHotSpotX);
    put16(out, kCursorHotSpotY);
    put32(out, resourceSize);
    put32(out, 6 + 16);
    // Height counts the colour mask and the transparency mask together.
    putInfoHeader(out, kCursorSize, 2 * kCursorSize, 1, 2 * maskBytes, 0);
    put32(out, 0x00000000);  // palette: black
    put32(out, 0x00FFFFFF);  //          white
    auto mask = [&out](auto bitOf) {
        for (int y = kCursorSize - 1; y >= 0; --y) {
            for (int byte = 0; byte < kCursorSize / 8; ++byte) {
                std::uint8_t bits = 0;
                for (int bit = 0; bit < 8; ++bit)
                    if (bitOf(handCursorPixel(byte * 8 + bit, y))) bits = static_cast<std::uint8_t>(bits | (0x80u >> bit));
                out.push_back(bits);
            }
        }
    };
    mask([](CursorPixel p) { return p == CursorPixel::White; });
    mask([](CursorPixel p) { return p == CursorPixel::Transparent; });
    return out;
}

} // namespace corvane::assets
