#pragma once
// The status bar's progress display for the system inside QGIS: a message
// and a progress bar added to QGIS's status bar (qt/BarProgressor.h follows
// the steps). The plugin may go while QGIS keeps running, so the widgets
// leave the status bar with the progressor. UI thread only.
//
//   auto statusBar = host::makeRef<QgisStatusBar>(iface->statusBarIface());
//   auto progress = statusBar->ProgressBar();   // the same progressor each time

#include <QPointer>
#include <memory>

#include <qgsstatusbar.h>

#include "host/Application.h"
#include "qt/BarProgressor.h"

namespace corvane::qgis {

class QgisProgressor final : public qt::BarProgressor {
public:
    // statusBar may be null: the progressor then only counts.
    explicit QgisProgressor(QgsStatusBar* statusBar);
    ~QgisProgressor() override;
    QgisProgressor(const QgisProgressor&) = delete;
    QgisProgressor& operator=(const QgisProgressor&) = delete;

private:
    QPointer<QgsStatusBar> m_statusBar;
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
