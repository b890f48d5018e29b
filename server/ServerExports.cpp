// The four exports of the server library. Each hands over to the COM server
// support with the component's tables; nothing else is exported.
#include "HostAttach.h"
#include "com/DynamicLibrary.h"
#include "com/Server.h"
#include "command/CorvaneGIS.h"

#include <string>

namespace {

// On Windows the services a host did not publish are the library's own.
constexpr void (*kAttachHost)() noexcept = &corvane::server::attachHostServices;

const corvane::com::ServerDescription kLoadedServer{corvane::command::kServer.classes,
                                                    corvane::command::kServer.typeLibrary, kAttachHost};

// Any object of this library tells the loader which file it is.
const char kModuleAnchor = 0;

} // namespace

#ifdef _WIN32
// Exported by the module definition file, as PRIVATE entries.
#define CORVANE_EXPORT extern "C"
#else
#define CORVANE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

CORVANE_EXPORT HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    return corvane::com::serverGetClassObject(kLoadedServer, clsid, iid, object);
}

CORVANE_EXPORT HRESULT STDMETHODCALLTYPE DllCanUnloadNow()
{
    return corvane::com::serverCanUnloadNow();
}

CORVANE_EXPORT HRESULT STDMETHODCALLTYPE DllRegisterServer()
{
    std::string path;
    try {
        path = corvane::com::modulePathOf(&kModuleAnchor);
    } catch (...) {
        return SELFREG_E_CLASS;
    }
    return corvane::com::serverRegister(kLoadedServer, path);
}

CORVANE_EXPORT HRESULT STDMETHODCALLTYPE DllUnregisterServer()
{
    return corvane::com::serverUnregister(kLoadedServer);
}
