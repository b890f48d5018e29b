#pragma once
// Shared by the QGIS host tests: QGIS initialised offscreen once per
// program, and small layers built in memory or written to a GeoPackage.

#include <QString>
#include <memory>

#include <qgsvectorlayer.h>

namespace corvane::qgis::test {

// A polygon layer in EPSG:32618 (or `crs`) from the memory provider, with
// STNAME (text), ADDNUM (integer), AREA (double), SALEDATE (date) and
// STAMP (date and time), holding the rows of parcelRows().
std::unique_ptr<QgsVectorLayer> memoryParcels(const QString& name = QStringLiteral("Parcels"),
                                              const QString& crs = QStringLiteral("EPSG:32618"));
// The same rows in a GeoPackage written to a temporary folder (its key field "fid").
std::unique_ptr<QgsVectorLayer> geoPackageParcels(const QString& name = QStringLiteral("Parcels"));
// A layer without geometry.
std::unique_ptr<QgsVectorLayer> memoryTable(const QString& name);

} // namespace corvane::qgis::test
