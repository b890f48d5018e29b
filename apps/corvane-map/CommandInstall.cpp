#include "CommandInstall.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "com/ComServerLoader.h"
#include "com/DynamicLibrary.h"
#include "com/GuidText.h"
#include "com/Registry.h"

namespace corvane::map {

namespace {

using RegisterFn = HRESULT (*)();

// The libraries register into the registry that CORVANE_REGISTRY names.
class RegistryOverride {
public:
    explicit RegistryOverride(const std::string& path)
    {
        if (const char* old = std::getenv("CORVANE_REGISTRY")) m_old = old;
        ::setenv("CORVANE_REGISTRY", path.c_str(), 1);
    }
    ~RegistryOverride()
    {
        if (m_old)
            ::setenv("CORVANE_REGISTRY", m_old->c_str(), 1);
        else
            ::unsetenv("CORVANE_REGISTRY");
    }
    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

private:
    std::optional<std::string> m_old;
};

} // namespace

void installCommandLibrary(const std::string& registryPath, const std::string& libraryPath)
{
    const std::string library = std::filesystem::absolute(libraryPath).lexically_normal().string();
    {
        com::DynamicLibrary lib(library);
        auto* registerServer = reinterpret_cast<RegisterFn>(lib.symbol("DllRegisterServer"));
        if (registerServer == nullptr) throw com::LoadError(library + " is not a COM server (no DllRegisterServer)");
        const RegistryOverride scoped(registryPath);
        if (FAILED(registerServer())) throw com::LoadError(library + " could not register itself");
        // Its objects may be in use elsewhere in this process: keep it mapped.
        lib.leak();
    }
    com::Registry registry(registryPath);
    const std::string classes = std::string(com::kClassesRoot) + "\\CLSID";
    const std::string category = com::toString(com::kMapCommandsCategory);
    for (const std::string& clsid : registry.subkeys(classes)) {
        const std::string key = classes + "\\" + clsid;
        const auto server = registry.value(key + "\\InprocServer32");
        if (!server || std::filesystem::path(*server).lexically_normal() != std::filesystem::path(library)) continue;
        registry.createKey(key + "\\Implemented Categories\\" + category);
    }
    registry.setValue(std::string(com::kClassesRoot) + "\\Component Categories\\" + category, "409",
                      com::kMapCommandsCategoryName);
    registry.save();
}

} // namespace corvane::map
