#pragma once
// An in-memory spatial index of shape boxes: a packed R-tree (sort-tile-
// recursive), built once from every box of a layer and read-only after, so
// any number of threads may query it at once. The renderer builds one on its
// worker thread for files that carry no index of their own (a Shapefile
// without .qix, CSV, GeoJSON) and keeps it for the next draws; nothing is
// ever written beside the user's data.
//
//   std::vector<IndexedBox> boxes = ...;        // one per shape, any order
//   const ShapeIndex index(std::move(boxes));
//   index.visit(window, [](const IndexedBox& b) { draw(b.fid); return true; });

#include <cstdint>
#include <functional>
#include <vector>

#include "gdal/GdalGeometry.h"

namespace corvane::map {

struct IndexedBox {
    gdal::Box box;
    std::int64_t fid = 0;
};

class ShapeIndex {
public:
    explicit ShapeIndex(std::vector<IndexedBox> boxes);

    // Calls `visit` with every box that meets `area` (edges touching count),
    // in no particular order. Stops when `visit` returns false; returns
    // false then, true when every match was visited.
    bool visit(const gdal::Box& area, const std::function<bool(const IndexedBox&)>& visit) const;

    [[nodiscard]] std::size_t size() const noexcept { return m_boxes.size(); }
    [[nodiscard]] std::size_t memoryBytes() const noexcept;
    // The box around every box; all zero when empty.
    [[nodiscard]] gdal::Box bounds() const noexcept;

private:
    struct Node {
        gdal::Box box;
        std::uint32_t first = 0;  // into the level below (or m_boxes)
        std::uint32_t count = 0;
    };

    std::vector<IndexedBox> m_boxes;
    // m_levels[0] groups boxes, each level above groups the one below; the
    // last level is the root's children.
    std::vector<std::vector<Node>> m_levels;
};

// Whether two boxes share at least a point.
[[nodiscard]] inline bool meets(const gdal::Box& a, const gdal::Box& b) noexcept
{
    return a.xMin <= b.xMax && b.xMin <= a.xMax && a.yMin <= b.yMax && b.yMin <= a.yMax;
}

} // namespace corvane::map
