#include "posix/PosixErrors.h"

#include "host/HostError.h"

#include <cerrno>

namespace corvane::posix {

namespace {
constexpr std::int32_t kDiskFull = 61;
constexpr std::int32_t kTooManyFiles = 67;
} // namespace

void raiseFromErrno(int error, std::int32_t notFoundNumber)
{
    namespace e = host::errors;
    switch (error) {
    case ENOENT:
        host::raiseError(notFoundNumber);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        host::raiseError(e::kPathNotFound);
    case EEXIST:
    case ENOTEMPTY:
        host::raiseError(e::kFileAlreadyExists);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        host::raiseError(e::kPermissionDenied);
    case ENOSPC:
    case EDQUOT:
        host::raiseError(kDiskFull, "Disk full");
    case EMFILE:
    case ENFILE:
        host::raiseError(kTooManyFiles, "Too many files");
    case ENOMEM:
        host::raiseError(e::kOutOfMemory);
    default:
        host::raiseError(e::kPathFileAccessError);
    }
}

} // namespace corvane::posix
