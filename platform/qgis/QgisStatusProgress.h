#pragma once
// The status bar's progress display for the system inside QGIS: a message
// and a progress bar added to QGIS's status bar, following the step
// progressor. A step only does arithmetic; the bar is repainted when the
// percentage it shows changes, so a million steps cost a hundred repaints
// at most. The widgets belong to QGIS's status bar; the progressor watches
// them and does nothing once they are gone. UI thread only.
//
//   auto statusBar = host::makeRef<QgisStatusBar>(iface->statusBarIface());
//   auto progress = statusBar->ProgressBar();   // the same progressor each time

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <cstdint>
#include <memory>
#include <string>

#include <qgsstatusbar.h>

#include "host/Application.h"


namespace corvane::qgis {

class QgisProgressor final : public host::IStepProgressor {
public:
    // statusBar may be null: the progressor then only counts.
    explicit QgisProgressor(QgsStatusBar* statusBar);
    ~QgisProgressor() override;
    QgisProgressor(const QgisProgressor&) = delete;
    QgisProgressor& operator=(const QgisProgressor&) = delete;

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

private:
    void follow();

    QPointer<QgsStatusBar> m_statusBar;
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

class QgisStatusBar final : public host::IStatusBar {
public:
    explicit QgisStatusBar(QgsStatusBar* statusBar) : m_progressor(std::make_shared<QgisProgressor>(statusBar)) {}
    host::Ref<host::IStepProgressor> ProgressBar() override { return host::Ref<host::IStepProgressor>(m_progressor); }
    [[nodiscard]] QgisProgressor& progressor() const noexcept { return *m_progressor; }

private:
    std::shared_ptr<QgisProgressor> m_progressor;
};

} // namespace corvane::qgis
