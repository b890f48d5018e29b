#pragma once
// Win32 error codes (GetLastError) as the runtime's error numbers, the ones
// the system's file routines report: 53 file not found, 76 path not found,
// 58 already exists, 70 permission denied, 75 path/file access error,
// 61 disk full. Raises HostError; never returns.

#include <cstdint>

namespace corvane::win32 {

// `notFoundNumber`: what a missing file or folder is in this call (53 or 76).
[[noreturn]] void raiseFromWin32Error(unsigned long error, std::int32_t notFoundNumber);

} // namespace corvane::win32
