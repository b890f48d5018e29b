#pragma once
// The two Windows file formats the assets need, written byte by byte: the
// button bitmap (BMP) and the cursor (CUR).

#include <cstdint>
#include <vector>

namespace corvane::assets {

// 16 x 16, 24 bits, uncompressed, 72 dpi: 54 header bytes, 768 pixel bytes
// and the two bytes of padding that bitmap editors leave at the end of the
// pixel array, 824 bytes in all.
[[nodiscard]] std::vector<std::uint8_t> buttonBitmapFile();

// 32 x 32 monochrome cursor with its hot spot, 326 bytes.
[[nodiscard]] std::vector<std::uint8_t> handCursorFile();

} // namespace corvane::assets
