#include "WindowFinder.h"

#include <algorithm>

namespace corvane::testhost {

namespace {

struct Search {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (IsWindowVisible(window) && classOf(window) == search->className) search->found.push_back(window);
    return TRUE;
}

} // namespace

std::wstring classOf(HWND window)
{
    wchar_t name[128] = {};
    const int length = GetClassNameW(window, name, 128);
    return std::wstring(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::wstring textOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<HWND> topLevelWindows(const wchar_t* className, const std::wstring& caption)
{
    Search search{className, {}};
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&search));
    if (caption.empty()) return search.found;
    std::vector<HWND> matching;
    for (HWND window : search.found)
        if (textOf(window) == caption) matching.push_back(window);
    return matching;
}

HWND formIn(HWND frame)
{
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (classOf(child) == L"CorvaneForm") return child;
    return nullptr;
}

HWND frameHolding(const std::wstring& formCaption)
{
    for (HWND frame : topLevelWindows(L"CorvaneModelessFrame")) {
        HWND form = formIn(frame);
        if (form != nullptr && textOf(form) == formCaption) return frame;
    }
    return nullptr;
}

std::vector<HWND> childrenOf(HWND parent, const wchar_t* className)
{
    Search search{className, {}};
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&search));
    std::sort(search.found.begin(), search.found.end(), [](HWND a, HWND b) {
        RECT ra{};
        RECT rb{};
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left != rb.left ? ra.left < rb.left : ra.top < rb.top;
    });
    return search.found;
}

HWND buttonCaptioned(HWND parent, const std::wstring& caption)
{
    for (HWND button : childrenOf(parent, L"Button"))
        if (textOf(button) == caption) return button;
    return nullptr;
}

std::wstring messageBoxText(HWND box)
{
    std::wstring prompt;
    for (HWND label : childrenOf(box, L"Static")) {
        std::wstring text = textOf(label);
        if (text.size() > prompt.size()) prompt = std::move(text);
    }
    return prompt;
}

bool pickListEntry(HWND list, const std::wstring& text)
{
    const LRESULT index =
        SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (index == LB_ERR) return false;
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const int id = GetDlgCtrlID(list);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

std::wstring selectedEntry(HWND list)
{
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return {};
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int entryCount(HWND list)
{
    return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
}

} // namespace corvane::testhost
