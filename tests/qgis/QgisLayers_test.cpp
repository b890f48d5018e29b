#include <gtest/gtest.h>

#include <qgslayertree.h>
#include <qgsproject.h>

#include "QgisApp.h"
#include "host/HostError.h"
#include "qgis/QgisLayers.h"

namespace corvane::qgis {
namespace {

using test::memoryParcels;
using test::memoryTable;

// Town (group): Parcels shown as "Parcels of town", Owners (no geometry),
// Landmarks (group): Schools; then a top-level Hydrants.
class LayerTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QgsLayerTree* root = m_project.layerTreeRoot();
        QgsLayerTreeGroup* town = root->addGroup(QStringLiteral("Town"));
        QgsLayerTreeLayer* parcels = town->addLayer(add(memoryParcels()));
        parcels->setName(QStringLiteral("Parcels of town"));
        town->addLayer(add(memoryTable(QStringLiteral("Owners"))));
        QgsLayerTreeGroup* landmarks = town->addGroup(QStringLiteral("Landmarks"));
        landmarks->addLayer(add(memoryParcels(QStringLiteral("Schools"))));
        root->addLayer(add(memoryParcels(QStringLiteral("Hydrants"))));
    }

    QgsMapLayer* add(std::unique_ptr<QgsVectorLayer> layer)
    {
        QgsMapLayer* added = m_project.addMapLayer(layer.release(), false);
        EXPECT_NE(added, nullptr);
        return added;
    }

    QgsProject m_project;
};

TEST_F(LayerTreeTest, WalksTheTreeInOrderWithTheNamesItShowsAndTheHostsLayerKinds)
{
    QgisMap map(m_project.layerTreeRoot());
    ASSERT_EQ(map.LayerCount(), 2);

    const host::Ref<host::ILayer> town = map.Layer(0);
    EXPECT_EQ(town->Name(), "Town");
    ASSERT_TRUE(town.is<host::IGroupLayer>());
    const auto group = town.as<host::ICompositeLayer>();
    ASSERT_EQ(group->Count(), 3);

    const host::Ref<host::ILayer> parcels = group->Layer(0);
    EXPECT_EQ(parcels->Name(), "Parcels of town");
    EXPECT_TRUE(parcels.is<host::IFeatureLayer>());
    EXPECT_FALSE(parcels.is<host::IGroupLayer>());

    const host::Ref<host::ILayer> owners = group->Layer(1);
    EXPECT_EQ(owners->Name(), "Owners");
    EXPECT_FALSE(owners.is<host::IFeatureLayer>());
    EXPECT_FALSE(owners.is<host::IGroupLayer>());

    const auto landmarks = group->Layer(2).as<host::ICompositeLayer>();
    ASSERT_EQ(landmarks->Count(), 1);
    EXPECT_EQ(landmarks->Layer(0)->Name(), "Schools");
    EXPECT_TRUE(landmarks->Layer(0).is<host::IFeatureLayer>());

    EXPECT_EQ(map.Layer(1)->Name(), "Hydrants");
    EXPECT_THROW(map.Layer(2), host::HostError);
    EXPECT_THROW(group->Layer(-1), host::HostError);
}

TEST_F(LayerTreeTest, AMapReadAfterAChangeFollowsIt)
{
    m_project.layerTreeRoot()->removeChildNode(m_project.layerTreeRoot()->children().front());
    QgisMap map(m_project.layerTreeRoot());
    ASSERT_EQ(map.LayerCount(), 1);
    EXPECT_EQ(map.Layer(0)->Name(), "Hydrants");
    EXPECT_EQ(QgisMap(nullptr).LayerCount(), 0);
}

TEST_F(LayerTreeTest, ALayerRemovedFromTheProjectRaisesInsteadOfCrashing)
{
    QgisMap map(m_project.layerTreeRoot());
    const auto hydrants = map.Layer(1).as<host::IFeatureLayer>();
    const host::Ref<host::IFeatureClass> features = hydrants->FeatureClass();
    m_project.removeAllMapLayers();
    EXPECT_THROW(features->FeatureCount({}), host::HostError);
    EXPECT_THROW(hydrants->Search({}, true), host::HostError);
}

} // namespace
} // namespace corvane::qgis
