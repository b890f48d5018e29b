#pragma once
// The common report for errors that no routine expected, and the error
// state (the runtime's Err object) that trapping routines read it from.

#include <cstdint>
#include <string>
#include <string_view>

namespace ErrorHandling {

// Shows the report modally and returns when the user closes it. Clears Err first.
void ReportUnexpectedError(const std::string& location, std::int32_t number, const std::string& description);

// "" for 0, otherwise "Line : " and the number.
std::string ErrorLineText(std::int32_t line);

// The report's text, joined by CR LF, without a line end after the last line.
std::string UnexpectedErrorText(const std::string& location, std::int32_t number, const std::string& description);

} // namespace ErrorHandling

namespace corvane::errors {

// The runtime's current error: set when a routine traps one, cleared by the report.
struct ErrState {
    std::int32_t Number = 0;
    std::string Description;
    void Clear()
    {
        Number = 0;
        Description.clear();
    }
};
ErrState& Err();

// Call inside a catch block: sets Err from the exception being handled
// (HostError as it is, bad_alloc as error 7, anything else as error 440).
void captureCurrentError();

// Call inside a catch block: captures the error and reports it with the
// location procedure + module + " " + ErrorLineText(line). Never throws.
void reportTrappedError(std::string_view procedure, std::string_view module, std::int32_t line) noexcept;

inline constexpr const char* kSupportEmail = "support@corvanegis.example.com";

} // namespace corvane::errors
