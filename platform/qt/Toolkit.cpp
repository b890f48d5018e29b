#include "qt/Toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <cmath>

#include "qt/FormPeer.h"
#include "qt/Scale.h"
#include "ui/Form.h"

namespace corvane::qt {

namespace {

// ShellExecute's codes: above 32 is success; 31 means nothing can open it.
constexpr std::intptr_t kShellOpened = 33;
constexpr std::intptr_t kShellNoAssociation = 31;

QSize screenPixels()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

} // namespace

int screenTwipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
    if (dpi <= 0.0) return 15;
    return static_cast<int>(std::lround(1440.0 / dpi));
}

Toolkit::~Toolkit()
{
    if (m_busy) QGuiApplication::restoreOverrideCursor();
}

std::unique_ptr<ui::FormPeer> Toolkit::createPeer(ui::Form& form)
{
    return std::make_unique<FormPeer>(form, twipsPerPixelX());
}

FormPeer* Toolkit::peerOf(const ui::Form& form) { return dynamic_cast<FormPeer*>(form.peer()); }

void Toolkit::runModal(ui::Form& form)
{
    FormPeer* peer = peerOf(form);
    if (peer == nullptr) return;
    QEventLoop loop;
    peer->beginModal(&loop);
    if (onModalShown) onModalShown(form);
    // The hook, or the form itself, may already have closed it.
    if (peerOf(form) == peer && peer->modalShowing()) loop.exec(QEventLoop::DialogExec);
    if (FormPeer* still = peerOf(form); still == peer) still->endModal(&loop);
}

void Toolkit::messageBox(const std::string& prompt, const std::string& title)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(prompt),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    // An arrow over the box while busy, swapped in place: there is never
    // more than the one override to restore.
    const bool wasBusy = m_busy;
    if (wasBusy) QGuiApplication::changeOverrideCursor(Qt::ArrowCursor);
    if (onMessageBox) onMessageBox(box);
    box.exec();
    if (wasBusy && m_busy) QGuiApplication::changeOverrideCursor(Qt::WaitCursor);
}

void Toolkit::setMousePointer(ui::MousePointer pointer)
{
    const bool busy = pointer == ui::MousePointer::Hourglass;
    if (busy == m_busy) return;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    m_busy = busy;
}

ui::MousePointer Toolkit::mousePointer()
{
    return m_busy ? ui::MousePointer::Hourglass : ui::MousePointer::Default;
}

int Toolkit::screenWidthTwips() { return screenPixels().width() * twipsPerPixelX(); }

int Toolkit::screenHeightTwips() { return screenPixels().height() * twipsPerPixelY(); }

int Toolkit::twipsPerPixelX() { return screenTwipsPerPixel(); }

int Toolkit::twipsPerPixelY() { return screenTwipsPerPixel(); }

std::intptr_t Toolkit::shellExecute(ui::WindowHandle, const std::string& operation, const std::string& file,
                                    const std::string&, const std::string&, int)
{
    if (QString::fromStdString(operation).compare(QStringLiteral("open"), Qt::CaseInsensitive) != 0)
        return kShellNoAssociation;
    QUrl url(QString::fromStdString(file), QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty()) url = QUrl::fromUserInput(QString::fromStdString(file));
    if (!url.isValid()) return kShellNoAssociation;
    const bool opened = openUrl ? openUrl(url) : QDesktopServices::openUrl(url);
    return opened ? kShellOpened : kShellNoAssociation;
}

} // namespace corvane::qt
