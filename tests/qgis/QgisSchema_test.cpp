#include <gtest/gtest.h>

#include "QgisApp.h"
#include "host/HostError.h"
#include "qgis/QgisTable.h"

namespace corvane::qgis {
namespace {

std::vector<std::pair<std::string, std::int32_t>> fieldsOf(host::ITable& table)
{
    std::vector<std::pair<std::string, std::int32_t>> out;
    const host::Ref<host::IFields> fields = table.Fields();
    for (std::int32_t i = 0; i < fields->FieldCount(); ++i) out.emplace_back(fields->Field(i)->Name(), fields->Field(i)->Type());
    return out;
}

TEST(QgisSchema, WithoutAKeyTheIdStandsInFirstThenTheShapeThenTheAttributesWithTheirTypes)
{
    const auto layer = test::memoryParcels();
    QgisTable table(*layer);
    const std::vector<std::pair<std::string, std::int32_t>> expected{
        {"FID", host::esriFieldTypeOID},        {"Shape", host::esriFieldTypeGeometry},
        {"STNAME", host::esriFieldTypeString},  {"ADDNUM", host::esriFieldTypeInteger},
        {"AREA", host::esriFieldTypeDouble},    {"SALEDATE", host::esriFieldTypeDate},
        {"STAMP", host::esriFieldTypeDate}};
    EXPECT_EQ(fieldsOf(table), expected);
    EXPECT_TRUE(table.HasOID());
    EXPECT_EQ(table.OIDFieldName(), "FID");
    EXPECT_EQ(table.FindField("stname"), 2);
    EXPECT_EQ(table.FindField("Shape"), 1);
    EXPECT_EQ(table.FindField("NOPE"), -1);
}

TEST(QgisSchema, TheStandInNeverHidesARealFieldOfTheSameName)
{
    QgsVectorLayer layer(QStringLiteral("Point?field=fid:string&field=FID_:integer"), QStringLiteral("P"),
                         QStringLiteral("memory"));
    QgisTable table(layer);
    EXPECT_EQ(table.OIDFieldName(), "FID__");
    EXPECT_EQ(table.FindField("fid"), 2);
}

TEST(QgisSchema, AGeoPackagesKeyIsTheObjectIdField)
{
    const auto layer = test::geoPackageParcels(QStringLiteral("KeyedParcels"));
    ASSERT_TRUE(layer->isValid());
    QgisTable table(*layer);
    EXPECT_EQ(table.OIDFieldName(), "fid");
    const auto fields = fieldsOf(table);
    ASSERT_GE(fields.size(), 3u);
    EXPECT_EQ(fields[0], (std::pair<std::string, std::int32_t>{"Shape", host::esriFieldTypeGeometry}));
    EXPECT_EQ(fields[1], (std::pair<std::string, std::int32_t>{"fid", host::esriFieldTypeOID}));
    EXPECT_EQ(table.FindField("FID"), 1);
}

TEST(QgisSchema, ATableWithoutGeometryHasNoShapeField)
{
    const auto layer = test::memoryTable(QStringLiteral("Owners"));
    QgisTable table(*layer);
    EXPECT_EQ(table.FindField("Shape"), -1);
    EXPECT_THROW(table.Fields()->Field(5), host::HostError);
}

} // namespace
} // namespace corvane::qgis
