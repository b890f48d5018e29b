#include "gdal/GdalCursor.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "TownFiles.h"
#include "host/HostError.h"
#include "host/QueryFilter.h"

namespace corvane::gdal {
namespace {

using testing::parcelsOf;
using testing::townFiles;

constexpr int kPerStreet = testing::kTownParcels / testing::kTownStreets;

class GdalCursorTest : public ::testing::TestWithParam<std::string> {
protected:
    std::shared_ptr<FeatureLayer> m_parcels = parcelsOf(GetParam());
    LayerTable& table() { return m_parcels->table(); }
    std::int32_t street() { return table().FindField("STNAME"); }

    static host::Ref<host::IQueryFilter> where(const std::string& clause)
    {
        auto filter = host::makeRef<host::QueryFilter>();
        filter->WhereClause(clause);
        return filter;
    }

    std::vector<host::Ref<host::IRow>> rows(const std::string& clause)
    {
        std::vector<host::Ref<host::IRow>> found;
        auto cursor = table().Search(where(clause), false);
        while (auto row = cursor->NextRow()) found.push_back(row);
        return found;
    }

    std::vector<std::int32_t> featureIds(const std::string& clause)
    {
        std::vector<std::int32_t> ids;
        auto cursor = m_parcels->Search(where(clause), true);
        while (auto feature = cursor->NextFeature()) ids.push_back(feature->OID());
        return ids;
    }

