#pragma once
// The status bar's progress display for the system: a message and a bar
// that follow the step progressor. A step only does arithmetic; the bar is
// touched when the percentage it shows changes, so a million steps cost a
// hundred repaints at most.

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <cstdint>
#include <string>

#include "host/Application.h"

class QStatusBar;

namespace corvane::map {

class StatusProgressor final : public host::IStepProgressor {
public:
    explicit StatusProgressor(QStatusBar* statusBar);

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

private:
    void follow();

    QPointer<QProgressBar> m_bar;
    QPointer<QLabel> m_message;
    std::int64_t m_position = 0;
    std::int32_t m_maxRange = 100;
    std::int32_t m_stepValue = 1;
    int m_percent = -1;
    std::int64_t m_barUpdates = 0;
    bool m_shown = false;
};

class StatusBar final : public host::IStatusBar {
public:
    explicit StatusBar(QStatusBar* statusBar) : m_progressor(std::make_shared<StatusProgressor>(statusBar)) {}
    host::Ref<host::IStepProgressor> ProgressBar() override { return host::Ref<host::IStepProgressor>(m_progressor); }
    [[nodiscard]] StatusProgressor& progressor() const noexcept { return *m_progressor; }

private:
    std::shared_ptr<StatusProgressor> m_progressor;
};

} // namespace corvane::map
