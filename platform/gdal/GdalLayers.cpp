#include "gdal/GdalLayers.h"

#include "host/HostError.h"

namespace corvane::gdal {

host::Ref<host::ILayer> GroupLayer::Layer(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_layers.size()) {
        host::raiseError(host::errors::kHostCallFailed,
                         "Layer index " + std::to_string(index) + " is out of range for group " + m_name);
    }
    return m_layers[static_cast<std::size_t>(index)];
}

} // namespace corvane::gdal
