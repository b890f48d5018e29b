#include <memory>

#include <gtest/gtest.h>

#include <qgsfeature.h>
#include <qgsvectorlayer.h>
#include <qgsvectorlayerfeatureiterator.h>

#include "QgisApp.h"  // QGIS up for the program
#include "qgis/ValueGroupReader.h"

namespace corvane::qgis {
namespace {

// A table of `count` groups in the shape of a grouping query's rows: the
// value "V<n>" (Null for every tenth) and n rows.
std::unique_ptr<QgsVectorLayer> groupTable(int count)
{
    auto layer = std::make_unique<QgsVectorLayer>(QStringLiteral("None?field=value:string&field=rows:long"),
                                                  QStringLiteral("groups"), QStringLiteral("memory"));
    QgsFeatureList features;
    for (int n = 0; n < count; ++n) {
        QgsFeature feature(layer->fields());
        feature.setAttribute(0, n % 10 == 0 ? QVariant(QVariant::String) : QVariant(QStringLiteral("V%1").arg(n)));
        feature.setAttribute(1, n);
        features.append(feature);
    }
    layer->dataProvider()->addFeatures(features);
    return layer;
}

std::unique_ptr<ValueGroupReader> readerOf(QgsVectorLayer& table, std::size_t mostAhead = ValueGroupReader::kMostAhead)
{
    return std::make_unique<ValueGroupReader>(std::make_unique<QgsVectorLayerFeatureSource>(&table),
                                              QgsFeatureRequest().setFlags(QgsFeatureRequest::NoGeometry), mostAhead);
}

TEST(ValueGroupReader, HandsOverEveryGroupInOrderWhileTheReaderWaitsForRoom)
{
    // Room for one group at a time: the reading thread waits for the
    // caller again and again.
    constexpr int kGroups = 20000;
    const auto table = groupTable(kGroups);
    const auto reader = readerOf(*table, 1);
    int n = 0;
    while (const std::optional<ValueGroup> group = reader->next()) {
        ASSERT_EQ(group->rows, n);
        if (n % 10 == 0) ASSERT_TRUE(group->value.isNull()) << n;
        else ASSERT_EQ(group->value.toString(), QStringLiteral("V%1").arg(n));
        ++n;
    }
    EXPECT_EQ(n, kGroups);
    EXPECT_FALSE(reader->next()) << "the end stays the end";
}

TEST(ValueGroupReader, ACallerThatLeavesEarlyStopsTheReadingThread)
{
    const auto table = groupTable(20000);
    for (int taken : {0, 1, 500}) {
        auto reader = readerOf(*table, 1);
        for (int n = 0; n < taken; ++n) ASSERT_TRUE(reader->next());
        reader.reset();  // must neither hang nor touch the reader after this
    }
    const auto empty = groupTable(0);
    EXPECT_FALSE(readerOf(*empty)->next());
}

} // namespace
} // namespace corvane::qgis
