#include "StatusProgress.h"

#include <QStatusBar>

namespace corvane::map {

StatusProgressor::StatusProgressor(QStatusBar* statusBar)
{
    QLabel* message = makeMessage(statusBar, QStringLiteral("ProgressMessage"));
    QProgressBar* bar = makeBar(statusBar, QStringLiteral("ProgressBar"));
    statusBar->addPermanentWidget(message);
    statusBar->addPermanentWidget(bar);
    attach(message, bar);
}

} // namespace corvane::map
