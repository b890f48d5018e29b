#pragma once
// Small widgets the form peers are built from. They report through plain
// callbacks, so no meta-object code is needed.

#include <QAbstractButton>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace corvane::qt {

// The window of a form. Enter presses the default button; the close box asks
// the form (which decides whether to unload) instead of closing at once.
class FormWidget final : public QWidget {
public:
    explicit FormWidget(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void()> onEnter;
    std::function<void()> onCloseRequest;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

// Labels and images that can be clicked (links, the logo).
class ClickLabel final : public QLabel {
public:
    explicit ClickLabel(QWidget* parent) : QLabel(parent) {}

    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A graphical button: one face picture, another while pressed, the caption
// drawn over it.
class PictureButton final : public QAbstractButton {
public:
    PictureButton(QWidget* parent, QPixmap face, QPixmap downFace);

    [[nodiscard]] QSize sizeHint() const override { return {75, 23}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_face;
    QPixmap m_downFace;
};

} // namespace corvane::qt
