#pragma once
// The process-wide table through which a host hands its services to the
// server libraries it loads, as ole32 does for class objects. It lives in a
// small shared runtime library (libcorvane_ole) that the host and every
// server library link dynamically, so there is exactly one per process,
// while everything else a server library holds is its own.
//
// At start-up, before it loads any server, the host publishes:
//   kHostClassesObject  corvane::host::HostClasses*  (AppRef, ModelessFrame,
//                                                     QueryFilter factories)
//   kFileSystemObject   corvane::host::FileSystem*
//   kToolkitObject      corvane::ui::Toolkit*
// and keeps them alive while any server object lives. A server library reads
// them each time it hands out a class object and installs them as its own
// services. An entry that was never published reads as null.
//
// UI thread only, like everything the host does with its servers.

#ifdef _WIN32
#define CORVANE_OLE_API extern "C"
#else
#define CORVANE_OLE_API extern "C" __attribute__((visibility("default")))
#endif

// Publishes (or, with null, withdraws) an object under a name.
CORVANE_OLE_API void CorvanePublishProcessObject(const char* name, void* object);
// The object published under the name, or null.
CORVANE_OLE_API void* CorvaneProcessObject(const char* name);

namespace corvane::com {

inline constexpr const char* kHostClassesObject = "corvane.host.HostClasses";
inline constexpr const char* kFileSystemObject = "corvane.host.FileSystem";
inline constexpr const char* kToolkitObject = "corvane.ui.Toolkit";

} // namespace corvane::com
