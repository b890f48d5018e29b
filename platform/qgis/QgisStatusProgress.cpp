#include "qgis/QgisStatusProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <limits>

#include <qgsstatusbar.h>

namespace corvane::qgis {

QgisProgressor::QgisProgressor(QgsStatusBar* statusBar) : m_statusBar(statusBar)
{
    if (statusBar == nullptr) return;
    auto* message = new QLabel(statusBar);
    message->setObjectName(QStringLiteral("CorvaneProgressMessage"));
    message->setVisible(false);
    auto* bar = new QProgressBar(statusBar);
    bar->setObjectName(QStringLiteral("CorvaneProgressBar"));
    bar->setRange(0, 100);
    bar->setMaximumWidth(200);
    bar->setVisible(false);
    statusBar->addPermanentWidget(message, 0, QgsStatusBar::AnchorLeft);
    statusBar->addPermanentWidget(bar, 0, QgsStatusBar::AnchorLeft);
    m_message = message;
    m_bar = bar;
}

QgisProgressor::~QgisProgressor()
{
    // The plugin may go while QGIS keeps running: take our widgets out.
    QgsStatusBar* statusBar = m_statusBar.data();
    for (QWidget* widget : {static_cast<QWidget*>(m_message.data()), static_cast<QWidget*>(m_bar.data())}) {
        if (widget == nullptr) continue;
        if (statusBar != nullptr) statusBar->removeWidget(widget);
        widget->deleteLater();
    }
}

void QgisProgressor::Message(const std::string& text)
{
    if (QLabel* label = m_message.data(); label != nullptr) {
        label->setText(QString::fromStdString(text));
        label->setVisible(!text.empty());
    }
}

void QgisProgressor::Show()
{
    m_shown = true;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(true);
    m_percent = -1;
    m_samePercentFrom = m_samePercentUntil = 0;
    follow();
}

void QgisProgressor::Hide()
{
    m_shown = false;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(false);
    if (QLabel* label = m_message.data(); label != nullptr) {
        label->clear();
        label->setVisible(false);
    }
}

void QgisProgressor::Step()
{
    m_position += m_stepValue;
    // Most steps stay within the positions of the percentage shown.
    if (m_position >= m_samePercentFrom && m_position < m_samePercentUntil) return;
    follow();
}

void QgisProgressor::MaxRange(std::int32_t value)
{
    m_maxRange = value;
    follow();
}

void QgisProgressor::StepValue(std::int32_t value) { m_stepValue = value; }

void QgisProgressor::Position(std::int32_t value)
{
    m_position = value;
    follow();
}

void QgisProgressor::follow()
{
    const std::int64_t range = std::max<std::int64_t>(m_maxRange, 1);
    const auto percent = static_cast<int>(std::clamp<std::int64_t>(m_position * 100 / range, 0, 100));
    // The positions that show `percent`: from ceil(percent * range / 100) to
    // before the next percentage's first one; 0 and 100 take all beyond.
    const auto firstAt = [range](std::int64_t p) { return (p * range + 99) / 100; };
    m_samePercentFrom = percent == 0 ? std::numeric_limits<std::int64_t>::min() : firstAt(percent);
    m_samePercentUntil = percent == 100 ? std::numeric_limits<std::int64_t>::max() : firstAt(percent + 1);
    if (percent == m_percent) return;
    m_percent = percent;
    QProgressBar* bar = m_bar.data();
    if (bar == nullptr || !m_shown) return;
    bar->setValue(percent);
    ++m_barUpdates;
}

} // namespace corvane::qgis
