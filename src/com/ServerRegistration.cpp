// Self-registration into the file-backed registry, writing the same keys and
// values that registration writes on Windows.
#include "com/Server.h"

#ifndef _WIN32

#include "com/GuidText.h"
#include "com/Registry.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace corvane::com {

namespace {

// The proxy of OLE automation, which marshals dual and dispatch interfaces.
constexpr const char* kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

std::string versionText(const TypeLibraryEntry& lib)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u.%u", static_cast<unsigned>(lib.majorVersion),
                  static_cast<unsigned>(lib.minorVersion));
    return buffer;
}

std::string localeText(LCID locale)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", static_cast<unsigned>(locale));
    return buffer;
}

void registerTypeLibrary(Registry& registry, const TypeLibraryEntry& lib, const std::string& modulePath)
{
    const std::string libid = toString(lib.libid);
    const std::string version = typeLibKey(lib.libid) + '\\' + versionText(lib);
    registry.setValue(version, "", lib.name);
    registry.setValue(version + "\\FLAGS", "", "0");
    registry.setValue(version + "\\HELPDIR", "", std::filesystem::path(modulePath).parent_path().string());
    registry.setValue(version + '\\' + localeText(lib.locale) + '\\' + typeLibPlatform(), "", modulePath);
    for (const TypeDescription& type : lib.types) {
        if (type.kind != TypeKind::DispatchInterface) continue;
        const std::string key = interfaceKey(type.guid);
        registry.setValue(key, "", type.name);
        registry.setValue(key + "\\ProxyStubClsid", "", kAutomationProxy);
        registry.setValue(key + "\\ProxyStubClsid32", "", kAutomationProxy);
        registry.setValue(key + "\\TypeLib", "", libid);
        registry.setValue(key + "\\TypeLib", "Version", versionText(lib));
    }
}

void registerClass(Registry& registry, const CoClassEntry& entry, const TypeLibraryEntry* lib,
                   const std::string& modulePath)
{
    const std::string clsid = toString(entry.clsid);
    const std::string key = classKey(entry.clsid);
    registry.setValue(key, "", entry.className);
    registry.setValue(key + "\\InprocServer32", "", modulePath);
    registry.setValue(key + "\\InprocServer32", "ThreadingModel", entry.threadingModel);
    registry.setValue(key + "\\ProgID", "", entry.progId);
    if (lib != nullptr) {
        registry.setValue(key + "\\TypeLib", "", toString(lib->libid));
        registry.setValue(key + "\\VERSION", "", versionText(*lib));
    }
    registry.setValue(progIdKey(entry.progId), "", entry.className);
    registry.setValue(progIdKey(entry.progId) + "\\CLSID", "", clsid);
}

void unregisterAll(Registry& registry, const ServerDescription& server)
{
    for (const CoClassEntry& entry : server.classes) {
        registry.deleteTree(classKey(entry.clsid));
        registry.deleteTree(progIdKey(entry.progId));
    }
    if (server.typeLibrary != nullptr) {
        registry.deleteTree(typeLibKey(server.typeLibrary->libid));
        for (const TypeDescription& type : server.typeLibrary->types)
            if (type.kind == TypeKind::DispatchInterface) registry.deleteTree(interfaceKey(type.guid));
    }
}

} // namespace

HRESULT serverRegister(const ServerDescription& server, const std::string& modulePath) noexcept
{
    if (modulePath.empty()) return SELFREG_E_CLASS;
    try {
        Registry registry(Registry::defaultPath());
        // A stale registration (an older path, a renamed value) goes first.
        unregisterAll(registry, server);
        for (const CoClassEntry& entry : server.classes)
            registerClass(registry, entry, server.typeLibrary, modulePath);
        if (server.typeLibrary != nullptr) registerTypeLibrary(registry, *server.typeLibrary, modulePath);
        registry.save();
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

HRESULT serverUnregister(const ServerDescription& server) noexcept
{
    try {
        Registry registry(Registry::defaultPath());
        unregisterAll(registry, server);
        registry.save();
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

} // namespace corvane::com

#endif // _WIN32
