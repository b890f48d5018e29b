// The component as COM sees it, written once: its class and its type library.
#include "com/ICommand.h"
#include "command/CommandObject.h"
#include "command/CorvaneGIS.h"

#include <array>

namespace corvane::command {

namespace {

using namespace corvane::com;

constexpr std::array kClasses = {
    CoClassEntry{CLSID_CorvaneAddressSearch, "CorvaneAddressSearch", kProgId, "Apartment", &createCommandObject},
};

constexpr std::array kCoClassInterfaces = {
    ImplementedInterface{"_CorvaneAddressSearch", IID__CorvaneAddressSearch, true},
    ImplementedInterface{"ICommand", IID_ICommand, false},
};

constexpr std::array kTypes = {
    TypeDescription{TypeKind::DispatchInterface,
                    "_CorvaneAddressSearch",
                    IID__CorvaneAddressSearch,
                    kTypeFlagHidden | kTypeFlagDual | kTypeFlagNonExtensible | kTypeFlagOleAutomation,
                    {}},
    TypeDescription{TypeKind::CoClass, "CorvaneAddressSearch", CLSID_CorvaneAddressSearch, kTypeFlagCanCreate,
                    kCoClassInterfaces},
};

constexpr TypeLibraryEntry kTypeLibrary{LIBID_CorvaneGIS, "CorvaneGIS", 1, 0, 0x0409, kTypes};

} // namespace

const ServerDescription kServer{kClasses, &kTypeLibrary, nullptr};

} // namespace corvane::command
