#pragma once
// Conversions between the system's UTF-8 texts and COM strings.

#include "com/Types.h"

#include <string>
#include <string_view>

namespace corvane::com {

// A new BSTR that the caller owns; nullptr only when memory is exhausted.
BSTR toBstr(std::string_view utf8);
std::string fromBstr(BSTR text);

} // namespace corvane::com
