#pragma once
// One QApplication for every test of the program (offscreen), and the
// toolkit installed for the forms a test loads.

#include <QString>

#include "qt/Toolkit.h"

namespace corvane::qt::testing {

// Creates the application on first use; installs a fresh toolkit each time.
Toolkit& useQtToolkit();
// Deletes windows whose deletion a handler deferred.
void flushDeferredDeletes();
// The folder for screenshots the tests leave behind.
QString artifactFolder();

} // namespace corvane::qt::testing
