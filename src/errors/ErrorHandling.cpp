#include "errors/ErrorHandling.h"

#include <exception>
#include <new>

#include "host/HostError.h"
#include "shared/Public.h"
#include "shared/Runtime.h"
#include "ui/Form.h"

namespace ErrorHandling {

std::string ErrorLineText(std::int32_t line)
{
    if (line == 0) return {};
    return "Line : " + std::to_string(line);
}

std::string UnexpectedErrorText(const std::string& location, std::int32_t number, const std::string& description)
{
    using namespace CorvaneGIS_Public;
    const std::string lines[] = {
        "We're sorry, an unexpected error has occurred.",
        "",
        std::string("Please email ") + corvane::errors::kSupportEmail + " and we'll",
        "be happy to help out.",
        "",
        "Please let us know the following:",
        "",
        "APPLICATION: " + ProductName + " " + ProductVersion,
        "ERROR NUMBER: " + std::to_string(number),
        "MODULE: " + location,
        "ERROR DESCRIPTION: " + description,
        "",
        "If possible, please attach a screenshot of this",
        "message with your ArcMap project in the background.",
        "You can do this by pressing <CTRL> and <Prnt Screen>",
        "and then pasting the image into a graphics application",
        "such as Paint. Saving the image as a JPG is preferrable.",
        "",
        "Thank you!",
    };
    std::string text;
    for (const auto& line : lines) {
        if (&line != &lines[0]) text += "\r\n";
        text += line;
    }
    return text;
}

void ReportUnexpectedError(const std::string& location, std::int32_t number, const std::string& description)
{
    corvane::errors::Err().Clear();
    corvane::MsgBox(UnexpectedErrorText(location, number, description));
}

} // namespace ErrorHandling

namespace corvane::errors {

ErrState& Err()
{
    static ErrState state;
    return state;
}

void captureCurrentError()
{
    ErrState& err = Err();
    try {
        throw;
    } catch (const host::HostError& e) {
        err.Number = e.number();
        err.Description = e.description();
    } catch (const std::bad_alloc&) {
        err.Number = host::errors::kOutOfMemory;
        err.Description = host::standardErrorText(host::errors::kOutOfMemory);
    } catch (const std::exception& e) {
        err.Number = host::errors::kAutomationError;
        err.Description = e.what();
    } catch (...) {
        err.Number = host::errors::kAutomationError;
        err.Description = host::standardErrorText(host::errors::kAutomationError);
    }
}

void reportTrappedError(std::string_view procedure, std::string_view module, std::int32_t line) noexcept
{
    try {
        captureCurrentError();
        const ErrState& err = Err();
        const std::string location =
            std::string(procedure) + std::string(module) + " " + ErrorHandling::ErrorLineText(line);
        const std::int32_t number = err.Number;
        const std::string description = err.Description;
        ErrorHandling::ReportUnexpectedError(location, number, description);
    } catch (...) {
        // The message box itself failed: there is nobody left to tell.
        Err().Clear();
    }
}

} // namespace corvane::errors

namespace {

// An exception that escapes an event handler without a trap of its own is
// reported like any other unexpected error, naming the form; it never
// reaches the toolkit or the host.
const bool g_unhandledEventErrorsReported = [] {
    corvane::ui::setUnhandledErrorHandler([](const corvane::ui::Form& form, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (...) {
            corvane::errors::reportTrappedError("", form.name(), 0);
        }
    });
    return true;
}();

} // namespace
