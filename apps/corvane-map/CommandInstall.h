#pragma once
// Registers a command library the way an installer does: the library's own
// DllRegisterServer writes its classes, then each class it serves is put in
// the map commands category so that the toolbar finds it.

#include <string>

namespace corvane::map {

// Throws std::runtime_error (or com::LoadError) with a message for the user.
void installCommandLibrary(const std::string& registryPath, const std::string& libraryPath);

} // namespace corvane::map
