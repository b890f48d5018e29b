#include "com/ComServerLoader.h"

#include "com/GuidText.h"
#include "com/Registry.h"
#include "com/Server.h"

#include <cstdio>
#include <filesystem>

namespace corvane::com {

namespace {

using GetClassObjectFn = HRESULT(STDMETHODCALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDMETHODCALLTYPE*)();

std::string hresultText(HRESULT hr)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(hr));
    return buffer;
}

Registry openRegistry(const std::string& path)
{
    try {
        return Registry(path);
    } catch (const std::exception& e) {
        throw LoadError(std::string("cannot read the class registry: ") + e.what());
    }
}

} // namespace

ComServerLoader::ComServerLoader(std::string registryPath) : m_registryPath(std::move(registryPath)) {}

ComServerLoader::ComServerLoader() : ComServerLoader(Registry::defaultPath()) {}

ComServerLoader::~ComServerLoader()
{
    for (auto& [path, lib] : m_libraries)
        lib->leak();
}

CLSID ComServerLoader::resolve(std::string_view classOrProgId) const
{
    if (const auto clsid = parseGuid(classOrProgId)) return *clsid;
    const Registry registry = openRegistry(m_registryPath);
    const auto text = registry.value(progIdKey(std::string(classOrProgId).c_str()) + "\\CLSID");
    if (!text) throw LoadError("class " + std::string(classOrProgId) + " is not registered");
    const auto clsid = parseGuid(*text);
    if (!clsid) throw LoadError("class " + std::string(classOrProgId) + " is registered with a malformed identifier");
    return *clsid;
}

RegisteredClass ComServerLoader::lookup(const CLSID& clsid) const
{
    const Registry registry = openRegistry(m_registryPath);
    const std::string key = classKey(clsid);
    if (!registry.keyExists(key)) throw LoadError("class " + toString(clsid) + " is not registered");
    RegisteredClass out;
    out.clsid = clsid;
    out.name = registry.value(key).value_or("");
    out.progId = registry.value(key + "\\ProgID").value_or("");
    out.libraryPath = registry.value(key + "\\InprocServer32").value_or("");
    out.threadingModel = registry.value(key + "\\InprocServer32", "ThreadingModel").value_or("");
    return out;
}

std::vector<RegisteredClass> ComServerLoader::classesInCategory(const GUID& category) const
{
    const Registry registry = openRegistry(m_registryPath);
    const std::string wanted = toString(category);
    std::vector<RegisteredClass> out;
    for (const std::string& name : registry.subkeys(std::string(kClassesRoot) + "\\CLSID")) {
        const auto clsid = parseGuid(name);
        if (!clsid) continue;
        if (!registry.keyExists(classKey(*clsid) + "\\Implemented Categories\\" + wanted)) continue;
        out.push_back(lookup(*clsid));
    }
    return out;
}

DynamicLibrary& ComServerLoader::library(const std::string& path)
{
    if (auto it = m_libraries.find(path); it != m_libraries.end()) return *it->second;
    auto loaded = std::make_unique<DynamicLibrary>(path);
    DynamicLibrary& ref = *loaded;
    m_libraries.emplace(path, std::move(loaded));
    return ref;
}

ComPtr<IUnknown> ComServerLoader::createInstance(const CLSID& clsid, REFIID iid)
{
    const RegisteredClass registered = lookup(clsid);
    const std::string what = "class " + (registered.progId.empty() ? toString(clsid) : registered.progId);
    if (registered.libraryPath.empty()) throw LoadError(what + " names no server library");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(registered.libraryPath, ec))
        throw LoadError(what + " is registered to " + registered.libraryPath + ", which does not exist");

    DynamicLibrary& lib = library(registered.libraryPath);
    auto* getClassObject = reinterpret_cast<GetClassObjectFn>(lib.symbol("DllGetClassObject"));
    if (getClassObject == nullptr)
        throw LoadError(registered.libraryPath + " is not a COM server (no DllGetClassObject)");

    ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(clsid, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr) || !factory)
        throw LoadError(registered.libraryPath + " does not serve " + what + " (" + hresultText(hr) + ")");
    ComPtr<IUnknown> object;
    hr = factory->CreateInstance(nullptr, iid, object.putVoid());
    if (FAILED(hr) || !object) throw LoadError("cannot create " + what + " (" + hresultText(hr) + ")");
    return object;
}

ComPtr<ICommand> ComServerLoader::createCommand(std::string_view classOrProgId)
{
    ComPtr<IUnknown> object = createInstance(resolve(classOrProgId), IID_ICommand);
    // Asked for ICommand, so the pointer is one.
    return ComPtr<ICommand>::attach(static_cast<ICommand*>(static_cast<void*>(object.detach())));
}

std::size_t ComServerLoader::freeUnusedLibraries()
{
    for (auto it = m_libraries.begin(); it != m_libraries.end();) {
        auto* canUnload = reinterpret_cast<CanUnloadNowFn>(it->second->symbol("DllCanUnloadNow"));
        if (canUnload != nullptr && canUnload() == S_OK)
            it = m_libraries.erase(it);
        else
            ++it;
    }
    return m_libraries.size();
}

} // namespace corvane::com
