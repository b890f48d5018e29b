#pragma once
// What a person does to the system's dialogs, done to their Qt widgets: the
// same signals fire as for real mouse and keyboard input. Used by the
// automation mode and the end-to-end tests. Each returns an empty string on
// success, or what went wrong.

#include <QString>

class QWidget;

namespace corvane::map {

// The visible window of a form (its own, or the host frame that holds it).
[[nodiscard]] QWidget* findFormWindow(const QString& formName);
// A control of a visible form, or null.
[[nodiscard]] QWidget* findControl(const QString& formName, const QString& controlName);

QString typeText(const QString& formName, const QString& textBox, const QString& text);
QString clickControl(const QString& formName, const QString& control);
// Selects the entry with that text, or else the first that starts with it
// (ignoring case), as a mouse click on it would.
QString selectEntry(const QString& formName, const QString& list, const QString& entry);
// The window's close box.
QString closeForm(const QString& formName);
QString saveScreenshot(QWidget& window, const QString& file);
// The primary screen as the window system shows it (needs a real display
// server such as Xvfb; the offscreen platform draws no windows on it).
QString saveScreenScreenshot(const QString& file);

} // namespace corvane::map
