#pragma once
// Turns GDAL's error reporting into the host's error type. While a
// ScopedCplErrors lives, CPL messages on this thread are collected instead of
// printed; the owner asks whether anything failed and raises one HostError
// whose description carries GDAL's own text.

#include <array>
#include <string>
#include <vector>

#include <cpl_error.h>

namespace corvane::gdal {

class ScopedCplErrors {
public:
    // Resets the thread's last CPL error so that a stale one is never read.
    ScopedCplErrors();
    ~ScopedCplErrors();
    ScopedCplErrors(const ScopedCplErrors&) = delete;
    ScopedCplErrors& operator=(const ScopedCplErrors&) = delete;

    // A failure was reported through this handler since construction (or
    // since clear()). Failures that GDAL silenced with a handler of its own
    // are its business and do not count.
    [[nodiscard]] bool failed() const { return !m_failures.empty(); }
    // Failures whose text contains `fragment` (a literal that outlives this
    // object) are not failures here. At most four.
    void tolerate(const char* fragment)
    {
        if (m_toleratedCount < m_tolerated.size()) m_tolerated[m_toleratedCount++] = fragment;
    }
    // The warnings reported since construction (or since clear()).
    [[nodiscard]] const std::vector<std::string>& warnings() const noexcept { return m_warnings; }
    // The failure messages joined by "; ", or the last error's text.
    [[nodiscard]] std::string message() const;
    void clear();

    // Raises HostError(kHostCallFailed, context + ": " + message()).
    [[noreturn]] void raise(const std::string& context) const;

private:
    static void CPL_STDCALL handler(CPLErr level, CPLErrorNum number, const char* text);
    std::vector<std::string> m_failures;
    std::vector<std::string> m_warnings;
    std::array<const char*, 4> m_tolerated{};
    std::size_t m_toleratedCount = 0;
};

// The host error for a failed GDAL call, with GDAL's text when there is one.
[[noreturn]] void raiseGdalFailure(const std::string& context, const std::string& gdalMessage);

} // namespace corvane::gdal
