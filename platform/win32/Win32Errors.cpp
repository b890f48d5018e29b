#include "win32/Win32Errors.h"

#include "host/HostError.h"

#include <windows.h>

namespace corvane::win32 {

namespace {
constexpr std::int32_t kDiskFull = 61;
constexpr std::int32_t kTooManyFiles = 67;
constexpr std::int32_t kDeviceUnavailable = 68;
} // namespace

void raiseFromWin32Error(unsigned long error, std::int32_t notFoundNumber)
{
    namespace e = host::errors;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        host::raiseError(notFoundNumber);
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        host::raiseError(e::kPathNotFound);
    case ERROR_INVALID_NAME:
        host::raiseError(e::kBadFileNameOrNumber);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        host::raiseError(e::kFileAlreadyExists);
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        host::raiseError(e::kPermissionDenied);
    case ERROR_NOT_READY:
        host::raiseError(kDeviceUnavailable, "Device unavailable");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        host::raiseError(kDiskFull, "Disk full");
    case ERROR_TOO_MANY_OPEN_FILES:
        host::raiseError(kTooManyFiles, "Too many files");
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        host::raiseError(e::kOutOfMemory);
    default:
        host::raiseError(e::kPathFileAccessError);
    }
}

} // namespace corvane::win32
