#pragma once
// The last feature a map's feature cursors handed out for an object-ID
// list search: the search the system makes for the one feature it is about
// to zoom to. The map application reads it after the next refresh to mark
// that feature, so the system itself never has to say which one it was.
// Written and read on the UI thread; guarded anyway, as drawing threads may
// look.
//
//   auto record = std::make_shared<HandedOutFeatures>();
//   table.setHandOuts(record);            // done for every table of a map
//   ... the system searches "OBJECTID in (42)" and takes the feature ...
//   if (auto last = record->latest()) mark(last->shape, last->srs);

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "gdal/GdalGeometry.h"

namespace corvane::gdal {

class LayerTable;

struct HandedOutFeature {
    const LayerTable* table = nullptr;  // identity only: which layer it came from
    std::int64_t fid = 0;
    std::shared_ptr<const OGRGeometry> shape;  // empty when it has none
    Srs srs;
    // Field name and value as text, for its label.
    std::vector<std::pair<std::string, std::string>> fields;
    // Grows with every hand-out: tells a new one from one already seen.
    std::uint64_t serial = 0;

    [[nodiscard]] std::optional<std::string> field(const std::string& name) const;
};

class HandedOutFeatures {
public:
    void publish(HandedOutFeature feature);
    [[nodiscard]] std::optional<HandedOutFeature> latest() const;

private:
    mutable std::mutex m_mutex;
    std::optional<HandedOutFeature> m_latest;
    std::uint64_t m_serial = 0;
};

} // namespace corvane::gdal
