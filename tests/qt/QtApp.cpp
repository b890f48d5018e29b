#include "QtApp.h"

#include <QApplication>
#include <QDir>
#include <memory>

#include "ui/Toolkit.h"

namespace corvane::qt::testing {

Toolkit& useQtToolkit()
{
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
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
