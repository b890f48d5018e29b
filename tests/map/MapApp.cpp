#include "MapApp.h"

#include <QApplication>
#include <QThreadPool>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "MainWindow.h"
#include "MapCanvas.h"

namespace corvane::map::testing {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "map_tests";
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

HostOptions optionsIn(const QTemporaryDir& dir)
{
    HostOptions options;
    options.driveC = std::filesystem::path(dir.path().toStdString()) / "drive_c";
    options.registryPath = dir.filePath(QStringLiteral("registry.reg")).toStdString();
    options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    options.interactive = false;
    return options;
}

} // namespace corvane::map::testing

// Fontconfig keeps caches it never frees; that is not ours to report.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
