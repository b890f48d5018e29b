#include "win32/Win32Module.h"

namespace corvane::win32 {

namespace {
const char kAnchor = 0;
} // namespace

HINSTANCE thisModule() noexcept
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&kAnchor), &module);
    return module;
}

int screenTwipsPerPixel() noexcept
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    if (dpi <= 0) return 15;
    return (1440 + dpi / 2) / dpi;
}

} // namespace corvane::win32
