#include "MapApp.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include "MapCanvas.h"

namespace corvane::map::testing {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "map_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

QString artifactFolder()
{
    const QString folder = QStringLiteral(CORVANE_TEST_ARTIFACTS);
    QDir().mkpath(folder);
    return folder;
}

bool waitForPicture(MapCanvas& canvas)
{
    if (canvas.pictureComplete()) return true;
    QEventLoop loop;
    bool finished = false;
    canvas.whenPictureComplete([&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
    loop.exec();
    return finished;
}

} // namespace corvane::map::testing

// Fontconfig keeps caches it never frees; that is not ours to report.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
