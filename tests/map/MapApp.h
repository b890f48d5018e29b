#pragma once
// The one QApplication of the map tests, a scratch folder per test, the host
// options that keep a test inside it, and the folder for the screenshots
// they leave behind.

#include <QString>
#include <QTemporaryDir>

namespace corvane::map {
class MapCanvas;
struct HostOptions;
}

namespace corvane::map::testing {

void ensureApplication();
QString artifactFolder();
// Runs the event loop until the canvas's picture of its current extent is
// finished; false if that takes more than a minute (a hung worker).
bool waitForPicture(MapCanvas& canvas);
// A host that keeps its drive C:, registry and settings in the test's
// scratch folder, never the user's, and asks nobody anything.
HostOptions optionsIn(const QTemporaryDir& dir);

} // namespace corvane::map::testing
