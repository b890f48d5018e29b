#include "win32/Win32FormPeer.h"

#include "win32/Win32Fonts.h"
#include "win32/Win32Module.h"
#include "win32/Win32Text.h"
#include "win32/Win32Toolkit.h"

#include <algorithm>
#include <commctrl.h>

namespace corvane::win32 {

namespace {

constexpr const wchar_t* kFormClass = L"CorvaneForm";
constexpr int kFirstControlId = 1000;

COLORREF toColorRef(const ui::Color& colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

void registerFormClass()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = DefWindowProcW; // each window installs the peer's procedure
        wc.hInstance = thisModule();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
        wc.lpszClassName = kFormClass;
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

bool isDrawn(ui::ControlKind kind)
{
    return kind == ui::ControlKind::Frame || kind == ui::ControlKind::Label || kind == ui::ControlKind::Image;
}

// The control's place in the form's client area: its own table position
// plus that of each container around it.
RECT placeOf(const ui::Form& form, const ui::ControlSpec& spec, int twipsPerPixel)
{
    int left = spec.left;
    int top = spec.top;
    std::string_view container = spec.container;
    for (int depth = 0; !container.empty() && depth < 8; ++depth) {
        const ui::ControlSpec* outer = nullptr;
        for (const auto& c : form.controls())
            if (c->name() == container) outer = &c->spec();
        if (outer == nullptr) break;
        left += outer->left;
        top += outer->top;
        container = outer->container;
    }
    const int x = toPixels(left, twipsPerPixel);
    const int y = toPixels(top, twipsPerPixel);
    return RECT{x, y, x + toPixels(spec.width, twipsPerPixel), y + toPixels(spec.height, twipsPerPixel)};
}

} // namespace

Win32FormPeer::Win32FormPeer(ui::Form& form, Win32Toolkit& toolkit)
    : m_form(form), m_toolkit(toolkit), m_twipsPerPixel(toolkit.twipsPerPixelX())
{
    build();
}

Win32FormPeer::~Win32FormPeer()
{
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        // Unloaded from one of its own events: the control that raised it is
        // still on the stack, so the window goes once that has returned.
        if (*m_dispatchDepth > 0) {
            ShowWindow(m_window, SW_HIDE);
            PostMessageW(m_window, kDestroyLater, 0, 0);
        } else {
            DestroyWindow(m_window);
        }
    }
    for (const Item& item : m_items)
        if (item.brush != nullptr) DeleteObject(item.brush);
    if (m_backBrush != nullptr) DeleteObject(m_backBrush);
}

void Win32FormPeer::build()
{
    registerFormClass();
    const ui::FormSpec& spec = m_form.spec();
    m_backBrush = CreateSolidBrush(toColorRef(spec.backColor));
    m_picture = assetPicture(spec.picture);

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, toPixels(spec.clientWidth, m_twipsPerPixel), toPixels(spec.clientHeight, m_twipsPerPixel)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    m_window =
        CreateWindowExW(exStyle, kFormClass, widen(spec.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, thisModule(), nullptr);
    if (m_window == nullptr) return;
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32FormPeer::windowProc));
    m_tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_window, nullptr, thisModule(), nullptr);
    if (m_tooltip != nullptr) SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 400);

    m_items.reserve(m_form.controls().size());
    int id = kFirstControlId;
    for (const auto& c : m_form.controls()) {
        Item item;
        item.control = c.get();
        item.rect = placeOf(m_form, c->spec(), m_twipsPerPixel);
        item.font = fontFor(c->spec().font);
        if (c->spec().backColor) item.brush = CreateSolidBrush(toColorRef(*c->spec().backColor));
        item.text = std::string(c->spec().caption);
        item.id = id++;
        if (c->spec().kind == ui::ControlKind::CommandButton) {
            item.face = assetPicture(c->spec().picture);
            item.downFace = assetPicture(c->spec().downPicture);
        }
        if (c->spec().isDefault) m_defaultId = item.id;
        m_items.push_back(std::move(item));
    }
    // Child windows in tab order: the dialog manager tabs in creation order.
    std::vector<Item*> windowed;
    for (Item& item : m_items)
        if (!isDrawn(item.control->spec().kind)) windowed.push_back(&item);
    std::stable_sort(windowed.begin(), windowed.end(), [](const Item* a, const Item* b) {
        const int ta = a->control->spec().tabIndex;
        const int tb = b->control->spec().tabIndex;
        return (ta < 0 ? 1 << 30 : ta) < (tb < 0 ? 1 << 30 : tb);
    });
    for (Item* item : windowed)
        createChild(*item, item->control->spec());
    for (const Item& item : m_items)
        addTooltip(item);
}

