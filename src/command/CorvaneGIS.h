#pragma once
// The component's type library CorvaneGIS 1.0: its identifiers, the default
// interface of the command class, and the description of the server that
// the four exports hand to the COM server support.

#include "com/Server.h"
#include "com/Unknown.h"

// The class's default interface: a dispatch interface with no members of its own.
struct _CorvaneAddressSearch : IDispatch {
  protected:
    ~_CorvaneAddressSearch() = default;
};

inline constexpr GUID LIBID_CorvaneGIS = corvane::com::guid("{7796FB90-1ED0-40B7-A276-1E465D5D1DB1}");
inline constexpr CLSID CLSID_CorvaneAddressSearch = corvane::com::guid("{874DCB92-E85B-476F-A001-73770CC0A220}");
inline constexpr IID IID__CorvaneAddressSearch = corvane::com::guid("{BAB6E39E-B393-4F3D-A633-6493195648BC}");

namespace corvane::command {

inline constexpr const char* kProgId = "CorvaneGIS.CorvaneAddressSearch";

// The classes and type library of this server.
extern const com::ServerDescription kServer;

} // namespace corvane::command
