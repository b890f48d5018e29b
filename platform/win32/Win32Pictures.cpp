#include "win32/Win32Pictures.h"

// The imaging component's class and format identifiers are defined here, in
// the one file that uses them.
// clang-format off
#include <initguid.h>
#include <wincodec.h>
// clang-format on

#include "win32/Win32Module.h"

#include <map>
#include <string>

namespace corvane::win32 {

namespace {

std::wstring resourceName(std::string_view asset)
{
    std::wstring name;
    for (const char c : asset)
        name += c == '.' ? L'_' : static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return name;
}

template <class T> struct Released {
    T* p = nullptr;
    ~Released()
    {
        if (p != nullptr) p->Release();
    }
    T** put() { return &p; }
    T* operator->() const { return p; }
};

Picture decode(std::string_view asset)
{
    const HINSTANCE module = thisModule();
    HRSRC found = FindResourceW(module, resourceName(asset).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (found == nullptr) return {};
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    auto* bytes = static_cast<BYTE*>(LockResource(loaded));
    if (bytes == nullptr || size == 0) return {};

    Released<IWICImagingFactory> factory;
    Released<IWICStream> stream;
    Released<IWICBitmapDecoder> decoder;
    Released<IWICBitmapFrameDecode> frame;
    Released<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) || FAILED(stream->InitializeFromMemory(bytes, size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.p, converted.put())))
        return {};
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) return {};
    const UINT stride = width * 4;
    if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
        DeleteObject(bitmap);
        return {};
    }
    return Picture{bitmap, static_cast<int>(width), static_cast<int>(height)};
}

} // namespace

Picture assetPicture(std::string_view asset)
{
    if (asset.empty()) return {};
    static std::map<std::string, Picture, std::less<>> cache;
    if (const auto it = cache.find(asset); it != cache.end()) return it->second;
    const Picture picture = decode(asset);
    cache.emplace(std::string(asset), picture);
    return picture;
}

void drawPicture(HDC target, const Picture& picture, int x, int y, int width, int height)
{
    if (!picture || width <= 0 || height <= 0) return;
    HDC source = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(source, picture.bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(target, HALFTONE);
    AlphaBlend(target, x, y, width, height, source, 0, 0, picture.width, picture.height, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

HCURSOR handCursor()
{
    static const HCURSOR cursor = [] {
        auto loaded = static_cast<HCURSOR>(LoadImageW(thisModule(), L"HAND_CUR", IMAGE_CURSOR, 32, 32, 0));
        return loaded != nullptr ? loaded : LoadCursorW(nullptr, MAKEINTRESOURCEW(32649) /* IDC_HAND */);
    }();
    return cursor;
}

} // namespace corvane::win32
