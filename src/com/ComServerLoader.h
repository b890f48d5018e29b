#pragma once
// What a host uses to find, load and create the commands registered on this
// machine, as the native host does through the registry and ole32:
//
//   corvane::com::ComServerLoader loader;            // Registry::defaultPath()
//   for (const auto& c : loader.classesInCategory(corvane::com::kMapCommandsCategory)) {
//       corvane::com::ComPtr<ICommand> command = loader.createCommand(c.progId);
//       ...
//   }
//
// Before the first creation the host publishes its services (ProcessObjects.h).
// Every failure throws LoadError with a message fit for the user: a class or
// ProgID that is not registered, a registry entry that names no file, a
// file that is not a loadable library or lacks DllGetClassObject, a factory
// that refuses. Called on the host's UI thread only.

#include "com/ComPtr.h"
#include "com/DynamicLibrary.h"
#include "com/ICommand.h"
#include "com/Types.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::com {

class Registry;

// The component category of the commands that the map host puts on its
// toolbar; the installer registers each command in it.
inline constexpr GUID kMapCommandsCategory = guid("{2695A10F-506D-4316-AFB0-6B8C29503CD8}");
inline constexpr const char* kMapCommandsCategoryName = "Corvane Map Commands";

struct RegisteredClass {
    CLSID clsid{};
    std::string name;        // the class key's default value
    std::string progId;      // may be empty
    std::string libraryPath; // InprocServer32
    std::string threadingModel;
};

class ComServerLoader {
  public:
    explicit ComServerLoader(std::string registryPath);
    ComServerLoader(); // the default registry
    ComServerLoader(const ComServerLoader&) = delete;
    ComServerLoader& operator=(const ComServerLoader&) = delete;
    // Libraries stay loaded: objects and forms created from them may outlive
    // the loader. Call freeUnusedLibraries() to unload those that agree.
    ~ComServerLoader();

    [[nodiscard]] const std::string& registryPath() const noexcept { return m_registryPath; }

    // A braced class identifier or a ProgID. The registry is read afresh on
    // each call, so a registration made meanwhile is seen.
    [[nodiscard]] CLSID resolve(std::string_view classOrProgId) const;
    [[nodiscard]] RegisteredClass lookup(const CLSID& clsid) const;
    // Every class of the category, from one reading of the registry.
    [[nodiscard]] std::vector<RegisteredClass> classesInCategory(const GUID& category) const;

    // A new object of the class, queried for `iid`; throws LoadError. The
    // messages name the class and the library file its entry points at.
    [[nodiscard]] ComPtr<IUnknown> createInstance(const CLSID& clsid, REFIID iid);
    // The same for a class already looked up (from classesInCategory), so
    // that a batch of creations reads the registry no more.
    [[nodiscard]] ComPtr<IUnknown> createInstance(const RegisteredClass& registered, REFIID iid);
    [[nodiscard]] ComPtr<ICommand> createCommand(std::string_view classOrProgId);
    [[nodiscard]] ComPtr<ICommand> createCommand(const RegisteredClass& registered);

    // How many times this loader has read the registry file.
    [[nodiscard]] std::size_t registryReads() const noexcept { return m_registryReads; }

    // Asks each loaded library whether it can unload (DllCanUnloadNow) and
    // unloads those that say so. Returns how many stay loaded.
    std::size_t freeUnusedLibraries();
    [[nodiscard]] std::size_t loadedLibraries() const noexcept { return m_libraries.size(); }

  private:
    DynamicLibrary& library(const std::string& path);
    [[nodiscard]] Registry openRegistry() const;

    std::string m_registryPath;
    mutable std::size_t m_registryReads = 0;
    std::map<std::string, std::unique_ptr<DynamicLibrary>> m_libraries;
};

} // namespace corvane::com
