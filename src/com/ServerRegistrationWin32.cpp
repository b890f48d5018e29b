// Self-registration into the Windows registry. The type library is the
// DLL's TYPELIB resource 1, registered by the system's own RegisterTypeLib
// (which also writes the keys of the dual interface).
#include "com/Server.h"

#ifdef _WIN32

#include "com/GuidText.h"
#include "com/Registry.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <windows.h>

namespace corvane::com {

namespace {

std::wstring wide(const std::string& text)
{
    return std::filesystem::path(text).wstring();
}

// The part of one of our key paths below HKEY_CLASSES_ROOT.
std::wstring belowRoot(const std::string& key)
{
    return wide(key.substr(std::strlen(kClassesRoot) + 1));
}

bool setValue(const std::string& key, const wchar_t* name, const std::wstring& data)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, belowRoot(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

void deleteTree(const std::string& key)
{
    RegDeleteTreeW(HKEY_CLASSES_ROOT, belowRoot(key).c_str());
}

bool registerClass(const CoClassEntry& entry, const TypeLibraryEntry* lib, const std::wstring& modulePath)
{
    const std::string key = classKey(entry.clsid);
    bool ok = setValue(key, nullptr, wide(entry.className)) &&
              setValue(key + "\\InprocServer32", nullptr, modulePath) &&
              setValue(key + "\\InprocServer32", L"ThreadingModel", wide(entry.threadingModel)) &&
              setValue(key + "\\ProgID", nullptr, wide(entry.progId)) &&
              setValue(progIdKey(entry.progId), nullptr, wide(entry.className)) &&
              setValue(progIdKey(entry.progId) + "\\CLSID", nullptr, wide(toString(entry.clsid)));
    if (ok && lib != nullptr) {
        const std::wstring version = std::to_wstring(lib->majorVersion) + L"." + std::to_wstring(lib->minorVersion);
        ok = setValue(key + "\\TypeLib", nullptr, wide(toString(lib->libid))) &&
             setValue(key + "\\VERSION", nullptr, version);
    }
    return ok;
}

void unregisterAll(const ServerDescription& server)
{
    for (const CoClassEntry& entry : server.classes) {
        deleteTree(classKey(entry.clsid));
        deleteTree(progIdKey(entry.progId));
    }
    if (server.typeLibrary != nullptr) {
        const TypeLibraryEntry& lib = *server.typeLibrary;
        UnRegisterTypeLib(lib.libid, lib.majorVersion, lib.minorVersion, lib.locale,
                          sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
        // Whatever the system's unregistration leaves of our own keys.
        deleteTree(typeLibKey(lib.libid));
        for (const TypeDescription& type : lib.types)
            if (type.kind == TypeKind::DispatchInterface) deleteTree(interfaceKey(type.guid));
    }
}

} // namespace

HRESULT serverRegister(const ServerDescription& server, const std::string& modulePath) noexcept
{
    if (modulePath.empty()) return SELFREG_E_CLASS;
    try {
        const std::wstring path = wide(modulePath);
        unregisterAll(server);
        for (const CoClassEntry& entry : server.classes)
            if (!registerClass(entry, server.typeLibrary, path)) return SELFREG_E_CLASS;
        if (server.typeLibrary != nullptr) {
            ITypeLib* lib = nullptr;
            const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &lib);
            if (lib != nullptr) lib->Release();
            if (FAILED(hr)) return SELFREG_E_TYPELIB;
        }
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

HRESULT serverUnregister(const ServerDescription& server) noexcept
{
    try {
        unregisterAll(server);
        return S_OK;
    } catch (const std::exception&) {
        return SELFREG_E_CLASS;
    }
}

} // namespace corvane::com

#endif // _WIN32
