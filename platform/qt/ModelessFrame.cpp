#include "qt/ModelessFrame.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "host/HostError.h"

namespace corvane::qt {

FrameWindow::FrameWindow(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void FrameWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

ModelessFrame::ModelessFrame(QWidget* owner) : m_window(new FrameWindow(owner)) {}

ModelessFrame::~ModelessFrame()
{
    if (!m_window) return;
    m_window->hide();
    // The form's widget belongs to its peer, not to the frame.
    if (m_content) {
        m_content->hide();
        m_content->setParent(nullptr);
    }
    // The frame may go from inside one of its form's handlers.
    m_window->deleteLater();
}

void ModelessFrame::Create(host::WindowHandle window)
{
    auto* content = reinterpret_cast<QWidget*>(window);
    if (content == nullptr || !m_window) host::raiseError(host::errors::kInvalidProcedureCall);
    m_content = content;
    content->setParent(m_window, Qt::Widget);
    m_window->layout()->addWidget(content);
    content->show();
    if (m_window->windowTitle().isEmpty()) m_window->setWindowTitle(content->windowTitle());
    QObject::connect(content, &QObject::destroyed, m_window.data(), &QWidget::hide);
}

std::string ModelessFrame::Caption() { return m_window ? m_window->windowTitle().toStdString() : std::string(); }

void ModelessFrame::Caption(const std::string& text)
{
    if (m_window) m_window->setWindowTitle(QString::fromStdString(text));
}

bool ModelessFrame::Visible()
{
    const FrameWindow* window = m_window.data();
    return window != nullptr && window->isVisible();
}

void ModelessFrame::Visible(bool visible)
{
    if (!m_window) return;
    if (visible) {
        m_window->show();
        m_window->raise();
    } else {
        m_window->hide();
    }
}

void ModelessFrame::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    if (!m_window) return;
    m_window->move(left, top);
    if (width > 0 && height > 0 && m_content) m_content->setFixedSize(width, height);
}

} // namespace corvane::qt
