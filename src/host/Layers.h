#pragma once
// Layers of a map. Group layers are found by a type test and walked through
// ICompositeLayer; feature layers reach their table through IDisplayTable.

#include <cstdint>
#include <string>

#include "host/Tables.h"

namespace corvane::host {

struct ILayer : virtual HostObject {
    virtual std::string Name() = 0;
};

struct IGroupLayer : virtual ILayer {};

struct ICompositeLayer : virtual HostObject {
    virtual std::int32_t Count() = 0;
    virtual Ref<ILayer> Layer(std::int32_t index) = 0;
};

// The table that a layer displays; may be empty.
struct IDisplayTable : virtual HostObject {
    virtual Ref<ITable> DisplayTable() = 0;
};

struct IFeatureLayer : virtual ILayer {
    virtual Ref<IFeatureClass> FeatureClass() = 0;
    virtual Ref<IFeatureCursor> Search(const Ref<IQueryFilter>& filter, bool recycling) = 0;
};

} // namespace corvane::host
