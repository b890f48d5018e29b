#include "qgis/QgisStatusProgress.h"

namespace corvane::qgis {

QgisProgressor::QgisProgressor(QgsStatusBar* statusBar) : m_statusBar(statusBar)
{
    if (statusBar == nullptr) return;
    QLabel* message = makeMessage(statusBar, QStringLiteral("CorvaneProgressMessage"));
    QProgressBar* bar = makeBar(statusBar, QStringLiteral("CorvaneProgressBar"));
    statusBar->addPermanentWidget(message, 0, QgsStatusBar::AnchorLeft);
    statusBar->addPermanentWidget(bar, 0, QgsStatusBar::AnchorLeft);
    attach(message, bar);
}

QgisProgressor::~QgisProgressor()
{
    QgsStatusBar* statusBar = m_statusBar.data();
    for (QWidget* widget : {static_cast<QWidget*>(message()), static_cast<QWidget*>(bar())}) {
        if (widget == nullptr) continue;
        if (statusBar != nullptr) statusBar->removeWidget(widget);
        widget->deleteLater();
    }
}

} // namespace corvane::qgis