void Win32FormPeer::createChild(Item& item, const ui::ControlSpec& spec)
{
    const wchar_t* className = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    if (spec.tabIndex >= 0) style |= WS_TABSTOP;
    switch (spec.kind) {
    case ui::ControlKind::ListBox:
        className = L"LISTBOX";
        style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
        break;
    case ui::ControlKind::TextBox:
        className = L"EDIT";
        style |= ES_AUTOHSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    default:
        style |= BS_OWNERDRAW;
        break;
    }
    const RECT& r = item.rect;
    item.child = CreateWindowExW(exStyle, className, widen(item.text).c_str(), style, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)),
                                 thisModule(), nullptr);
    if (item.child != nullptr) SendMessageW(item.child, WM_SETFONT, reinterpret_cast<WPARAM>(item.font), FALSE);
}

void Win32FormPeer::addTooltip(const Item& item)
{
    const ui::ControlSpec& spec = item.control->spec();
    if (m_tooltip == nullptr || spec.tooltip.empty()) return;
    std::wstring text = widen(spec.tooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_window;
    tool.lpszText = text.data();
    if (item.child != nullptr) {
        tool.uFlags |= TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(item.child);
    } else {
        tool.uId = static_cast<UINT_PTR>(item.id);
        tool.rect = item.rect;
    }
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

ui::WindowHandle Win32FormPeer::handle()
{
    return reinterpret_cast<ui::WindowHandle>(m_window);
}

void Win32FormPeer::show()
{
    if (m_window == nullptr) return;
    ShowWindow(m_window, SW_SHOW);
    if ((GetWindowLongPtrW(m_window, GWL_STYLE) & WS_CHILD) == 0) SetForegroundWindow(m_window);
}

void Win32FormPeer::hide()
{
    if (m_window != nullptr) ShowWindow(m_window, SW_HIDE);
}

void Win32FormPeer::listInserted(const ui::ListBox& list, int index, const std::string& text)
{
    Item* item = itemOf(list);
    if (item == nullptr || item->child == nullptr) return;
    m_updating = true;
    SendMessageW(item->child, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(widen(text).c_str()));
    m_updating = false;
}

void Win32FormPeer::listCleared(const ui::ListBox& list)
{
    Item* item = itemOf(list);
    if (item == nullptr || item->child == nullptr) return;
    m_updating = true;
    SendMessageW(item->child, LB_RESETCONTENT, 0, 0);
    m_updating = false;
}

void Win32FormPeer::listSelected(const ui::ListBox& list, int index)
{
    Item* item = itemOf(list);
    if (item == nullptr || item->child == nullptr) return;
    m_updating = true;
    // LB_SETCURSEL scrolls the entry into view and, unlike a user's pick,
    // sends no notification: the form raised its click itself.
    SendMessageW(item->child, LB_SETCURSEL, static_cast<WPARAM>(index < 0 ? -1 : index), 0);
    m_updating = false;
}

void Win32FormPeer::textChanged(const ui::Control& control, const std::string& text)
{
    Item* item = itemOf(control);
    if (item == nullptr) return;
    item->text = text;
    m_updating = true;
    if (item->child != nullptr)
        SetWindowTextW(item->child, widen(text).c_str());
    else if (m_window != nullptr)
        InvalidateRect(m_window, &item->rect, TRUE);
    m_updating = false;
}

} // namespace corvane::win32