    host::HostError searchError(const std::string& clause)
    {
        try {
            auto cursor = table().Search(where(clause), true);
            while (cursor->NextRow()) {
            }
        } catch (const host::HostError& error) {
            return error;
        }
        ADD_FAILURE() << "no error for " << clause;
        return host::HostError(0, "");
    }
};

TEST_P(GdalCursorTest, TextLiteralsMatchExactlyWithQuotesCaseAndBlanks)
{
    // A Shapefile keeps no leading blanks: its street reads "ELM ST".
    const std::string elm = GetParam() == townFiles().parcelsShp ? "ELM ST" : " ELM ST";
    for (const std::string& name : {std::string("O'NEIL RD"), std::string("Main St"), std::string("MAIN ST"), elm}) {
        std::string escaped;
        for (const char c : name) escaped += c == '\'' ? std::string("''") : std::string(1, c);
        const auto found = rows("STNAME = '" + escaped + "'");
        EXPECT_EQ(found.size(), static_cast<std::size_t>(kPerStreet)) << name;
        for (const auto& row : found) EXPECT_EQ(row->Value(street()), host::Variant(name));
    }
}

TEST_P(GdalCursorTest, AnAddressClauseFindsBothParcelsOfADuplicateNumber)
{
    const auto found = rows("STNAME = 'Main St' AND ADDNUM = 4");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_NE(found[0]->OID(), found[1]->OID());
    EXPECT_TRUE(rows("STNAME = 'MAIN ST' AND ADDNUM_TXT = '4'").size() == 1u);
}

TEST_P(GdalCursorTest, DateLiteralsFindTheirDay)
{
    const auto found = rows("SALEDATE = #1/2/2003#");
    ASSERT_FALSE(found.empty());
    const std::int32_t date = table().FindField("SALEDATE");
    for (const auto& row : found) EXPECT_EQ(row->Value(date), host::Variant(host::DateTime{2003, 1, 2}));
    EXPECT_EQ(rows("SALEDATE = #1/2/2003# AND STNAME = 'Main St'").size(), 1u);
}

TEST_P(GdalCursorTest, BlankClausesAndEmptyFiltersReadEveryRow)
{
    EXPECT_EQ(rows("").size(), static_cast<std::size_t>(testing::kTownParcels));
    EXPECT_EQ(rows("   ").size(), static_cast<std::size_t>(testing::kTownParcels));
    auto cursor = table().Search(nullptr, true);
    int count = 0;
    while (cursor->NextRow()) ++count;
    EXPECT_EQ(count, testing::kTownParcels);
    EXPECT_FALSE(cursor->NextRow());  // and stays at its end
}

TEST_P(GdalCursorTest, RejectedClausesAreHostErrorsCarryingGdalsMessage)
{
    // Some drivers refuse these when the filter is set, others only when
    // the first row is read: both must raise from Search.
    for (const std::string clause : {"NOSUCH = 1", "ADDNUM = NONE", "ADDNUM = O''NEIL RD", "STNAME = 'unclosed"}) {
        const auto error = searchError(clause);
        EXPECT_LT(error.number(), 0) << clause;
        EXPECT_NE(error.description().find(clause), std::string::npos) << error.description();
        EXPECT_GT(error.description().size(), clause.size() + 40) << "no GDAL message: " << error.description();
    }
}

TEST_P(GdalCursorTest, ObjectIdListsFetchThoseFeaturesOnce)
{
    const std::string oid = table().OIDFieldName();
    EXPECT_EQ(featureIds(oid + " in (7,12)"), (std::vector<std::int32_t>{7, 12}));
    EXPECT_EQ(featureIds(oid + " in (12,7,7,99999)"), (std::vector<std::int32_t>{7, 12}));
    EXPECT_TRUE(featureIds(oid + " in (99999)").empty());
    auto filter = where(oid + " in (3,5)");
    EXPECT_EQ(table().RowCount(filter), 2);
}

TEST_P(GdalCursorTest, FeaturesCarryShapesAndAttributeRowsFetchThemOnDemand)
{
    auto feature = m_parcels->Search(where("STNAME = 'O''NEIL RD'"), false)->NextFeature();
    auto row = table().Search(where("STNAME = 'O''NEIL RD'"), false)->NextRow();
    ASSERT_TRUE(feature && row);
    ASSERT_EQ(feature->OID(), row->OID());
    auto fromFeature = feature->Shape()->Envelope();
    auto fromRow = row.as<host::IFeature>()->Shape()->Envelope();
    EXPECT_DOUBLE_EQ(fromFeature->XMin(), fromRow->XMin());
    EXPECT_DOUBLE_EQ(fromFeature->YMax(), fromRow->YMax());
    EXPECT_GT(fromFeature->XMax() - fromFeature->XMin(), 1.0);
}

TEST_P(GdalCursorTest, CursorsOverOneLayerReadIndependently)
{
    auto main = table().Search(where("STNAME = 'Main St'"), false);
    auto first = main->NextRow();
    auto other = table().Search(where("STNAME = 'O''NEIL RD'"), false);
    int others = 0;
    while (other->NextRow()) ++others;
    EXPECT_EQ(others, kPerStreet);
    int mains = 1;
    while (auto row = main->NextRow()) {
        EXPECT_EQ(row->Value(street()), host::Variant("Main St"));
        ++mains;
    }
    EXPECT_EQ(mains, kPerStreet);
    EXPECT_EQ(first->Value(street()), host::Variant("Main St"));
}

TEST_P(GdalCursorTest, ARecycledRowThatIsStillHeldKeepsItsValues)
{
    auto cursor = table().Search(nullptr, true);
    auto first = cursor->NextRow();
    const auto id = first->OID();
    auto second = cursor->NextRow();
    EXPECT_EQ(first->OID(), id);
    EXPECT_NE(second->OID(), id);
}

TEST_P(GdalCursorTest, ALongReadNarrowedToItsFieldsStillYieldsEveryRowOnceWithAllItsValues)
{
    // The first row is asked for the street only; later rows for more. A
    // filtered read narrows after its first batch, a whole-table one reads
    // the street column alone.
    for (const auto& filter : {host::Ref<host::IQueryFilter>(), where(table().OIDFieldName() + " >= 0")}) {
        SCOPED_TRACE(filter ? filter->WhereClause() : "no filter");
        auto cursor = table().Search(filter, false);
        const std::int32_t parcelId = table().FindField("PARCEL_ID");
        std::set<std::int32_t> ids;
        std::set<std::string> parcelIds;
        int rowsRead = 0;
        while (auto row = cursor->NextRow()) {
            (void)row->Value(street());
            if (rowsRead++ > 0) parcelIds.insert(row->Value(parcelId).toText());
            ids.insert(row->OID());
        }
        EXPECT_EQ(rowsRead, testing::kTownParcels);
        EXPECT_EQ(ids.size(), static_cast<std::size_t>(testing::kTownParcels));
        EXPECT_EQ(parcelIds.size(), static_cast<std::size_t>(testing::kTownParcels - 1));
        EXPECT_FALSE(parcelIds.contains(""));
    }
}

// What the file itself holds, read with OGR alone: object ID to a text
// field's value and the number.
std::map<std::int32_t, std::pair<host::Variant, host::Variant>> fileContents(const std::string& path,
                                                                             const char* textField)
{
    GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    OGRLayer* layer = dataset->GetLayerByName("Parcels");
    if (layer == nullptr) layer = dataset->GetLayer(0);
    std::map<std::int32_t, std::pair<host::Variant, host::Variant>> contents;
    for (auto& feature : *layer) {
        const int text = feature->GetFieldIndex(textField);
        const int number = feature->GetFieldIndex("ADDNUM");
        contents[static_cast<std::int32_t>(feature->GetFID())] = {attributeValue(*feature, text),
                                                                  attributeValue(*feature, number)};
    }
    return contents;
}

TEST_P(GdalCursorTest, AWholeTableReadOfOneTextFieldGivesEveryRowItsOwnValues)
{
    // The street field is indexed, the text number is not: the two ways a
    // read of one column can be answered.
    for (const char* field : {"STNAME", "ADDNUM_TXT"}) {
        SCOPED_TRACE(field);
        const auto expected = fileContents(GetParam(), field);
        const std::int32_t text = table().FindField(field);
        const std::int32_t number = table().FindField("ADDNUM");

        // Rows let go of at once: their values, streamed.
        std::multiset<std::string> streamed;
        auto cursor = table().Search(nullptr, false);
        while (auto row = cursor->NextRow()) {
            const auto value = row->Value(text);
            streamed.insert(value.isNull() ? "<Null>" : value.toText());
        }
        std::multiset<std::string> inFile;
        for (const auto& [id, values] : expected) inFile.insert(values.first.isNull() ? "<Null>" : values.first.toText());
        EXPECT_EQ(streamed, inFile);

        // Rows kept: each still answers for itself once the read is over.
        std::vector<std::pair<host::Ref<host::IRow>, host::Variant>> kept;
        cursor = table().Search(nullptr, false);
        while (auto row = cursor->NextRow()) kept.emplace_back(row, row->Value(text));
        ASSERT_EQ(kept.size(), expected.size());
        std::set<std::int32_t> ids;
        for (const auto& [row, value] : kept) {
            const std::int32_t id = row->OID();
            ASSERT_TRUE(expected.contains(id)) << id;
            EXPECT_EQ(value, expected.at(id).first) << id;
            EXPECT_EQ(row->Value(text), expected.at(id).first) << id;
            EXPECT_EQ(row->Value(number), expected.at(id).second) << id;
            ids.insert(id);
        }
        EXPECT_EQ(ids.size(), expected.size());
        EXPECT_TRUE(kept.back().first.as<host::IFeature>()->Shape());
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, GdalCursorTest,
                         ::testing::Values(townFiles().geoPackage, townFiles().parcelsShp, townFiles().fileGdb,
                                           townFiles().spatiaLite, townFiles().geoJson));

} // namespace
} // namespace corvane::gdal
