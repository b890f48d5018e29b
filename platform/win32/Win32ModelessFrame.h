#pragma once
// A host's frame window that shows one of the command's forms modelessly, as
// the native host's modeless frame does: Create takes the form's window as
// the frame's only child, the frame sizes itself around it, and its close
// box hides it. For hosts on Windows (the Windows test host); the command
// library reaches it through HostClasses as "esriFramework.ModelessFrame".
// UI thread only.
//
//   auto frame = corvane::host::makeRef<corvane::win32::Win32ModelessFrame>();
//   frame->Create(form.hWnd());
//   frame->Visible(true);

#include "host/ModelessFrame.h"

#include <windows.h>

namespace corvane::win32 {

class Win32ModelessFrame final : public host::IModelessFrame, public host::IWindowPosition {
  public:
    Win32ModelessFrame();
    ~Win32ModelessFrame() override;
    Win32ModelessFrame(const Win32ModelessFrame&) = delete;
    Win32ModelessFrame& operator=(const Win32ModelessFrame&) = delete;

    // Raises 5 (invalid procedure call) for a handle that is not a window.
    void Create(host::WindowHandle window) override;
    std::string Caption() override;
    void Caption(const std::string& text) override;
    bool Visible() override;
    void Visible(bool visible) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

    [[nodiscard]] HWND window() const noexcept { return m_window; }
    [[nodiscard]] HWND content() const noexcept { return m_content; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void fitToContent(int width, int height);

    HWND m_window = nullptr;
    HWND m_content = nullptr;
};

} // namespace corvane::win32
