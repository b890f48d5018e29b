#include "Installer.h"

#include "com/ComServerLoader.h"
#include "com/DynamicLibrary.h"
#include "com/ElfSection.h"
#include "com/GuidText.h"
#include "com/Registry.h"
#include "com/Server.h"

#include <filesystem>
#include <stdexcept>

namespace corvane::regsvr {

namespace {

using RegistrationFn = HRESULT(STDMETHODCALLTYPE*)();

std::string categoryKey()
{
    return std::string(com::kClassesRoot) + "\\Component Categories\\" + com::toString(com::kMapCommandsCategory);
}

std::string implementedKey(const std::string& clsid)
{
    return std::string(com::kClassesRoot) + "\\CLSID\\" + clsid + "\\Implemented Categories\\" +
           com::toString(com::kMapCommandsCategory);
}

void callExport(const std::string& libraryPath, const char* name)
{
    com::DynamicLibrary library(libraryPath);
    auto* function = reinterpret_cast<RegistrationFn>(library.symbol(name));
    if (function == nullptr)
        throw std::runtime_error(libraryPath + " has no " + name + ": not a self-registering server");
    const HRESULT hr = function();
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        throw std::runtime_error(std::string(name) + " failed with " + code);
    }
    // The library stays loaded until the tool ends, like regsvr32 leaves it.
    library.leak();
}

std::vector<std::string> classesOf(const com::Registry& registry, const std::string& libraryPath)
{
    std::vector<std::string> out;
    const std::string root = std::string(com::kClassesRoot) + "\\CLSID";
    for (const std::string& clsid : registry.subkeys(root)) {
        const auto server = registry.value(root + '\\' + clsid + "\\InprocServer32");
        std::error_code ec;
        if (server && std::filesystem::equivalent(*server, libraryPath, ec)) out.push_back(clsid);
    }
    return out;
}

} // namespace

std::vector<std::string> installServer(const std::string& libraryPath, const std::string& registryPath)
{
    const std::string path = std::filesystem::absolute(libraryPath).lexically_normal().string();
    callExport(path, "DllRegisterServer");
    com::Registry registry(registryPath);
    const auto classes = classesOf(registry, path);
    if (classes.empty()) throw std::runtime_error(path + " registered no class");
    // As on Windows: the description is the value named after its locale.
    registry.setValue(categoryKey(), "409", com::kMapCommandsCategoryName);
    for (const std::string& clsid : classes)
        registry.createKey(implementedKey(clsid));
    registry.save();
    return classes;
}

void uninstallServer(const std::string& libraryPath, const std::string& registryPath)
{
    const std::string path = std::filesystem::absolute(libraryPath).lexically_normal().string();
    {
        com::Registry registry(registryPath);
        for (const std::string& clsid : classesOf(registry, path))
            registry.deleteTree(implementedKey(clsid));
        registry.save();
    }
    callExport(path, "DllUnregisterServer");
    com::Registry registry(registryPath);
    bool categoryUsed = false;
    const std::string root = std::string(com::kClassesRoot) + "\\CLSID";
    for (const std::string& clsid : registry.subkeys(root))
        if (registry.keyExists(implementedKey(clsid))) categoryUsed = true;
    if (!categoryUsed) registry.deleteTree(categoryKey());
    registry.save();
}

std::string versionInformation(const std::string& libraryPath)
{
    const auto section = com::readElfSection(libraryPath, ".corvane_version");
    if (!section) throw std::runtime_error(libraryPath + " carries no version information");
    std::string text = *section;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

} // namespace corvane::regsvr
