#include "win32/Win32Toolkit.h"

#include "ui/Form.h"
#include "win32/Win32FormPeer.h"
#include "win32/Win32Module.h"
#include "win32/Win32Text.h"

#include <shellapi.h>
#include <vector>
#include <windows.h>

namespace corvane::win32 {

namespace {

// The thread's other visible, enabled top-level windows, which a modal form
// disables while it runs (as a modal dialog without an owner does to its
// application).
struct EnabledWindows {
    HWND modal;
    std::vector<HWND> found;
};

BOOL CALLBACK collectEnabled(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<EnabledWindows*>(data);
    if (window != search->modal && IsWindowVisible(window) && IsWindowEnabled(window)) search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> disableOthers(HWND modal)
{
    EnabledWindows search{modal, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found)
        EnableWindow(window, FALSE);
    return search.found;
}

void centreOnScreen(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HCURSOR systemCursor(int id)
{
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

} // namespace

std::unique_ptr<ui::FormPeer> Win32Toolkit::createPeer(ui::Form& form)
{
    return std::make_unique<Win32FormPeer>(form, *this);
}

void Win32Toolkit::runModal(ui::Form& form)
{
    auto* peer = dynamic_cast<Win32FormPeer*>(form.peer());
    if (peer == nullptr || peer->window() == nullptr) return;
    const std::weak_ptr<int> alive = peer->lifetime();
    const HWND window = peer->window();
    const std::vector<HWND> disabled = disableOthers(window);
    centreOnScreen(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE); first != nullptr) SetFocus(first);

    // The loop ends when the form is hidden or unloaded (its peer gone), by
    // its own buttons or by the close box.
    MSG message{};
    while (!alive.expired() && IsWindowVisible(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Quitting while a dialog is up: leave, and let the outer loop see it too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (!alive.expired() && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    for (HWND other : disabled)
        if (IsWindow(other)) EnableWindow(other, TRUE);
}

void Win32Toolkit::messageBox(const std::string& prompt, const std::string& title)
{
    HWND owner = GetActiveWindow();
    const UINT style = MB_OK | MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0u);
    MessageBoxW(owner, widen(prompt).c_str(), widen(title).c_str(), style);
}

void Win32Toolkit::setMousePointer(ui::MousePointer pointer)
{
    m_busy = pointer == ui::MousePointer::Hourglass;
    // The windows under the mouse ask again on its next move; this shows the
    // change at once.
    SetCursor(systemCursor(m_busy ? 32514 /* IDC_WAIT */ : 32512 /* IDC_ARROW */));
}

ui::MousePointer Win32Toolkit::mousePointer()
{
    return m_busy ? ui::MousePointer::Hourglass : ui::MousePointer::Default;
}

int Win32Toolkit::screenWidthTwips()
{
    return GetSystemMetrics(SM_CXSCREEN) * twipsPerPixelX();
}

int Win32Toolkit::screenHeightTwips()
{
    return GetSystemMetrics(SM_CYSCREEN) * twipsPerPixelY();
}

int Win32Toolkit::twipsPerPixelX()
{
    return screenTwipsPerPixel();
}

int Win32Toolkit::twipsPerPixelY()
{
    return screenTwipsPerPixel();
}

std::intptr_t Win32Toolkit::shellExecute(ui::WindowHandle window, const std::string& operation, const std::string& file,
                                         const std::string& parameters, const std::string& directory, int showCommand)
{
    const std::wstring op = widen(operation);
    const std::wstring target = widen(file);
    const std::wstring params = widen(parameters);
    const std::wstring folder = widen(directory);
    HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(window), op.empty() ? nullptr : op.c_str(), target.c_str(),
                                     params.empty() ? nullptr : params.c_str(),
                                     folder.empty() ? nullptr : folder.c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

} // namespace corvane::win32
