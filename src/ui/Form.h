#pragma once
// A form of the system: built from its designer table, loaded on first
// need, shown modelessly (through a host frame) or modally. Forms are owned
// by shared_ptr; every event keeps its form alive until the handler returns,
// so a handler may unload or replace its own form safely.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"
#include "ui/Layout.h"
#include "ui/Toolkit.h"

namespace corvane::ui {

inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

class Form : public std::enable_shared_from_this<Form> {
public:
    explicit Form(const FormSpec& spec);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    [[nodiscard]] const FormSpec& spec() const noexcept { return m_spec; }
    [[nodiscard]] std::string_view name() const noexcept { return m_spec.name; }

    // Creates the window and runs Form_Load once; nothing if already loaded.
    void Load();
    // Destroys the window; the controls go back to their designer state.
    // A form with a default instance overrides it to release that instance.
    virtual void Unload();
    // Loads if needed. Modal: returns when the form is hidden or unloaded.
    void Show(int modal = vbModeless);
    void Hide();
    [[nodiscard]] bool Loaded() const noexcept { return m_peer != nullptr; }
    [[nodiscard]] bool Visible() const noexcept { return m_visible; }
    // The window handle; reading it loads the form.
    WindowHandle hWnd();
    // Design size in twips.
    [[nodiscard]] int Width() const noexcept { return m_spec.clientWidth; }
    [[nodiscard]] int Height() const noexcept { return m_spec.clientHeight; }

    [[nodiscard]] Control& control(std::string_view name) const;
    [[nodiscard]] ListBox& listBox(std::string_view name) const;
    [[nodiscard]] TextBox& textBox(std::string_view name) const;
    [[nodiscard]] CaptionedControl& captioned(std::string_view name) const;
    [[nodiscard]] const std::vector<std::unique_ptr<Control>>& controls() const noexcept { return m_controls; }

    // What the user does, reported by the toolkit's peer or a scripted test
    // user. Virtual so that a form built inside a loaded command library
    // handles its events with that library's own runtime, not the host's copy.
    virtual void userClick(std::string_view controlName);
    virtual void userSelect(std::string_view listName, int index);
    virtual void userType(std::string_view textBoxName, const std::string& text);
    // The window's close box. Unloads, unless the form says otherwise.
    virtual void userClose();

    [[nodiscard]] FormPeer* peer() const noexcept { return m_peer.get(); }

    // Runs one event handler: keeps the form alive meanwhile and stops every
    // exception, handing it to the unhandled-error handler.
    void raiseEvent(const std::function<void()>& handler);

protected:
    virtual void Form_Load() {}

private:
    template <class T>
    T& typed(std::string_view name) const;

    const FormSpec& m_spec;
    std::vector<std::unique_ptr<Control>> m_controls;
    std::unique_ptr<FormPeer> m_peer;
    bool m_visible = false;
    bool m_loading = false;
};

// Receives an exception that escaped an event handler. The system installs
// one that reports it; without one the error is dropped. It must not throw.
using UnhandledErrorHandler = std::function<void(const Form&, std::exception_ptr)>;
void setUnhandledErrorHandler(UnhandledErrorHandler handler);

} // namespace corvane::ui
