#include "gdal/CplErrors.h"

#include "host/HostError.h"

namespace corvane::gdal {

ScopedCplErrors::ScopedCplErrors()
{
    CPLErrorReset();
    CPLPushErrorHandlerEx(&ScopedCplErrors::handler, this);
}

ScopedCplErrors::~ScopedCplErrors() { CPLPopErrorHandler(); }

void CPL_STDCALL ScopedCplErrors::handler(CPLErr level, CPLErrorNum, const char* text)
{
    if (level < CE_Warning) return;  // debug output
    auto* self = static_cast<ScopedCplErrors*>(CPLGetErrorHandlerUserData());
    if (self == nullptr) return;
    const std::string message = text != nullptr ? text : "";
    if (level == CE_Warning) {  // kept, but not an error
        self->m_warnings.push_back(message);
        return;
    }
    for (std::size_t i = 0; i < self->m_toleratedCount; ++i) {
        if (message.find(self->m_tolerated[i]) != std::string::npos) return;
    }
    self->m_failures.push_back(message);
}

std::string ScopedCplErrors::message() const
{
    std::string joined;
    for (const auto& text : m_failures) {
        if (!joined.empty()) joined += "; ";
        joined += text;
    }
    return joined;
}

void ScopedCplErrors::clear()
{
    m_failures.clear();
    m_warnings.clear();
    CPLErrorReset();
}

void ScopedCplErrors::raise(const std::string& context) const { raiseGdalFailure(context, message()); }

void raiseGdalFailure(const std::string& context, const std::string& gdalMessage)
{
    std::string description = context;
    if (!gdalMessage.empty()) description += ": " + gdalMessage;
    host::raiseError(host::errors::kHostCallFailed, std::move(description));
}

} // namespace corvane::gdal
