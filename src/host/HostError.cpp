#include "host/HostError.h"

namespace corvane::host {

std::string standardErrorText(std::int32_t number)
{
    switch (number) {
    case errors::kInvalidProcedureCall: return "Invalid procedure call or argument";
    case errors::kOutOfMemory: return "Out of memory";
    case errors::kTypeMismatch: return "Type mismatch";
    case errors::kBadFileNameOrNumber: return "Bad file name or number";
    case errors::kFileNotFound: return "File not found";
    case errors::kBadFileMode: return "Bad file mode";
    case errors::kFileAlreadyOpen: return "File already open";
    case errors::kFileAlreadyExists: return "File already exists";
    case errors::kInputPastEndOfFile: return "Input past end of file";
    case errors::kPermissionDenied: return "Permission denied";
    case errors::kPathFileAccessError: return "Path/File access error";
    case errors::kPathNotFound: return "Path not found";
    case errors::kObjectNotSet: return "Object variable or With block variable not set";
    case errors::kInvalidUseOfNull: return "Invalid use of Null";
    case errors::kCannotCreateObject: return "ActiveX component can't create object";
    case errors::kAutomationError: return "Automation error";
    default: return "Application-defined or object-defined error";
    }
}

void raiseError(std::int32_t number) { throw HostError(number, standardErrorText(number)); }

void raiseError(std::int32_t number, std::string description) { throw HostError(number, std::move(description)); }

} // namespace corvane::host
