#include "qt/BarProgressor.h"

#include <algorithm>
#include <limits>

namespace corvane::qt {

void BarProgressor::attach(QLabel* message, QProgressBar* bar)
{
    m_message = message;
    m_bar = bar;
}

QLabel* BarProgressor::makeMessage(QWidget* parent, const QString& objectName)
{
    auto* message = new QLabel(parent);
    message->setObjectName(objectName);
    message->setVisible(false);
    return message;
}

QProgressBar* BarProgressor::makeBar(QWidget* parent, const QString& objectName)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(objectName);
    bar->setRange(0, 100);
    bar->setMaximumWidth(200);
    bar->setVisible(false);
    return bar;
}

void BarProgressor::Message(const std::string& text)
{
    if (QLabel* label = m_message.data(); label != nullptr) {
        label->setText(QString::fromStdString(text));
        label->setVisible(!text.empty());
    }
}

void BarProgressor::Show()
{
    m_shown = true;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(true);
    m_percent = -1;
    m_samePercentFrom = m_samePercentUntil = 0;
    follow();
}

void BarProgressor::Hide()
{
    m_shown = false;
    if (QProgressBar* bar = m_bar.data(); bar != nullptr) bar->setVisible(false);
    if (QLabel* label = m_message.data(); label != nullptr) {
        label->clear();
        label->setVisible(false);
    }
}

void BarProgressor::Step()
{
    m_position += m_stepValue;
    // Most steps stay within the positions of the percentage shown.
    if (m_position >= m_samePercentFrom && m_position < m_samePercentUntil) return;
    follow();
}

void BarProgressor::MaxRange(std::int32_t value)
{
    m_maxRange = value;
    follow();
}

void BarProgressor::StepValue(std::int32_t value) { m_stepValue = value; }

void BarProgressor::Position(std::int32_t value)
{
    m_position = value;
    follow();
}

void BarProgressor::follow()
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

} // namespace corvane::qt
