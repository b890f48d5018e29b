#include "StatusProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

namespace corvane::map {

StatusProgressor::StatusProgressor(QStatusBar* statusBar)
{
    auto* message = new QLabel(statusBar);
    message->setObjectName(QStringLiteral("ProgressMessage"));
    auto* bar = new QProgressBar(statusBar);
    bar->setObjectName(QStringLiteral("ProgressBar"));
    bar->setRange(0, 100);
    bar->setMaximumWidth(200);
    bar->setVisible(false);
    statusBar->addPermanentWidget(message);
    statusBar->addPermanentWidget(bar);
    m_message = message;
    m_bar = bar;
}

void StatusProgressor::Message(const std::string& text)
{
    if (QLabel* label = m_message.data(); label != nullptr) label->setText(QString::fromStdString(text));
}

void StatusProgressor::Show()
{
    m_shown = true;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(true);
    m_percent = -1;
    follow();
}

void StatusProgressor::Hide()
{
    m_shown = false;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(false);
    if (QLabel* label = m_message.data(); label != nullptr) label->clear();
}

void StatusProgressor::Step()
{
    m_position += m_stepValue;
    follow();
}

void StatusProgressor::MaxRange(std::int32_t value)
{
    m_maxRange = value;
    follow();
}

void StatusProgressor::StepValue(std::int32_t value) { m_stepValue = value; }

void StatusProgressor::Position(std::int32_t value)
{
    m_position = value;
    follow();
}

void StatusProgressor::follow()
{
    const std::int64_t range = std::max<std::int64_t>(m_maxRange, 1);
    const auto percent = static_cast<int>(std::clamp<std::int64_t>(m_position * 100 / range, 0, 100));
    if (percent == m_percent) return;
    m_percent = percent;
    QProgressBar* bar = m_bar.data();
    if (bar == nullptr || !m_shown) return;
    bar->setValue(percent);
    ++m_barUpdates;
}

} // namespace corvane::map
