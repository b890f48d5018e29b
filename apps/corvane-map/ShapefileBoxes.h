#pragma once
// Reads the box of every record of a .shp file straight from the file: each
// record starts with its shape's box, so the boxes of a million shapes cost
// one pass over the file instead of decoding a million shapes with OGR.
// Used on the render worker to index a Shapefile that has no .qix.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ShapeIndex.h"

namespace corvane::map {

// The boxes by feature ID (the record's position, as OGR numbers them),
// null shapes left out. Nullopt when the file is not a well-formed .shp
// (the caller then reads it with OGR). The file is mapped `windowBytes` at a
// time; a record larger than that makes it nullopt too.
inline constexpr std::size_t kShapefileWindowBytes = std::size_t{16} << 20;
[[nodiscard]] std::optional<std::vector<IndexedBox>> readShapefileBoxes(const std::string& shpPath,
                                                                        std::size_t windowBytes = kShapefileWindowBytes);

} // namespace corvane::map
