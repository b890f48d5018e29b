#pragma once
// The Qt window of one loaded form: its widgets are laid out from the
// designer table and mirror the controls' state; the user's actions go back
// through Form::user*(). Changes made in code never echo back into the form.

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "qt/Widgets.h"
#include "ui/Form.h"
#include "ui/Toolkit.h"

class QListWidget;

namespace corvane::qt {

class FormPeer final : public ui::FormPeer {
public:
    FormPeer(ui::Form& form, int twipsPerPixel);
    ~FormPeer() override;

    ui::WindowHandle handle() override;
    void show() override;
    void hide() override;
    void listInserted(const ui::ListBox& list, int index, const std::string& text) override;
    void listCleared(const ui::ListBox& list) override;
    void listSelected(const ui::ListBox& list, int index) override;
    void textChanged(const ui::Control& control, const std::string& text) override;

    // The form's own widget (inside a host frame, or a window of its own).
    [[nodiscard]] FormWidget* window() const noexcept { return m_window.data(); }
    // The widget of a control, or null.
    [[nodiscard]] QWidget* widget(std::string_view controlName) const;

    // Modal showing: the loop ends when the form is hidden or unloaded.
    void beginModal(QEventLoop* loop);
    void endModal(const QEventLoop* loop);
    [[nodiscard]] bool modalShowing() const;

private:
    void build();
    QWidget* makeWidget(const ui::Control& control, QWidget* parent);
    void connectList(QListWidget* list, std::string_view name);
    void stylePalette(QWidget* widget, const ui::ControlSpec& spec) const;
    // Calls into the form from a widget's signal; counts the depth so that
    // unloading from inside a handler defers deleting the widgets.
    template <class F>
    void dispatch(F&& action);
    [[nodiscard]] QListWidget* listWidget(const ui::ListBox& list) const;

    ui::Form& m_form;
    int m_twipsPerPixel;
    QPointer<FormWidget> m_window;
    std::unordered_map<std::string_view, QPointer<QWidget>> m_widgets;
    std::unique_ptr<QObject> m_connections;
    QPointer<QEventLoop> m_modalLoop;
    std::string_view m_defaultButton;
    std::shared_ptr<int> m_dispatchDepth = std::make_shared<int>(0);
    bool m_updating = false;
};

} // namespace corvane::qt
