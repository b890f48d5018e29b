#pragma once
// Generic support for an in-process COM server. A server library describes
// itself once, in tables (its classes, its type library), and its four
// exports only hand those tables to the functions below.
//
//   STDAPI DllGetClassObject(REFCLSID c, REFIID i, void** o)
//       { return corvane::com::serverGetClassObject(kServer, c, i, o); }
//
// All functions are barriers: they return an HRESULT and never throw.

#include "com/Types.h"

#include <span>
#include <string>

namespace corvane::com {

struct CoClassEntry {
    CLSID clsid;
    const char* className;      // the class's default registry text
    const char* progId;         // library name, ".", class name
    const char* threadingModel; // "Apartment"
    HRESULT (*createInstance)(REFIID iid, void** object) noexcept;
};

enum class TypeKind { DispatchInterface, CoClass };

// Type flags as the type library writes them.
enum TypeFlags : unsigned {
    kTypeFlagCanCreate = 0x2,
    kTypeFlagHidden = 0x10,
    kTypeFlagDual = 0x40,
    kTypeFlagNonExtensible = 0x80,
    kTypeFlagOleAutomation = 0x100,
};

struct ImplementedInterface {
    const char* name;
    IID iid;
    bool isDefault;
};

struct TypeDescription {
    TypeKind kind;
    const char* name;
    GUID guid;
    unsigned flags;
    std::span<const ImplementedInterface> interfaces; // coclasses only
};

struct TypeLibraryEntry {
    GUID libid;
    const char* name;
    WORD majorVersion;
    WORD minorVersion;
    LCID locale;
    std::span<const TypeDescription> types;
};

struct ServerDescription {
    std::span<const CoClassEntry> classes;
    const TypeLibraryEntry* typeLibrary;
    // Run before each class object is handed out: binds the library to the
    // services its host published (see ProcessObjects.h). May be null.
    void (*attachHost)() noexcept;
};

[[nodiscard]] HRESULT serverGetClassObject(const ServerDescription& server, REFCLSID clsid, REFIID iid,
                                           void** object) noexcept;
[[nodiscard]] HRESULT serverCanUnloadNow() noexcept;
// modulePath: the server library's own file, written as its InprocServer32.
[[nodiscard]] HRESULT serverRegister(const ServerDescription& server, const std::string& modulePath) noexcept;
[[nodiscard]] HRESULT serverUnregister(const ServerDescription& server) noexcept;

// The registry keys a server's registration owns (for the installer and tests).
[[nodiscard]] std::string classKey(const GUID& clsid);
[[nodiscard]] std::string progIdKey(const char* progId);
[[nodiscard]] std::string typeLibKey(const GUID& libid);
[[nodiscard]] std::string interfaceKey(const IID& iid);
// "win32" or "win64", after the platform's pointer size, as Windows names it.
[[nodiscard]] const char* typeLibPlatform() noexcept;

} // namespace corvane::com
