#pragma once
// The one error type of the system: a number and a description, as the
// host's automation runtime reports them. Host calls, platform calls and the
// system's own routines throw it; trapping routines catch it at their boundary.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane::host {

class HostError : public std::runtime_error {
public:
    HostError(std::int32_t number, std::string description)
        : std::runtime_error(description), m_number(number), m_description(std::move(description)) {}

    [[nodiscard]] std::int32_t number() const noexcept { return m_number; }
    [[nodiscard]] const std::string& description() const noexcept { return m_description; }

private:
    std::int32_t m_number;
    std::string m_description;
};

// Numbers and texts of the runtime errors the system can meet.
namespace errors {
inline constexpr std::int32_t kInvalidProcedureCall = 5;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kBadFileNameOrNumber = 52;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kBadFileMode = 54;
inline constexpr std::int32_t kFileAlreadyOpen = 55;
inline constexpr std::int32_t kFileAlreadyExists = 58;
inline constexpr std::int32_t kInputPastEndOfFile = 62;
inline constexpr std::int32_t kPermissionDenied = 70;
inline constexpr std::int32_t kPathFileAccessError = 75;
inline constexpr std::int32_t kPathNotFound = 76;
inline constexpr std::int32_t kObjectNotSet = 91;
inline constexpr std::int32_t kInvalidUseOfNull = 94;
inline constexpr std::int32_t kCannotCreateObject = 429;
inline constexpr std::int32_t kAutomationError = 440;
// A failed host call carries the host's HRESULT, which reads as a negative number.
inline constexpr std::int32_t kHostCallFailed = static_cast<std::int32_t>(0x80004005u);
} // namespace errors

[[noreturn]] void raiseError(std::int32_t number);           // with the runtime's standard text
[[noreturn]] void raiseError(std::int32_t number, std::string description);
[[nodiscard]] std::string standardErrorText(std::int32_t number);

} // namespace corvane::host
