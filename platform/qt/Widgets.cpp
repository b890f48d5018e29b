#include "qt/Widgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "qt/Assets.h"
#include "qt/QtVersions.h"

namespace corvane::qt {

void FormWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onEnter) {
        event->accept();
        onEnter();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWidget::closeEvent(QCloseEvent* event)
{
    if (onCloseRequest) {
        // The form unloads itself (or not); the window goes with its peer.
        event->ignore();
        onCloseRequest();
        return;
    }
    QWidget::closeEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(eventPoint(*event)) && onClick) onClick();
}

PictureButton::PictureButton(QWidget* parent, QPixmap face, QPixmap downFace)
    : QAbstractButton(parent), m_face(std::move(face)), m_downFace(std::move(downFace))
{
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool down = isDown();
    const QPixmap& picture = down ? m_downFace : m_face;
    if (picture.isNull())
        p.drawPixmap(rect(), drawnButtonFace(size(), down));
    else
        p.drawPixmap(rect(), picture);
    p.setPen(QColor(96, 106, 122));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(font());
    const QRect textRect = down ? rect().translated(1, 1) : rect();
    p.drawText(textRect, Qt::AlignCenter, text());
    if (hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

} // namespace corvane::qt
