#include "Screenshot.h"

// clang-format off
#include <initguid.h>
#include <wincodec.h>
// clang-format on

namespace corvane::testhost {

namespace {

template <class T> struct Released {
    T* p = nullptr;
    ~Released()
    {
        if (p != nullptr) p->Release();
    }
    T** put() { return &p; }
    T* operator->() const { return p; }
};

bool writePng(HBITMAP bitmap, const std::wstring& path)
{
    Released<IWICImagingFactory> factory;
    Released<IWICBitmap> source;
    Released<IWICStream> stream;
    Released<IWICBitmapEncoder> encoder;
    Released<IWICBitmapFrameEncode> frame;
    Released<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, source.put())) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.put(), options.put())) || FAILED(frame->Initialize(options.p)))
        return false;
    UINT width = 0;
    UINT height = 0;
    source->GetSize(&width, &height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WriteSource(source.p, nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

} // namespace

bool saveScreenshot(HWND window, const std::wstring& pngPath)
{
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
    HDC source = GetWindowDC(window);
    HDC copy = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    const bool copied = BitBlt(copy, 0, 0, width, height, source, 0, 0, SRCCOPY) != FALSE;
    SelectObject(copy, old);
    DeleteDC(copy);
    ReleaseDC(window, source);
    const bool written = copied && writePng(bitmap, pngPath);
    DeleteObject(bitmap);
    return written;
}

} // namespace corvane::testhost
