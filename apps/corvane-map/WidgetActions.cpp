#include "WidgetActions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace corvane::map {

namespace {

QWidget* formWidget(const QString& formName)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        if (top->objectName() == formName) return top;
        // A frame holds the form's widget as its one child window.
        if (auto* inside = top->findChild<QWidget*>(formName, Qt::FindDirectChildrenOnly)) return inside;
    }
    return nullptr;
}

void sendClick(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

} // namespace

QWidget* findFormWindow(const QString& formName)
{
    QWidget* form = formWidget(formName);
    return form != nullptr ? form->window() : nullptr;
}

QWidget* findControl(const QString& formName, const QString& controlName)
{
    QWidget* form = formWidget(formName);
    return form != nullptr ? form->findChild<QWidget*>(controlName) : nullptr;
}

QString typeText(const QString& formName, const QString& textBox, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(findControl(formName, textBox));
    if (edit == nullptr) return QStringLiteral("no text box %1 on a visible %2").arg(textBox, formName);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    if (!edit->text().isEmpty()) QApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
    return {};
}

QString clickControl(const QString& formName, const QString& control)
{
    QWidget* widget = findControl(formName, control);
    if (widget == nullptr) return QStringLiteral("no control %1 on a visible %2").arg(control, formName);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->click();
        return {};
    }
    if (qobject_cast<QLabel*>(widget) != nullptr) {
        sendClick(widget);
        return {};
    }
    return QStringLiteral("%1 of %2 cannot be clicked").arg(control, formName);
}

QString selectEntry(const QString& formName, const QString& list, const QString& entry)
{
    auto* widget = qobject_cast<QListWidget*>(findControl(formName, list));
    if (widget == nullptr) return QStringLiteral("no list %1 on a visible %2").arg(list, formName);
    int row = -1;
    for (int i = 0; i < widget->count() && row < 0; ++i)
        if (widget->item(i)->text() == entry) row = i;
    for (int i = 0; i < widget->count() && row < 0; ++i)
        if (widget->item(i)->text().startsWith(entry, Qt::CaseInsensitive)) row = i;
    if (row < 0) return QStringLiteral("%1 of %2 has no entry \"%3\"").arg(list, formName, entry);
    widget->setFocus(Qt::MouseFocusReason);
    widget->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    return {};
}

QString closeForm(const QString& formName)
{
    QWidget* window = findFormWindow(formName);
    if (window == nullptr) return QStringLiteral("no visible %1").arg(formName);
    window->close();
    return {};
}

QString saveScreenshot(QWidget& window, const QString& file)
{
    const QPixmap picture = window.grab();
    if (picture.isNull() || !picture.save(file, "PNG")) return QStringLiteral("could not write %1").arg(file);
    return {};
}

QString saveScreenScreenshot(const QString& file)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return QStringLiteral("no screen");
    // The screen holds what was last painted: a zoom made by the step before
    // has only scheduled its redraw. Paint now and let the window system
    // catch up, so the picture shows the state the script has reached.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) window->repaint();
    QGuiApplication::sync();
    const QPixmap picture = screen->grabWindow(0);
    if (picture.isNull() || !picture.save(file, "PNG")) return QStringLiteral("could not write %1").arg(file);
    return {};
}

} // namespace corvane::map
