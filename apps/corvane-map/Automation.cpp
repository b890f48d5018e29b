#include "Automation.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <iostream>
#include <stdexcept>

#include "AutomationScript.h"
#include "MainWindow.h"
#include "WidgetActions.h"

namespace corvane::map {

std::vector<Step> parseScript(const QString& text)
{
    std::vector<Step> steps;
    for (const ScriptStep& read : readScript(text.toStdString())) {
        Step step;
        step.line = read.line;
        step.verb = QString::fromStdString(read.verb);
        for (const std::string& argument : read.arguments) step.arguments << QString::fromStdString(argument);
        steps.push_back(std::move(step));
    }
    return steps;
}

Automation::Automation(MainWindow& window, std::vector<Step> steps) : m_window(window), m_steps(std::move(steps)) {}

void Automation::start()
{
    qt::Toolkit& toolkit = m_window.services().toolkit();
    toolkit.onMessageBox = [](QMessageBox& box) {
        std::cout << "message: " << box.windowTitle().toStdString() << ": " << box.text().toStdString() << std::endl;
        QTimer::singleShot(0, &box, [&box] { box.accept(); });
    };
    // The steps after one that opens a modal dialog run inside it.
    toolkit.onModalShown = [this](ui::Form&) { scheduleNext(); };
    toolkit.openUrl = [](const QUrl& url) {
        std::cout << "open address: " << url.toString().toStdString() << std::endl;
        return true;
    };
    scheduleNext();
}

void Automation::scheduleNext()
{
    if (m_pending || m_finished) return;
    m_pending = true;
    QTimer::singleShot(0, &m_window, [this] { runNext(); });
}

void Automation::runNext()
{
    m_pending = false;
    if (m_finished) return;
    if (m_next >= m_steps.size()) {
        finish(0);
        return;
    }
    const Step& next = m_steps[m_next];
    // A screenshot of the map shows the whole picture of the extent the
    // script has reached, never one still being drawn.
    const bool showsMap = next.verb == QLatin1String("screenshot") || next.verb == QLatin1String("screenshot-screen");
    if (showsMap && !m_window.canvas().pictureComplete()) {
        m_pending = true;
        m_window.canvas().whenPictureComplete([this] {
            m_pending = false;
            scheduleNext();
        });
        return;
    }
    const Step step = m_steps[m_next++];
    run(step);
    scheduleNext();
}

void Automation::run(const Step& step)
{
    const QString& verb = step.verb;
    const QStringList& a = step.arguments;
    std::cout << "step " << step.line << ": " << verb.toStdString() << ' ' << a.join(QLatin1Char(' ')).toStdString()
              << std::endl;
    QString problem;
    if (verb == QLatin1String("open")) {
        problem = m_window.openFiles(splitNames(a.front().toStdString()));
    } else if (verb == QLatin1String("view")) {
        if (a.front() != QLatin1String("data") && a.front() != QLatin1String("layout"))
            problem = QStringLiteral("view takes data or layout");
        else
            m_window.showLayoutView(a.front() == QLatin1String("layout"));
    } else if (verb == QLatin1String("full-extent")) {
        m_window.canvas().zoomToFullExtent();
    } else if (verb == QLatin1String("press")) {
        if (!m_window.commands().press(a.front())) problem = QStringLiteral("no command %1 on the toolbar").arg(a.front());
    } else if (verb == QLatin1String("type")) {
        problem = typeText(a[0], a[1], a.value(2));
    } else if (verb == QLatin1String("click")) {
        problem = clickControl(a[0], a[1]);
    } else if (verb == QLatin1String("select")) {
        problem = selectEntry(a[0], a[1], a[2]);
    } else if (verb == QLatin1String("close")) {
        problem = closeForm(a.front());
    } else if (verb == QLatin1String("screenshot")) {
        problem = saveScreenshot(m_window, a.front());
    } else if (verb == QLatin1String("screenshot-dialog")) {
        QWidget* dialog = findFormWindow(a[0]);
        problem = dialog == nullptr ? QStringLiteral("no visible %1").arg(a[0]) : saveScreenshot(*dialog, a[1]);
    } else if (verb == QLatin1String("screenshot-screen")) {
        problem = saveScreenScreenshot(a.front());
    } else if (verb == QLatin1String("extent")) {
        const gdal::Box& e = m_window.canvas().shownExtent();
        std::cout.precision(12);
        std::cout << "extent: " << e.xMin << ' ' << e.yMin << ' ' << e.xMax << ' ' << e.yMax << std::endl;
    }
    if (!problem.isEmpty()) {
        std::cerr << "corvane-map: line " << step.line << ": " << problem.toStdString() << std::endl;
        ++m_failures;
        finish(1);
    }
}

void Automation::finish(int code)
{
    if (m_finished) return;
    m_finished = true;
    // Leaves every loop, modal ones included.
    QApplication::exit(code);
}

} // namespace corvane::map
