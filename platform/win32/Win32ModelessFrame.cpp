#include "win32/Win32ModelessFrame.h"

#include "host/HostError.h"
#include "win32/Win32Module.h"
#include "win32/Win32Text.h"

namespace corvane::win32 {

namespace {

constexpr const wchar_t* kFrameClass = L"CorvaneModelessFrame";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

void registerFrameClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = thisModule();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFrameClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

Win32ModelessFrame::Win32ModelessFrame()
{
    registerFrameClass();
    m_window = CreateWindowExW(kExStyle, kFrameClass, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr,
                               nullptr, thisModule(), nullptr);
    if (m_window == nullptr) return;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32ModelessFrame::windowProc));
}

Win32ModelessFrame::~Win32ModelessFrame()
{
    if (m_window == nullptr) return;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    // The form's window belongs to its form, not to the frame: it leaves
    // before the frame goes, or it would go with it.
    if (m_content != nullptr && IsWindow(m_content) && GetParent(m_content) == m_window) {
        ShowWindow(m_content, SW_HIDE);
        SetParent(m_content, nullptr);
    }
    DestroyWindow(m_window);
}

void Win32ModelessFrame::Create(host::WindowHandle window)
{
    const HWND content = reinterpret_cast<HWND>(window);
    if (m_window == nullptr || content == nullptr || !IsWindow(content))
        host::raiseError(host::errors::kInvalidProcedureCall);
    RECT client{};
    GetClientRect(content, &client);
    if (GetWindowTextLengthW(m_window) == 0) {
        wchar_t title[256] = {};
        GetWindowTextW(content, title, 256);
        SetWindowTextW(m_window, title);
    }
    LONG_PTR style = GetWindowLongPtrW(content, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
    style |= WS_CHILD;
    SetWindowLongPtrW(content, GWL_STYLE, style);
    LONG_PTR exStyle = GetWindowLongPtrW(content, GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
    SetWindowLongPtrW(content, GWL_EXSTYLE, exStyle);
    SetParent(content, m_window);
    m_content = content;
    SetWindowPos(content, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_FRAMECHANGED);
    fitToContent(client.right, client.bottom);
    ShowWindow(content, SW_SHOW);
}

void Win32ModelessFrame::fitToContent(int width, int height)
{
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    SetWindowPos(m_window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32ModelessFrame::Caption()
{
    if (m_window == nullptr) return {};
    wchar_t title[256] = {};
    const int length = GetWindowTextW(m_window, title, 256);
    return narrow(std::wstring_view(title, static_cast<std::size_t>(length)));
}

void Win32ModelessFrame::Caption(const std::string& text)
{
    if (m_window != nullptr) SetWindowTextW(m_window, widen(text).c_str());
}

bool Win32ModelessFrame::Visible()
{
    return m_window != nullptr && IsWindowVisible(m_window) != FALSE;
}

void Win32ModelessFrame::Visible(bool visible)
{
    if (m_window == nullptr) return;
    ShowWindow(m_window, visible ? SW_SHOW : SW_HIDE);
    if (visible) SetForegroundWindow(m_window);
}

void Win32ModelessFrame::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    if (m_window == nullptr) return;
    SetWindowPos(m_window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (width > 0 && height > 0 && m_content != nullptr) {
        SetWindowPos(m_content, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        fitToContent(width, height);
    }
}

LRESULT CALLBACK Win32ModelessFrame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* frame = reinterpret_cast<Win32ModelessFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (frame != nullptr) {
        switch (message) {
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return 0;
        case WM_PARENTNOTIFY:
            // The form was unloaded: an empty frame is not shown.
            if (LOWORD(wParam) == WM_DESTROY && reinterpret_cast<HWND>(lParam) == frame->m_content) {
                frame->m_content = nullptr;
                ShowWindow(window, SW_HIDE);
            }
            break;
        case DM_GETDEFID:
            // The dialog manager asks the frame; the form inside knows.
            return frame->m_content != nullptr ? SendMessageW(frame->m_content, message, wParam, lParam) : 0;
        case WM_COMMAND:
            // Only the dialog manager commands the frame (Enter, Escape): the
            // form's own controls talk to the form.
            if (frame->m_content != nullptr) return SendMessageW(frame->m_content, message, wParam, lParam);
            break;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace corvane::win32
