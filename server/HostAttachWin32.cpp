// On Windows the process has no shared runtime library to publish services
// in. A host built from these sources (the Windows test host) exports
// CorvaneProcessObject from its own executable instead; a native host exports
// nothing. Whatever is not published, the library brings itself: its Win32
// windowing layer and the machine's file system. Host classes have no such
// stand-in: without them, creating one raises error 429 as before.
#include "HostAttach.h"
#include "com/ProcessObjects.h"
#include "host/FileSystem.h"
#include "host/HostClasses.h"
#include "ui/Toolkit.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Toolkit.h"

#include <windows.h>

namespace corvane::server {

namespace {

void* publishedObject(const char* name) noexcept
{
    using Lookup = void* (*)(const char*);
    static const Lookup lookup = reinterpret_cast<Lookup>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), "CorvaneProcessObject")));
    return lookup != nullptr ? lookup(name) : nullptr;
}

} // namespace

void attachHostServices() noexcept
{
    static win32::Win32Toolkit ownToolkit;
    static win32::Win32FileSystem ownFiles;
    host::setHostClasses(static_cast<host::HostClasses*>(publishedObject(com::kHostClassesObject)));
    auto* files = static_cast<host::FileSystem*>(publishedObject(com::kFileSystemObject));
    host::setFileSystem(files != nullptr ? files : &ownFiles);
    auto* toolkit = static_cast<ui::Toolkit*>(publishedObject(com::kToolkitObject));
    ui::setToolkit(toolkit != nullptr ? toolkit : &ownToolkit);
}

} // namespace corvane::server
