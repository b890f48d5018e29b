#pragma once
// One loaded form as a Win32 window: a top-level dialog-like window laid out
// from the form's twip table at the screen's real DPI. Lists, text boxes and
// picture buttons are child windows (LISTBOX, EDIT, owner-drawn BUTTON);
// frames, labels and images are drawn by the form window itself and hit-tested
// there, as the designer's lightweight controls are. What the user does goes
// back to the form through Form::user*(). Created by Win32Toolkit; UI thread
// only. The window may be unloaded from inside one of its own events: it is
// then hidden at once and destroyed when that event has returned.

#include "ui/Form.h"
#include "ui/Toolkit.h"
#include "win32/Win32Pictures.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace corvane::win32 {

class Win32Toolkit;

class Win32FormPeer final : public ui::FormPeer {
  public:
    Win32FormPeer(ui::Form& form, Win32Toolkit& toolkit);
    ~Win32FormPeer() override;

    ui::WindowHandle handle() override;
    void show() override;
    void hide() override;
    void listInserted(const ui::ListBox& list, int index, const std::string& text) override;
    void listCleared(const ui::ListBox& list) override;
    void listSelected(const ui::ListBox& list, int index) override;
    void textChanged(const ui::Control& control, const std::string& text) override;

    [[nodiscard]] HWND window() const noexcept { return m_window; }
    [[nodiscard]] bool visible() const noexcept { return m_window != nullptr && IsWindowVisible(m_window) != FALSE; }
    // Expires when the peer goes: a modal run holds it to know when to stop.
    [[nodiscard]] std::weak_ptr<int> lifetime() const noexcept { return m_dispatchDepth; }

  private:
    struct Item {
        const ui::Control* control = nullptr;
        RECT rect{}; // pixels, in the form's client area
        HWND child = nullptr;
        HFONT font = nullptr;
        HBRUSH brush = nullptr; // its background, when it has its own colour
        Picture face;
        Picture downFace;
        std::string text; // caption of a drawn control or button
        int id = 0;
    };

    // Posted to a window whose peer has gone while one of its events ran.
    static constexpr UINT kDestroyLater = WM_APP + 1;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void build();
    void createChild(Item& item, const ui::ControlSpec& spec);
    void addTooltip(const Item& item);
    void paint(HDC dc);
    void drawItem(HDC dc, const Item& item) const;
    void drawButton(const DRAWITEMSTRUCT& draw) const;
    LRESULT colourFor(HDC dc, HWND child);
    bool setCursorFor(HWND under);
    void command(int id, int code);
    void clickAt(POINT point);
    [[nodiscard]] Item* itemById(int id);
    [[nodiscard]] Item* itemByChild(HWND child);
    [[nodiscard]] Item* itemOf(const ui::Control& control);
    [[nodiscard]] const Item* drawnItemAt(POINT point) const;
    template <class F> void dispatch(F&& action);

    ui::Form& m_form;
    Win32Toolkit& m_toolkit;
    int m_twipsPerPixel;
    HWND m_window = nullptr;
    HWND m_tooltip = nullptr;
    HBRUSH m_backBrush = nullptr;
    Picture m_picture;
    std::vector<Item> m_items;
    int m_defaultId = 0;
    bool m_updating = false;
    std::shared_ptr<int> m_dispatchDepth = std::make_shared<int>(0);
};

} // namespace corvane::win32
