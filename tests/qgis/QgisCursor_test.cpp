#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "QgisApp.h"
#include "host/HostError.h"
#include "host/QueryFilter.h"
#include "qgis/QgisGeometry.h"
#include "qgis/QgisTable.h"

namespace corvane::qgis {
namespace {

host::Ref<host::IQueryFilter> where(const std::string& clause)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause(clause);
    return filter;
}

// Texts of one field over a whole cursor, "<Null>" for Null.
std::vector<std::string> column(host::ICursor& cursor, const std::string& field)
{
    std::vector<std::string> out;
    const std::int32_t index = cursor.FindField(field);
    while (const host::Ref<host::IRow> row = cursor.NextRow()) {
        const host::Variant value = row->Value(index);
        out.push_back(value.isNull() ? "<Null>" : value.toText());
    }
    return out;
}

class CursorTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        m_layer = GetParam() ? test::geoPackageParcels() : test::memoryParcels();
        ASSERT_TRUE(m_layer->isValid());
        m_table = std::make_shared<QgisTable>(*m_layer);
    }
    std::unique_ptr<QgsVectorLayer> m_layer;
    std::shared_ptr<QgisTable> m_table;
};

TEST_P(CursorTest, AWholeReadGivesEveryRowWithNullsAndTypedValues)
{
    // The order of a whole read is the host's own (a GeoPackage hands its rows out grouped).
    const auto all = m_table->Search({}, false);
    std::vector<std::string> streets = column(*all, "STNAME");
    std::sort(streets.begin(), streets.end());
    EXPECT_EQ(streets, (std::vector<std::string>{"<Null>", "O'BRIEN ST", "OAK ST", "OAK ST", "Oak St"}));
    EXPECT_EQ(m_table->RowCount({}), 5);
    EXPECT_EQ(m_table->FeatureCount(where("STNAME = 'OAK ST'")), 2);

    const auto rows = m_table->Search(where("STNAME = 'O''BRIEN ST'"), true);
    const host::Ref<host::IRow> row = rows->NextRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Value(rows->FindField("ADDNUM")), host::Variant(std::int64_t{12}));
    EXPECT_EQ(row->Value(rows->FindField("AREA")), host::Variant(100.5));
    EXPECT_EQ(row->Value(rows->FindField("SALEDATE")), host::Variant(host::DateTime{2010, 7, 4}));
    EXPECT_EQ(row->Value(rows->FindField("STAMP")), host::Variant(host::DateTime{2010, 7, 4, 14, 30, 0}));
    EXPECT_THROW(row->Value(rows->FindField("Shape")), host::HostError);
    EXPECT_FALSE(rows->NextRow());
    EXPECT_FALSE(rows->NextRow());
}

TEST_P(CursorTest, ClausesFindByTextDateAndNullExactlyAsWritten)
{
    EXPECT_EQ(column(*m_table->Search(where("STNAME = 'OAK ST' AND ADDNUM = 7"), true), "ADDNUM"),
              (std::vector<std::string>{"7"}));
    EXPECT_EQ(column(*m_table->Search(where("SALEDATE = #1/2/2003#"), true), "ADDNUM"),
              (std::vector<std::string>{"10", "<Null>"}));
    EXPECT_EQ(column(*m_table->Search(where("STNAME IS NULL"), true), "SALEDATE"),
              (std::vector<std::string>{"1/2/2003"}));
    EXPECT_TRUE(column(*m_table->Search(where("STNAME = 'oak st'"), true), "STNAME").empty());
    EXPECT_THROW(m_table->Search(where("STREET = 'OAK ST'"), true), host::HostError);
}

TEST_P(CursorTest, AnIdListGivesItsFeaturesInTheListsOrderAndSkipsMissingIds)
{
    std::vector<std::int32_t> ids;
    const auto all = m_table->Search({}, false);
    while (const auto row = all->NextRow()) ids.push_back(row->OID());
    ASSERT_EQ(ids.size(), 5u);

    const std::string clause = m_table->OIDFieldName() + " in (" + std::to_string(ids[3]) + "," +
                               std::to_string(ids[0]) + ",999999," + std::to_string(ids[1]) + ")";
    const auto features = m_table->searchFeatures(where(clause));
    std::vector<std::int32_t> got;
    while (const auto feature = features->NextFeature()) {
        got.push_back(feature->OID());
        EXPECT_FALSE(feature->Shape()->Envelope()->XMax() == 0.0);
    }
    EXPECT_EQ(got, (std::vector<std::int32_t>{ids[3], ids[0], ids[1]}));
}

TEST_P(CursorTest, EveryRowOfANarrowedOrGroupedReadKeepsItsOwnIdAndFields)
{
    // What each ID holds, read row by row with every field.
    std::map<std::int32_t, std::pair<std::string, std::string>> truth;
    const auto whole = m_table->Search(where("ADDNUM > 0 OR ADDNUM IS NULL"), false);
    const std::int32_t street = whole->FindField("STNAME");
    const std::int32_t number = whole->FindField("ADDNUM");
    auto text = [](const host::Variant& v) { return v.isNull() ? std::string("<Null>") : v.toText(); };
    while (const auto row = whole->NextRow()) truth[row->OID()] = {text(row->Value(street)), text(row->Value(number))};
    ASSERT_EQ(truth.size(), 5u);

    // A whole read asked for the street only, then, on two rows, for the ID and the number.
    const auto rows = m_table->Search({}, false);
    std::map<std::int32_t, std::pair<std::string, std::string>> seen;
    std::size_t index = 0;
    std::vector<std::string> streets;
    while (const auto row = rows->NextRow()) {
        streets.push_back(text(row->Value(street)));
        if (++index == 3 || index == 5) seen[row->OID()] = {streets.back(), text(row->Value(number))};
    }
    EXPECT_EQ(streets.size(), 5u);
    ASSERT_EQ(seen.size(), 2u);
    for (const auto& [id, fields] : seen) EXPECT_EQ(fields, truth.at(id)) << id;
}

TEST_P(CursorTest, AFeaturesShapeHasItsEnvelopeInTheLayersSystem)
{
    const auto features = m_table->searchFeatures(where("ADDNUM = 7"));
    const auto feature = features->NextFeature();
    ASSERT_TRUE(feature);
    const host::Ref<host::IEnvelope> envelope = feature->Shape()->Envelope();
    EXPECT_DOUBLE_EQ(envelope->XMin(), 500400.0);
    EXPECT_DOUBLE_EQ(envelope->YMax(), 4500050.0);
    const auto* ours = dynamic_cast<QgisEnvelope*>(envelope.get());
    ASSERT_NE(ours, nullptr);
    EXPECT_EQ(ours->crs().authid(), QStringLiteral("EPSG:32618"));
    envelope->Expand(1.2, 1.2, true);
    EXPECT_DOUBLE_EQ(envelope->XMin(), 500390.0);
    EXPECT_DOUBLE_EQ(envelope->XMax(), 500510.0);
    EXPECT_THROW(envelope->Expand(-1.0, 1.0, true), host::HostError);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndGeoPackage, CursorTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& param) { return param.param ? "GeoPackage" : "Memory"; });

} // namespace
} // namespace corvane::qgis
