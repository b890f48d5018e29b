#pragma once
// The dialogs' pictures and the pointing-hand cursor, from the resources of
// the module the windowing layer is linked into (the .rc file names each
// asset of assets/ in upper case with '_' for '.': "logo.png" is LOGO_PNG).
// Pictures are decoded once with the Windows imaging component and kept for
// the life of the process. UI thread only; COM must be initialised on it, as
// it is in every host that creates the command.

#include <string_view>
#include <windows.h>

namespace corvane::win32 {

struct Picture {
    HBITMAP bitmap = nullptr; // 32-bit top-down, premultiplied alpha
    int width = 0;
    int height = 0;
    explicit operator bool() const noexcept { return bitmap != nullptr; }
};

// The picture of an asset, or an empty one when the module has no such
// resource or it cannot be decoded (the control is then drawn without it).
[[nodiscard]] Picture assetPicture(std::string_view asset);

// Draws the picture at (x, y), scaled to width x height, over what is there.
void drawPicture(HDC target, const Picture& picture, int x, int y, int width, int height);

// The 32 x 32 pointing hand with its hot spot at (10, 10); the system's
// hand when the resource is missing. Never null.
[[nodiscard]] HCURSOR handCursor();

} // namespace corvane::win32
