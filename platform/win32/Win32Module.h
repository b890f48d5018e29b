#pragma once
// The module (DLL or EXE) this code is linked into: window classes are
// registered for it and the pictures and the cursor are its resources.

#include <windows.h>

namespace corvane::win32 {

[[nodiscard]] HINSTANCE thisModule() noexcept;

// Twips (1/1440 inch) to pixels at `twipsPerPixel`, rounded to the nearest
// pixel as the designer rounds.
[[nodiscard]] constexpr int toPixels(int twips, int twipsPerPixel) noexcept
{
    if (twipsPerPixel <= 0) return twips;
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

// 1440 divided by the screen's real horizontal DPI; 15 at 96 dpi.
[[nodiscard]] int screenTwipsPerPixel() noexcept;

} // namespace corvane::win32
