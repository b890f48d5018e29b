#include "MapApp.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>

#include "MainWindow.h"
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
