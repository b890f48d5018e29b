#pragma once
// The installer's work on a server library: self-registration through its
// own exports, plus what self-registration leaves to an installer, the
// entry of its classes in the map host's command category.

#include <string>
#include <vector>

namespace corvane::regsvr {

// Loads the library, runs DllRegisterServer, then lists every class whose
// InprocServer32 is this library in the command category. Returns the
// class identifiers entered. Throws std::runtime_error with the reason.
std::vector<std::string> installServer(const std::string& libraryPath, const std::string& registryPath);

// Takes the library's classes out of the category and runs
// DllUnregisterServer; the category's own key goes when no class is left in it.
void uninstallServer(const std::string& libraryPath, const std::string& registryPath);

// "Key=Value" lines of the library's version section; throws when it has none.
std::string versionInformation(const std::string& libraryPath);

} // namespace corvane::regsvr
