#pragma once
// The windowing layer on Qt 6 Widgets. Needs a QApplication; everything runs
// on its thread. Hooks let a host (the automation mode) or a test see each
// message box, modal showing and shell request as it happens.

#include <QString>
#include <functional>

#include "ui/Toolkit.h"

class QMessageBox;
class QUrl;

namespace corvane::qt {

class FormPeer;

class Toolkit final : public ui::Toolkit {
public:
    Toolkit() = default;
    ~Toolkit() override;

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
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override;

    // Called with each box just before it runs; the observer may close it
    // (for example by queueing accept()).
    std::function<void(QMessageBox&)> onMessageBox;
    // Called with each modal form once shown, before its loop runs.
    std::function<void(ui::Form&)> onModalShown;
    // Opens an address; the default is the desktop's. Returns success.
    std::function<bool(const QUrl&)> openUrl;

    // The peer of a loaded form, or null.
    [[nodiscard]] static FormPeer* peerOf(const ui::Form& form);

private:
    bool m_busy = false;
};

} // namespace corvane::qt
