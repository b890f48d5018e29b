#include <algorithm>

#include <gtest/gtest.h>

#include <qgscoordinatetransform.h>
#include <qgshighlight.h>
#include <qgslayertree.h>
#include <qgsmapcanvas.h>
#include <qgsproject.h>
#include <qgsvectordataprovider.h>

#include "QgisApp.h"
#include "host/HostError.h"
#include "qgis/QgisDocument.h"
#include "host/QueryFilter.h"
#include "qgis/QgisGeometry.h"
#include "qgis/QgisTable.h"

namespace corvane::qgis {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_project.setCrs(QgsCoordinateReferenceSystem(QStringLiteral("EPSG:32618")));
        m_canvas = std::make_unique<QgsMapCanvas>();
        m_canvas->resize(800, 400);
        m_canvas->setDestinationCrs(m_project.crs());
        m_canvas->setExtent(QgsRectangle(0, 0, 1000, 500));
        m_document = std::make_shared<QgisDocument>(&m_project, m_canvas.get());
    }

    host::Ref<host::IActiveView> view() { return m_document->ActiveView(); }

    QgsProject m_project;
    std::unique_ptr<QgsMapCanvas> m_canvas;
    std::shared_ptr<QgisDocument> m_document;
};

// The canvas keeps its window's proportions: the extent it shows has the
// asked centre and holds the asked box, touching it on one axis.
void expectShows(const QgsRectangle& shown, const QgsRectangle& asked)
{
    const double tolerance = std::max(asked.width(), asked.height()) * 1e-6;
    EXPECT_NEAR(shown.center().x(), asked.center().x(), tolerance);
    EXPECT_NEAR(shown.center().y(), asked.center().y(), tolerance);
    EXPECT_GE(shown.width(), asked.width() - tolerance);
    EXPECT_GE(shown.height(), asked.height() - tolerance);
    EXPECT_TRUE(std::abs(shown.width() - asked.width()) < tolerance ||
                std::abs(shown.height() - asked.height()) < tolerance);
}

TEST_F(CanvasTest, TheActiveViewIsTheDataViewOfTheProjectsTree)
{
    EXPECT_FALSE(view().is<host::IPageLayout>());
    m_project.layerTreeRoot()->addGroup(QStringLiteral("Town"));
    EXPECT_EQ(m_document->FocusMap()->LayerCount(), 1);
    EXPECT_EQ(view()->FocusMap()->Layer(0)->Name(), "Town");
}

TEST_F(CanvasTest, AnEnvelopeInTheProjectsSystemBecomesTheExtentAsItIs)
{
    const auto envelope = host::makeRef<QgisEnvelope>(QgsRectangle(950, 1975, 1050, 2025), m_project.crs());
    envelope->Expand(1.2, 1.2, true);
    view()->Extent(envelope);
    view()->Refresh();
    expectShows(m_canvas->extent(), QgsRectangle(940, 1970, 1060, 2030));
    const host::Ref<host::IEnvelope> read = view()->Extent();
    EXPECT_NEAR(read->XMin(), m_canvas->extent().xMinimum(), 1e-9);
    EXPECT_NEAR(read->YMax(), m_canvas->extent().yMaximum(), 1e-9);
}

TEST_F(CanvasTest, AnEnvelopeFromALayerInAnotherSystemIsTransformedFirst)
{
    const QgsCoordinateReferenceSystem geographic(QStringLiteral("EPSG:4326"));
    const QgsRectangle degrees(-75.0010, 40.0000, -75.0000, 40.0005);
    view()->Extent(host::makeRef<QgisEnvelope>(degrees, geographic));
    const QgsCoordinateTransform transform(geographic, m_project.crs(), m_project.transformContext());
    const QgsRectangle metres = transform.transformBoundingBox(degrees);
    expectShows(m_canvas->extent(), metres);
    EXPECT_GT(m_canvas->extent().xMinimum(), 400000.0);  // metres of the UTM zone, not degrees
}

TEST_F(CanvasTest, AClosedCanvasRaisesInsteadOfCrashing)
{
    m_canvas.reset();
    EXPECT_THROW(view()->Extent(), host::HostError);
    EXPECT_THROW(view()->Refresh(), host::HostError);
}

// The envelope of the feature numbered 7, enlarged as the search dialog does.
host::Ref<host::IEnvelope> zoomEnvelopeOf(QgsVectorLayer& layer)
{
    auto filter = host::makeRef<host::QueryFilter>();
    filter->WhereClause("ADDNUM = 7");
    const auto feature = QgisTable(layer).searchFeatures(filter)->NextFeature();
    const host::Ref<host::IEnvelope> envelope = feature->Shape()->Envelope();
    envelope->Expand(1.2, 1.2, true);
    return envelope;
}

const QgsMapLayer* markedLayer(const QgisDocument& document)
{
    const QgsHighlight* mark = document.view().mark();
    if (mark == nullptr) return nullptr;
    const QPointer<QgsMapLayer> layer(mark->layer());
    return layer.isNull() ? nullptr : layer.data();
}

TEST_F(CanvasTest, TheFeatureZoomedToIsMarkedUntilTheCanvasShowsSomethingElse)
{
    const auto parcels = test::memoryParcels();
    const auto& document = *m_document;
    view()->Extent(zoomEnvelopeOf(*parcels));
    EXPECT_EQ(markedLayer(document), parcels.get());
    ASSERT_NE(document.view().mark(), nullptr);
    EXPECT_TRUE(document.view().mark()->isVisible());

    // An extent of no feature clears it, and so does the user moving the map.
    view()->Extent(view()->Extent());
    EXPECT_EQ(document.view().mark(), nullptr);
    view()->Extent(zoomEnvelopeOf(*parcels));
    ASSERT_NE(document.view().mark(), nullptr);
    m_canvas->setExtent(QgsRectangle(0, 0, 1000, 500));
    EXPECT_EQ(document.view().mark(), nullptr);

    // A feature of a layer in another system is marked too (QGIS transforms
    // the shape), replacing the last mark; a layer gone leaves nothing marked.
    auto degrees = std::make_unique<QgsVectorLayer>(QStringLiteral("Polygon?crs=EPSG:4326&field=ADDNUM:integer"),
                                                    QStringLiteral("Parcels (EPSG:4326)"), QStringLiteral("memory"));
    QgsFeature parcel(degrees->fields());
    parcel.setAttribute(0, 7);
    parcel.setGeometry(QgsGeometry::fromRect(QgsRectangle(-75.0010, 40.0000, -75.0000, 40.0005)));
    ASSERT_TRUE(degrees->dataProvider()->addFeature(parcel));
    view()->Extent(zoomEnvelopeOf(*parcels));
    view()->Extent(zoomEnvelopeOf(*degrees));
    EXPECT_EQ(markedLayer(document), degrees.get());
    const auto items = m_canvas->scene()->items();
    EXPECT_EQ(std::count_if(items.begin(), items.end(),
                            [](QGraphicsItem* item) { return dynamic_cast<QgsHighlight*>(item) != nullptr; }),
              1);
    const host::Ref<host::IEnvelope> envelope = zoomEnvelopeOf(*degrees);
    degrees.reset();
    view()->Extent(envelope);
    EXPECT_EQ(document.view().mark(), nullptr);
    view()->Refresh();
}

} // namespace
} // namespace corvane::qgis
