#pragma once
// POSIX error codes as the runtime's numbered file errors.

#include <cstdint>

namespace corvane::posix {

// ENOENT means different things per call (a missing file or a missing
// folder on the way to it), so the caller says which number it stands for.
[[noreturn]] void raiseFromErrno(int error, std::int32_t notFoundNumber);

} // namespace corvane::posix
