#pragma once
// Builds maps from GIS files. Each vector layer of a file becomes a feature
// layer named as GDAL names it, a table without shapes or a raster a plain
// layer. A file with several layers becomes a group layer named after the
// file. Layer names may spell groups with "/": a layer "Utilities/Water/
// Hydrants" is the feature layer "Hydrants" inside the group "Water" inside
// the group "Utilities" (layers that share a group path share the group).
// A CSV file gets its shapes from columns named X/Y, LON/LAT or EASTING/
// NORTHING unless the caller's open options say otherwise.
// A PostgreSQL connection string ("PG:dbname=... tables=...") opens like a
// file named after its database; its tables with and without shapes become
// layers, grouped by schema when tables of more than one schema are shown.

#include <memory>
#include <string>
#include <vector>

#include "gdal/DataSource.h"
#include "gdal/GdalDocument.h"
#include "gdal/GdalMap.h"
#include "host/Layers.h"

namespace corvane::gdal {

// The top-level layers that one file contributes (one layer or one group).
// Raises HostError naming the file when it is missing, not a GIS file or
// damaged.
// A file with more tables than GDAL opens (OGR_TABLE_LIMIT) adds a warning
// naming the file to `warnings` when given.
std::vector<host::Ref<host::ILayer>> openGisFile(const std::string& path, const OpenOptions& options = {},
                                                 std::vector<std::string>* warnings = nullptr);

// A map of every file, in order; the first file's layers are on top. The
// map's warnings() say what the files did not give.
std::shared_ptr<GdalMap> openMap(const std::vector<std::string>& paths, const OpenOptions& options = {});

std::shared_ptr<GdalDocument> openDocument(const std::vector<std::string>& paths, const OpenOptions& options = {});

} // namespace corvane::gdal
