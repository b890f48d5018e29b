#include "gdal/GdalDocument.h"

#include <gtest/gtest.h>

#include "TownFiles.h"
#include "gdal/GdalHostClasses.h"
#include "gdal/MapBuilder.h"
#include "gdal/Recorders.h"
#include "host/HostError.h"
#include "host/ModelessFrame.h"

namespace corvane::gdal {
namespace {

TEST(GdalDocumentTest, DataViewIsTheMapAndLayoutViewHoldsItAsItsFocusMap)
{
    auto document = openDocument({testing::townFiles().geoPackage});
    auto view = document->ActiveView();
    EXPECT_FALSE(view.is<host::IPageLayout>());
    EXPECT_EQ(view.get(), static_cast<host::IActiveView*>(document->map().get()));

    document->showLayout(true);
    auto layout = document->ActiveView();
    ASSERT_TRUE(layout.is<host::IPageLayout>());
    auto mapView = layout->FocusMap().as<host::IActiveView>();
    EXPECT_EQ(mapView.get(), static_cast<host::IActiveView*>(document->map().get()));

    int refreshed = 0;
    std::vector<Box> extents;
    document->map()->setListener({[&](const Box& box) { extents.push_back(box); }, [&] { ++refreshed; }});
    mapView->Extent(host::makeRef<GdalEnvelope>(Box{1, 2, 3, 4}));
    mapView->Refresh();
    EXPECT_EQ(extents, (std::vector<Box>{{1, 2, 3, 4}}));
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(document->pageLayout()->pageBox(), (Box{0, 0, 8.5, 11}));  // the page did not move
}

TEST(GdalDocumentTest, TheMapStartsAtTheFullExtentOfItsLayers)
{
    auto map = openMap({testing::townFiles().geoPackage});
    const auto full = map->fullExtent();
    ASSERT_TRUE(full);
    EXPECT_EQ(boxOf(*map->Extent()), *full);
    const auto parcels = testing::featureLayer(*map, "Parcels")->table().fullExtent();
    EXPECT_LE(full->xMin, parcels->xMin);
    EXPECT_GE(full->yMax, parcels->yMax);

    int shapes = 0;
    testing::featureLayer(*map, "Parcels")->table().shapesWithin(*parcels, [&](const OGRGeometry&, std::int64_t) {
        return ++shapes < 10;
    });
    EXPECT_EQ(shapes, 10);
}

TEST(GdalDocumentTest, HostClassesMakeTheApplicationFiltersAndFrames)
{
    auto application = host::makeRef<GdalApplication>(std::make_shared<GdalDocument>());
    GdalHostClasses classes(application);
    EXPECT_EQ(classes.create(host::kAppRefClass).get(), static_cast<host::HostObject*>(application.get()));
    EXPECT_TRUE(classes.create(host::kQueryFilterClass).is<host::IQueryFilter>());
    auto frame = classes.create(host::kModelessFrameClass);
    EXPECT_TRUE(frame.is<host::IModelessFrame>() && frame.is<host::IWindowPosition>());
    EXPECT_NE(frame.get(), classes.create(host::kModelessFrameClass).get());
    try {
        (void)classes.create("esriCarto.Unknown");
        ADD_FAILURE();
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.number(), host::errors::kCannotCreateObject);
    }
}

TEST(GdalDocumentTest, TheStatusBarRecordsProgress)
{
    GdalApplication application(std::make_shared<GdalDocument>());
    auto bar = application.StatusBar()->ProgressBar();
    bar->Message("Loading List: STNAME...");
    bar->MaxRange(3);
    bar->Show();
    bar->Step();
    bar->Step();
    bar->Hide();
    auto& recorded = application.StatusBar().as<RecordingStatusBar>()->progressor();
    EXPECT_EQ(recorded.steps(), 2);
    EXPECT_EQ(recorded.position(), 2);
    EXPECT_FALSE(recorded.visible());
    EXPECT_EQ(recorded.calls(), (std::vector<std::string>{"Message:Loading List: STNAME...", "MaxRange:3", "Show", "Hide"}));
}

} // namespace
} // namespace corvane::gdal
