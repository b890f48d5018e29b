#include "gdal/HandedOutFeature.h"

#include <strings.h>

namespace corvane::gdal {

std::optional<std::string> HandedOutFeature::field(const std::string& name) const
{
    for (const auto& [fieldName, text] : fields) {
        if (strcasecmp(fieldName.c_str(), name.c_str()) == 0) return text;
    }
    return std::nullopt;
}

void HandedOutFeatures::publish(HandedOutFeature feature)
{
    const std::lock_guard lock(m_mutex);
    feature.serial = ++m_serial;
    m_latest = std::move(feature);
}

std::optional<HandedOutFeature> HandedOutFeatures::latest() const
{
    const std::lock_guard lock(m_mutex);
    return m_latest;
}

} // namespace corvane::gdal
