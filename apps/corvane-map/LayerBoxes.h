#pragma once
// Where the boxes of a layer's shapes can be read without decoding the
// shapes: a GeoPackage's own R-tree, or an in-memory ShapeIndex built by
// reading the layer once. The renderer asks for them on its worker thread
// to draw shapes smaller than a pixel or two as dots; a layer whose store
// indexes it some other way (a Shapefile with .qix, a database) has none,
// and is drawn through OGR's spatial filter instead.
//
//   LayerBoxCache cache;                        // lives as long as the map
//   if (auto boxes = cache.boxesOf(table, control))
//       boxes->visit(window, control, [](const IndexedBox& b) { return true; });

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "RenderControl.h"
#include "ShapeIndex.h"
#include "gdal/LayerTable.h"

namespace corvane::map {

class LayerBoxes {
public:
    virtual ~LayerBoxes() = default;
    // Calls `visit` with each box meeting `area`. Returns false when it
    // stopped early: `visit` said so, or the render went stale.
    virtual bool visit(const gdal::Box& area, const RenderControl& control,
                       const std::function<bool(const IndexedBox&)>& visit) = 0;
    // True when OGR's spatial filter on the layer is as quick as these boxes
    // (the boxes only save decoding shapes, not finding them).
    [[nodiscard]] virtual bool storeFiltersQuickly() const noexcept = 0;
    [[nodiscard]] virtual std::int64_t count() const noexcept = 0;
    // The box around every shape.
    [[nodiscard]] virtual gdal::Box extent() const noexcept = 0;
};

// The boxes of each layer, found or built once and shared by every render.
// Thread-safe; building an index holds only the layer being built.
class LayerBoxCache {
public:
    // The layer's boxes, building an index first where the file has none
    // (with progress through `control`). Null when the layer is drawn
    // through OGR's spatial filter, or when the build was abandoned.
    std::shared_ptr<LayerBoxes> boxesOf(gdal::LayerTable& table, const RenderControl& control);

private:
    struct Entry {
        std::mutex building;
        bool known = false;
        std::shared_ptr<LayerBoxes> boxes;
    };
    std::mutex m_mutex;
    std::map<std::string, std::shared_ptr<Entry>> m_entries;
};

// Reads every shape's box of `table` into an in-memory index, reporting
// progress. Null when `control` abandons it. Raises HostError on a read error.
std::shared_ptr<const ShapeIndex> buildShapeIndex(gdal::LayerTable& table, const RenderControl& control);

} // namespace corvane::map
