#pragma once
// The one QApplication of the map tests, a scratch folder per test, and the
// folder for the screenshots they leave behind.

#include <QString>
#include <QTemporaryDir>

namespace corvane::map::testing {

void ensureApplication();
QString artifactFolder();

} // namespace corvane::map::testing
