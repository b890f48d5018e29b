#pragma once
// The host's frame for a form shown modelessly: a tool window over the main
// window that holds the form's widget. Its close box only hides it, so a
// dialog keeps its lists between showings.

#include <QPointer>
#include <QWidget>

#include "host/ModelessFrame.h"

namespace corvane::qt {

class FrameWindow final : public QWidget {
public:
    explicit FrameWindow(QWidget* owner);

protected:
    void closeEvent(QCloseEvent* event) override;
};

class ModelessFrame final : public host::IModelessFrame, public host::IWindowPosition {
public:
    // owner: the window the frame stays over; may be null.
    explicit ModelessFrame(QWidget* owner);
    ~ModelessFrame() override;
    ModelessFrame(const ModelessFrame&) = delete;
    ModelessFrame& operator=(const ModelessFrame&) = delete;

    // window: a form's handle, the QWidget of its peer.
    void Create(host::WindowHandle window) override;
    std::string Caption() override;
    void Caption(const std::string& text) override;
    bool Visible() override;
    void Visible(bool visible) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

    [[nodiscard]] QWidget* window() const noexcept { return m_window.data(); }
    [[nodiscard]] QWidget* content() const noexcept { return m_content.data(); }

private:
    QPointer<FrameWindow> m_window;
    QPointer<QWidget> m_content;
};

} // namespace corvane::qt
