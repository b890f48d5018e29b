#pragma once
// The one QApplication of the map tests, a scratch folder per test, and the
// folder for the screenshots they leave behind.

#include <QString>
#include <QTemporaryDir>

namespace corvane::map {
class MapCanvas;
}

namespace corvane::map::testing {

void ensureApplication();
QString artifactFolder();
// Runs the event loop until the canvas's picture of its current extent is
// finished; false if that takes more than a minute (a hung worker).
bool waitForPicture(MapCanvas& canvas);

} // namespace corvane::map::testing
