#pragma once
// Objects the system creates by class name, as `New ModelessFrame` does on
// the native platform. The host registers a factory for each class at
// start-up; creating an unregistered class raises error 429.

#include <functional>
#include <string>

#include "host/Ref.h"

namespace corvane::host {

inline constexpr const char* kAppRefClass = "esriFramework.AppRef";
inline constexpr const char* kModelessFrameClass = "esriFramework.ModelessFrame";
inline constexpr const char* kQueryFilterClass = "esriGeoDatabase.QueryFilter";

class HostClasses {
public:
    using Factory = std::function<Ref<HostObject>()>;
    virtual ~HostClasses() = default;
    virtual Ref<HostObject> create(const std::string& className) = 0;
};

// The table in force; set by the host at start-up (and by each test).
HostClasses& hostClasses();
void setHostClasses(HostClasses* classes);

template <class T>
Ref<T> createHostObject(const std::string& className)
{
    return hostClasses().create(className).template as<T>();
}

} // namespace corvane::host
