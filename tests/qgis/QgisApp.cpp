#include "QgisApp.h"

#include <QDate>
#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <qgsapplication.h>
#include <qgsfeature.h>
#include <qgsgeometry.h>
#include <qgsvectorfilewriter.h>

namespace corvane::qgis::test {

namespace {

class QgisEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qgis_host_tests";
        static char* argv[] = {name, nullptr};
        // Kept to the end of the process: QGIS's own exit path is not ours to test.
        new QgsApplication(argc, argv, true);
        QgsApplication::initQgis();
    }
};

[[maybe_unused]] ::testing::Environment* const g_qgis = ::testing::AddGlobalTestEnvironment(new QgisEnvironment);

struct ParcelRow {
    const char* street;
    QVariant number;
    double x, y;
    QDate saleDate;
};

QgsFeature parcel(const QgsFields& fields, const ParcelRow& row)
{
    QgsFeature feature(fields);
    feature.setAttribute(QStringLiteral("STNAME"), row.street ? QVariant(QString::fromUtf8(row.street)) : QVariant());
    feature.setAttribute(QStringLiteral("ADDNUM"), row.number);
    feature.setAttribute(QStringLiteral("AREA"), 100.5);
    feature.setAttribute(QStringLiteral("SALEDATE"), row.saleDate.isValid() ? QVariant(row.saleDate) : QVariant());
    feature.setAttribute(QStringLiteral("STAMP"),
                         row.saleDate.isValid() ? QVariant(QDateTime(row.saleDate, QTime(14, 30))) : QVariant());
    feature.setGeometry(QgsGeometry::fromRect(QgsRectangle(row.x, row.y, row.x + 100.0, row.y + 50.0)));
    return feature;
}

} // namespace

std::unique_ptr<QgsVectorLayer> memoryParcels(const QString& name, const QString& crs)
{
    auto layer = std::make_unique<QgsVectorLayer>(
        QStringLiteral("Polygon?crs=%1&field=STNAME:string&field=ADDNUM:integer&field=AREA:double"
                       "&field=SALEDATE:date&field=STAMP:datetime")
            .arg(crs),
        name, QStringLiteral("memory"));
    const ParcelRow rows[] = {
        {"OAK ST", 10, 500000, 4500000, QDate(2003, 1, 2)},
        {"O'BRIEN ST", 12, 500200, 4500000, QDate(2010, 7, 4)},
        {"OAK ST", 7, 500400, 4500000, QDate()},
        {nullptr, QVariant(), 500600, 4500000, QDate(2003, 1, 2)},
        {"Oak St", 10, 500800, 4500000, QDate(1999, 12, 31)},
    };
    QgsFeatureList features;
    for (const ParcelRow& row : rows) features << parcel(layer->fields(), row);
    layer->dataProvider()->addFeatures(features);
    layer->updateExtents();
    return layer;
}

std::unique_ptr<QgsVectorLayer> geoPackageParcels(const QString& name)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(name + QStringLiteral(".gpkg"));
    const std::unique_ptr<QgsVectorLayer> source = memoryParcels(name);
    QgsVectorFileWriter::SaveVectorOptions options;
    options.driverName = QStringLiteral("GPKG");
    options.layerName = name;
    QString error;
    QgsVectorFileWriter::writeAsVectorFormatV3(source.get(), path, QgsCoordinateTransformContext(), options, &error, nullptr,
                                               nullptr);
    return std::make_unique<QgsVectorLayer>(path + QStringLiteral("|layername=") + name, name, QStringLiteral("ogr"));
}

std::unique_ptr<QgsVectorLayer> memoryTable(const QString& name)
{
    auto layer = std::make_unique<QgsVectorLayer>(QStringLiteral("None?field=OWNER:string"), name,
                                                  QStringLiteral("memory"));
    QgsFeature row(layer->fields());
    row.setAttribute(0, QStringLiteral("A. Owner"));
    layer->dataProvider()->addFeature(row);
    return layer;
}

} // namespace corvane::qgis::test
