#pragma once
// The windowing layer on plain Win32 (user32, gdi32, comctl32 and the shell):
// each loaded form is a Win32FormPeer window; modal runs are message loops
// that disable the thread's other windows until the form is hidden or
// unloaded; message boxes are MessageBox with an OK button; the busy pointer
// is the system's wait cursor over every window of the layer; links go to
// ShellExecute. Built only for Windows. The command library installs its own
// when its host publishes none; a host may make its own as well.
// UI thread only.
//
//   corvane::win32::Win32Toolkit toolkit;
//   corvane::ui::setToolkit(&toolkit);
//   form->Show(corvane::ui::vbModal);   // returns when the form hides or unloads

#include "ui/Toolkit.h"

namespace corvane::win32 {

class Win32FormPeer;

class Win32Toolkit final : public ui::Toolkit {
  public:
    std::unique_ptr<ui::FormPeer> createPeer(ui::Form& form) override;
    void runModal(ui::Form& form) override;
    void messageBox(const std::string& prompt, const std::string& title) override;
    void setMousePointer(ui::MousePointer pointer) override;
    [[nodiscard]] ui::MousePointer mousePointer() override;
    [[nodiscard]] int screenWidthTwips() override;
    [[nodiscard]] int screenHeightTwips() override;
    [[nodiscard]] int twipsPerPixelX() override;
    [[nodiscard]] int twipsPerPixelY() override;
    std::intptr_t shellExecute(ui::WindowHandle window, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory, int showCommand) override;

    [[nodiscard]] bool busy() const noexcept { return m_busy; }

  private:
    bool m_busy = false;
};

} // namespace corvane::win32
