#pragma once
// GUIDs as registry text: "{874DCB92-E85B-476F-A001-73770CC0A220}".

#include "com/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace corvane::com {

// Upper-case hexadecimal, in braces.
[[nodiscard]] std::string toString(const GUID& guid);
// Accepts either case; nullopt for anything that is not a braced GUID.
[[nodiscard]] std::optional<GUID> parseGuid(std::string_view text);

} // namespace corvane::com
