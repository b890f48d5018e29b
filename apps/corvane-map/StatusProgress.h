#pragma once
// The status bar's progress display for the system: a message and a bar
// added to the map window's status bar (qt/BarProgressor.h follows the
// steps).

#include <memory>

#include "host/Application.h"
#include "qt/BarProgressor.h"

class QStatusBar;

namespace corvane::map {

class StatusProgressor final : public qt::BarProgressor {
public:
    explicit StatusProgressor(QStatusBar* statusBar);
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
