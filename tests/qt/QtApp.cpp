#include "QtApp.h"

#include <QApplication>
#include <QThreadPool>
#include <QDir>
#include <cstdlib>
#include <memory>

#include "ui/Toolkit.h"

namespace corvane::qt::testing {

Toolkit& useQtToolkit()
{
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        // The application is never destroyed, so Qt's pooled threads (image
        // scaling and conversion) would still be alive when the leak checker
        // stops the world at exit; under load its tracer has crashed on them.
        // Handlers run in reverse order, so this one runs before that check.
        std::atexit([] { QThreadPool::globalInstance()->waitForDone(); });
        return created;
    }();
    (void)app;
    static std::unique_ptr<Toolkit> toolkit;
    toolkit = std::make_unique<Toolkit>();
    ui::setToolkit(toolkit.get());
    return *toolkit;
}

void flushDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QString artifactFolder()
{
    const QString folder = QStringLiteral(CORVANE_TEST_ARTIFACTS);
    QDir().mkpath(folder);
    return folder;
}

} // namespace corvane::qt::testing

// Fontconfig keeps caches it never frees; that is not ours to report.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
