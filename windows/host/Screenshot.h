#pragma once
// Saves what a top-level window shows, frame and children included, as a PNG
// file (encoded by the Windows imaging component). Reads the window's own
// surface, so a window lying over it does not spoil the picture. COM must be
// initialised on the calling thread.

#include <string>
#include <windows.h>

namespace corvane::testhost {

// False when the window could not be read or the file not written.
bool saveScreenshot(HWND window, const std::wstring& pngPath);

} // namespace corvane::testhost
