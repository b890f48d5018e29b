#include "com/Server.h"

#include "com/ClassFactory.h"
#include "com/ComObject.h"
#include "com/GuidText.h"
#include "com/Registry.h"
#include "com/ServerLock.h"

namespace corvane::com {

HRESULT serverGetClassObject(const ServerDescription& server, REFCLSID clsid, REFIID iid, void** object) noexcept
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    for (const CoClassEntry& entry : server.classes) {
        if (!(entry.clsid == clsid)) continue;
        if (server.attachHost != nullptr) server.attachHost();
        return createComObject<ClassFactory>(iid, object, entry);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT serverCanUnloadNow() noexcept
{
    return canUnloadNow();
}

std::string classKey(const GUID& clsid)
{
    return std::string(kClassesRoot) + "\\CLSID\\" + toString(clsid);
}

std::string progIdKey(const char* progId)
{
    return std::string(kClassesRoot) + '\\' + progId;
}

std::string typeLibKey(const GUID& libid)
{
    return std::string(kClassesRoot) + "\\TypeLib\\" + toString(libid);
}

std::string interfaceKey(const IID& iid)
{
    return std::string(kClassesRoot) + "\\Interface\\" + toString(iid);
}

const char* typeLibPlatform() noexcept
{
    return sizeof(void*) == 8 ? "win64" : "win32";
}

} // namespace corvane::com
