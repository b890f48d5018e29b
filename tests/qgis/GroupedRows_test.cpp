#include <algorithm>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include <qgsvectorlayer.h>

#include "QgisApp.h"
#include "host/QueryFilter.h"
#include "qgis/QgisTable.h"

namespace corvane::qgis {
namespace {

using Fields = std::pair<std::string, std::string>;

std::string text(const host::Variant& value) { return value.isNull() ? std::string("<Null>") : value.toText(); }

// What each ID holds, read through a filtered cursor, which is never grouped.
std::map<std::int32_t, Fields> truthOf(QgisTable& table)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause("ADDNUM > 0 OR ADDNUM IS NULL");
    const auto rows = table.Search(filter, false);
    const std::int32_t street = rows->FindField("STNAME");
    const std::int32_t number = rows->FindField("ADDNUM");
    std::map<std::int32_t, Fields> truth;
    while (const auto row = rows->NextRow()) truth[row->OID()] = {text(row->Value(street)), text(row->Value(number))};
    return truth;
}

// The streets of a whole read that asks each row for its street only, sorted.
std::vector<std::string> streetsOf(QgisTable& table)
{
    const auto rows = table.Search({}, false);
    const std::int32_t street = rows->FindField("STNAME");
    std::vector<std::string> streets;
    while (const auto row = rows->NextRow()) streets.push_back(text(row->Value(street)));
    std::sort(streets.begin(), streets.end());
    return streets;
}

std::size_t groupingsKept(QgsVectorLayer& layer)
{
    return static_cast<std::size_t>(layer.findChildren<QgsVectorLayer*>(QString(), Qt::FindDirectChildrenOnly).size());
}

TEST(GroupedRead, RowsTheCallerKeepsOutliveTheCursorWithTheirOwnIdsAndFields)
{
    const auto layer = test::geoPackageParcels();
    ASSERT_TRUE(layer->isValid());
    QgisTable table(*layer);
    const auto truth = truthOf(table);
    ASSERT_EQ(truth.size(), 5u);

    std::vector<host::Ref<host::IRow>> kept;
    std::int32_t street = -1;
    {
        const auto rows = table.Search({}, false);
        street = rows->FindField("STNAME");
        while (auto row = rows->NextRow()) {
            (void)row->Value(street);
            kept.push_back(std::move(row));
        }
    }
    EXPECT_EQ(groupingsKept(*layer), 1u);  // the read was answered by the groups

    const std::int32_t number = table.FindField("ADDNUM");
    std::map<std::int32_t, Fields> seen;
    for (const auto& row : kept) seen[row->OID()] = {text(row->Value(street)), text(row->Value(number))};
    EXPECT_EQ(seen, truth);
}

TEST(GroupedRead, AKeptGroupingSeesEditsAndLetsThemBeSaved)
{
    const auto layer = test::geoPackageParcels(QStringLiteral("Edited"));
    ASSERT_TRUE(layer->isValid());
    QgisTable table(*layer);
    EXPECT_EQ(streetsOf(table), (std::vector<std::string>{"<Null>", "O'BRIEN ST", "OAK ST", "OAK ST", "Oak St"}));
    ASSERT_EQ(groupingsKept(*layer), 1u);

    const int streetIndex = layer->fields().lookupField(QStringLiteral("STNAME"));
    QgsFeature oak;
    ASSERT_TRUE(layer->getFeatures(QgsFeatureRequest(QgsExpression(QStringLiteral("\"STNAME\" = 'OAK ST'"))))
                    .nextFeature(oak));
    ASSERT_TRUE(layer->startEditing());
    ASSERT_TRUE(layer->changeAttributeValue(oak.id(), streetIndex, QStringLiteral("ELM ST")));
    QgsFeature added(layer->fields());
    added.setAttribute(streetIndex, QStringLiteral("ELM ST"));
    ASSERT_TRUE(layer->addFeature(added));
    const std::vector<std::string> edited{"<Null>", "ELM ST", "ELM ST", "O'BRIEN ST", "OAK ST", "Oak St"};
    EXPECT_EQ(streetsOf(table), edited);  // unsaved edits are read row by row

    ASSERT_TRUE(layer->commitChanges()) << layer->commitErrors().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(streetsOf(table), edited);  // and, saved, from the groups again
    EXPECT_EQ(groupingsKept(*layer), 1u);
}

} // namespace
} // namespace corvane::qgis
