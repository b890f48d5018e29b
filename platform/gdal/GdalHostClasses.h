#pragma once
// The classes the system creates by name, for a host built on GIS files:
// the application reference (the running application), query filters and
// modeless frames (recording ones unless the map application sets its own).

#include <map>
#include <string>

#include "host/Application.h"
#include "host/HostClasses.h"

namespace corvane::gdal {

class GdalHostClasses final : public host::HostClasses {
public:
    explicit GdalHostClasses(host::Ref<host::IApplication> application);

    // Raises 429 for a class without a factory.
    host::Ref<host::HostObject> create(const std::string& className) override;
    void setFactory(const std::string& className, Factory factory) { m_factories[className] = std::move(factory); }

private:
    std::map<std::string, Factory> m_factories;
};

} // namespace corvane::gdal
