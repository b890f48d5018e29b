#pragma once
// The step progressor shown as a message and a progress bar, for a host
// that puts the two widgets in its status bar (the map host under Qt 6, the
// QGIS host under Qt 5). A step only does arithmetic: the bar is repainted
// when the percentage it shows changes, so a million steps cost a hundred
// repaints at most. The widgets belong to the status bar; the progressor
// watches them and only counts while they are missing. UI thread only.
//
//   class MyProgressor final : public qt::BarProgressor {
//       MyProgressor(QStatusBar* s) { attach(makeMessage(s, "Msg"), makeBar(s, "Bar")); ... }
//   };

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <cstdint>
#include <string>

#include "host/Application.h"

namespace corvane::qt {

class BarProgressor : public host::IStepProgressor {
public:
    void Message(const std::string& text) override;
    void Show() override;
    void Step() override;
    void Hide() override;
    void MaxRange(std::int32_t value) override;
    void StepValue(std::int32_t value) override;
    void Position(std::int32_t value) override;

    [[nodiscard]] int percent() const noexcept { return m_percent; }
    // How often the bar's shown value was changed.
    [[nodiscard]] std::int64_t barUpdates() const noexcept { return m_barUpdates; }
    [[nodiscard]] bool shown() const noexcept { return m_shown; }
    [[nodiscard]] QProgressBar* bar() const noexcept { return m_bar.data(); }
    [[nodiscard]] QLabel* message() const noexcept { return m_message.data(); }

protected:
    BarProgressor() = default;

    // The widgets to follow; either may be null.
    void attach(QLabel* message, QProgressBar* bar);
    // Hidden widgets in the shared look, for the host to place.
    static QLabel* makeMessage(QWidget* parent, const QString& objectName);
    static QProgressBar* makeBar(QWidget* parent, const QString& objectName);

private:
    void follow();

    QPointer<QProgressBar> m_bar;
    QPointer<QLabel> m_message;
    std::int64_t m_position = 0;
    std::int32_t m_maxRange = 100;
    std::int32_t m_stepValue = 1;
    int m_percent = -1;
    // Positions from..until (exclusive) show m_percent; empty until known.
    std::int64_t m_samePercentFrom = 0;
    std::int64_t m_samePercentUntil = 0;
    std::int64_t m_barUpdates = 0;
    bool m_shown = false;
};

} // namespace corvane::qt
