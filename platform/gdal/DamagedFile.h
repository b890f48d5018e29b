#pragma once
// Which file of a Shapefile GDAL blames when reading fails. A Shapefile is
// three files (.shp shapes, .shx index, .dbf attributes) but GDAL's messages
// say only ".shp file", ".shx file" or "DBF file"; the person who has to
// mend or replace the file needs its full name. Called wherever a read
// error of a layer is raised, on whatever thread reads.
//
//   raiseGdalFailure("Cannot read Parcels from " + path,
//                    withDamagedFile(gdalMessage, path, "Parcels"));

#include <string>

namespace corvane::gdal {

// `gdalMessage` followed by "; damaged file: <full path>" when the message
// blames one of the three files and that file exists; otherwise unchanged.
// `sourcePath` is the .shp itself or the folder holding it; `layerName`
// names the layer's files inside a folder.
[[nodiscard]] std::string withDamagedFile(const std::string& gdalMessage, const std::string& sourcePath,
                                          const std::string& layerName);

} // namespace corvane::gdal
