// How a Win32 form answers its window messages: the user's clicks, picks,
// typing and Enter go to the form's model; the pointer and the controls'
// colours are chosen here.
#include "win32/Win32FormPeer.h"
#include "win32/Win32Pictures.h"
#include "win32/Win32Text.h"
#include "win32/Win32Toolkit.h"

#include <windows.h>

namespace corvane::win32 {

namespace {

COLORREF toColorRef(const ui::Color& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace

Win32FormPeer::Item* Win32FormPeer::itemById(int id)
{
    for (Item& item : m_items)
        if (item.id == id) return &item;
    return nullptr;
}

Win32FormPeer::Item* Win32FormPeer::itemByChild(HWND child)
{
    for (Item& item : m_items)
        if (item.child != nullptr && item.child == child) return &item;
    return nullptr;
}

Win32FormPeer::Item* Win32FormPeer::itemOf(const ui::Control& control)
{
    for (Item& item : m_items)
        if (item.control == &control) return &item;
    return nullptr;
}

const Win32FormPeer::Item* Win32FormPeer::drawnItemAt(POINT point) const
{
    // Topmost first: labels and images lie over the frames that hold them.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (it->child == nullptr && it->control->spec().kind != ui::ControlKind::Frame && PtInRect(&it->rect, point))
            return &*it;
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it)
        if (it->child == nullptr && PtInRect(&it->rect, point)) return &*it;
    return nullptr;
}

template <class F> void Win32FormPeer::dispatch(F&& action)
{
    // The peer may be gone when the action returns; only the counter is touched.
    const std::shared_ptr<int> depth = m_dispatchDepth;
    ++*depth;
    action();
    --*depth;
}

void Win32FormPeer::command(int id, int code)
{
    if (m_updating) return;
    // Enter, through the dialog manager: the default button, if the form has one.
    if (id == IDOK) {
        if (m_defaultId == 0) return;
        id = m_defaultId;
        code = BN_CLICKED;
    }
    Item* item = itemById(id);
    if (item == nullptr) return;
    ui::Form* form = &m_form;
    const std::string_view name = item->control->name();
    switch (item->control->spec().kind) {
    case ui::ControlKind::ListBox:
        if (code == LBN_SELCHANGE) {
            const int index = static_cast<int>(SendMessageW(item->child, LB_GETCURSEL, 0, 0));
            if (index >= 0) dispatch([form, name, index] { form->userSelect(name, index); });
        }
        break;
    case ui::ControlKind::TextBox:
        if (code == EN_CHANGE) {
            const int length = GetWindowTextLengthW(item->child);
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            GetWindowTextW(item->child, text.data(), length + 1);
            text.resize(static_cast<std::size_t>(length));
            dispatch([form, name, value = narrow(text)] { form->userType(name, value); });
        }
        break;
    case ui::ControlKind::CommandButton:
        if (code == BN_CLICKED) dispatch([form, name] { form->userClick(name); });
        break;
    default:
        break;
    }
}

void Win32FormPeer::clickAt(POINT point)
{
    const Item* item = drawnItemAt(point);
    if (item == nullptr) return;
    ui::Form* form = &m_form;
    const std::string_view name = item->control->name();
    dispatch([form, name] { form->userClick(name); });
}

bool Win32FormPeer::setCursorFor(HWND under)
{
    if (m_toolkit.busy()) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514) /* IDC_WAIT */));
        return true;
    }
    const Item* item = nullptr;
    if (under == m_window) {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(m_window, &point);
        item = drawnItemAt(point);
    } else {
        item = itemByChild(under);
    }
    if (item == nullptr) return false;
    switch (item->control->spec().cursor) {
    case ui::Cursor::PointingHand:
        SetCursor(handCursor());
        return true;
    case ui::Cursor::TextEntry:
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32513) /* IDC_IBEAM */));
        return true;
    case ui::Cursor::Default:
        break;
    }
    return false;
}

LRESULT Win32FormPeer::colourFor(HDC dc, HWND child)
{
    const Item* item = itemByChild(child);
    if (item == nullptr) return reinterpret_cast<LRESULT>(m_backBrush);
    const ui::ControlSpec& spec = item->control->spec();
    SetTextColor(dc, spec.foreColor ? toColorRef(*spec.foreColor) : RGB(0, 0, 0));
    if (item->brush != nullptr) {
        SetBkColor(dc, toColorRef(*spec.backColor));
        return reinterpret_cast<LRESULT>(item->brush);
    }
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT CALLBACK Win32FormPeer::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* peer = reinterpret_cast<Win32FormPeer*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (peer == nullptr) {
        if (message == kDestroyLater) {
            DestroyWindow(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return peer->onMessage(message, wParam, lParam);
}

LRESULT Win32FormPeer::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_window, &ps);
        paint(dc);
        EndPaint(m_window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
        return colourFor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (setCursorFor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_LBUTTONUP:
        clickAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case DM_GETDEFID:
        return m_defaultId != 0 ? MAKELRESULT(m_defaultId, DC_HASDEFID) : 0;
    case WM_CLOSE: {
        ui::Form* form = &m_form;
        dispatch([form] { form->userClose(); });
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

} // namespace corvane::win32
