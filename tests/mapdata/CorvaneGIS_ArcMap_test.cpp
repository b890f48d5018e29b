// Failure sweep: each routine is run once to count its host calls, then once
// more for every call, with that call failing. Nothing may escape, the
// progress display must not stay up, and the user sees exactly one message:
// the routine's report naming the line of the failing statement, or the
// layer lookup's own message.

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "MapDataWorld.h"

namespace mapdata_test {
namespace {

using namespace CorvaneGIS_ArcMap;

struct Prepared {
    Ref<ICursor> cursor;
    Ref<IFeature> feature;
};

struct SweepCase {
    const char* name;
    std::function<Prepared(MapDataWorld&)> prepare;
    std::function<void(MapDataWorld&, const Prepared&)> run;
    // The message for a failing call, by call name and occurrence (the last one repeats).
    std::map<std::string, std::vector<std::string>> messages;
    // For any other call; empty: every failing call must be listed above.
    std::string otherwise;
};

const std::string kLookupMessage = "Error: Could not find layer Parcels";

std::vector<std::string> at(const std::string& procedure, std::initializer_list<int> lines)
{
    std::vector<std::string> texts;
    for (int line : lines) texts.push_back(reportText(procedure, line));
    return texts;
}

Prepared nothing(MapDataWorld&) { return {}; }

std::vector<SweepCase> sweepCases()
{
    const auto zoom = [](MapDataWorld&, const Prepared& p) { ZoomToFeaturePlus(p.feature, 0.2); };
    const auto zoomMessages = [](std::vector<std::string> activeView) {
        return std::map<std::string, std::vector<std::string>>{
            {"IMxDocument.ActiveView", std::move(activeView)},
            {"IActiveView.FocusMap", at("ZoomToFeaturePlus ", {50})},
            {"IFeature.Shape", at("ZoomToFeaturePlus ", {60})},
            {"IGeometry.Envelope", at("ZoomToFeaturePlus ", {60})},
            {"IEnvelope.Expand", at("ZoomToFeaturePlus ", {70})},
            {"IActiveView.Extent=", at("ZoomToFeaturePlus ", {80})},
            {"IActiveView.Refresh", at("ZoomToFeaturePlus ", {90})}};
    };
    const std::map<std::string, std::vector<std::string>> fieldType{
        {"IDisplayTable.DisplayTable", at("GetFieldType ", {30})},
        {"ITable.FindField", at("GetFieldType ", {40})},
        {"ITable.Fields", at("GetFieldType ", {60})},
        {"IFields.Field", at("GetFieldType ", {60})},
        {"IField.Type", at("GetFieldType ", {60})}};
    const std::string unique = "LoadListWithUniqueFieldValues ";
    const std::string fromCursor = "LoadListWithUniqueFieldValuesFromCursor ";
    const std::string featureCursor = "GetFeatureCursorByQuery ";
    return {
        {"GetFeatureLayerByName", nothing, [](MapDataWorld&, const Prepared&) { (void)GetFeatureLayerByName("Parcels"); },
         {}, kLookupMessage},
        {"LoadListWithLayerNames", nothing, [](MapDataWorld& w, const Prepared&) { LoadListWithLayerNames(w.list); },
         {}, "Error loading map layers"},
        {"LoadListWithFieldNames", nothing,
         [](MapDataWorld& w, const Prepared&) { LoadListWithFieldNames(w.list, w.town.parcels.ref()); }, {},
         "Error loading layer fields"},
        {"GetFieldType", nothing, [](MapDataWorld&, const Prepared&) { (void)GetFieldType("Parcels", "STNAME"); },
         fieldType, kLookupMessage},
        {"FormatQueryValue", nothing,
         [](MapDataWorld&, const Prepared&) { (void)FormatQueryValue("Parcels", "SALEDATE", "1/2/2003"); }, fieldType,
         kLookupMessage},
        {"GetCursorByQuery", nothing,
         [](MapDataWorld&, const Prepared&) { (void)GetCursorByQuery("Parcels", "STNAME = 'OAK AVE'"); },
         {{"HostClasses.create", at("GetCursorByQuery ", {30})},
          {"IQueryFilter.WhereClause=", at("GetCursorByQuery ", {40})},
          {"IDisplayTable.DisplayTable", at("GetCursorByQuery ", {50})},
          {"ITable.Search", at("GetCursorByQuery ", {50})}},
         kLookupMessage},
        {"GetFeatureCursorByQuery", nothing,
         [](MapDataWorld& w, const Prepared&) {
             (void)GetFeatureCursorByQuery(w.town.parcels.ref(), "STNAME = 'MAPLE AVE' AND ADDNUM = 5");
         },
         {{"IDisplayTable.DisplayTable", at(featureCursor, {20})},
          {"HostClasses.create", at(featureCursor, {40, 200})},
          {"IQueryFilter.WhereClause=", at(featureCursor, {50, 210})},
          {"ITable.Search", at(featureCursor, {60})},
          {"ICursor.NextRow", at(featureCursor, {70, 180})},
          {"ITable.HasOID", at(featureCursor, {90})},
          {"IFeatureLayer.FeatureClass", at(featureCursor, {120, 150})},
          {"IFeatureClass.HasOID", at(featureCursor, {120})},
          {"IFeatureClass.OIDFieldName", at(featureCursor, {150})},
          {"IRow.OID", at(featureCursor, {170})},
          {"IFeatureLayer.Search", at(featureCursor, {220})}},
         ""},
        {"LoadListWithUniqueFieldValues", nothing,
         [](MapDataWorld& w, const Prepared&) { LoadListWithUniqueFieldValues("Parcels", "STNAME", w.list, true, nullptr); },
         {{"IApplication.StatusBar", at(unique, {70})},
          {"IStatusBar.ProgressBar", at(unique, {70})},
          {"IStepProgressor.Message", at(unique, {80})},
          {"IStepProgressor.StepValue", at(unique, {90})},
          {"IStepProgressor.Position", at(unique, {100, 140})},
          {"IFeatureLayer.FeatureClass", at(unique, {130})},
          {"IFeatureClass.FeatureCount", at(unique, {130})},
          {"IStepProgressor.MaxRange", at(unique, {130})},
          {"IStepProgressor.Show", at(unique, {150})},
          {"IDisplayTable.DisplayTable", at(unique, {160})},
          {"IStepProgressor.Step", at(unique, {170, 260})},
          {"ITable.Search", at(unique, {180})},
          {"ITable.FindField", at(unique, {190})},
          {"ICursor.NextRow", at(unique, {230, 270})},
          {"IRow.Value", at(unique, {240})},
          {"IStepProgressor.Hide", at(unique, {280})}},
         kLookupMessage},
        {"LoadListWithUniqueFieldValuesFromCursor",
         [](MapDataWorld&) { return Prepared{GetCursorByQuery("Parcels", "STNAME = 'ELM ST'"), {}}; },
         [](MapDataWorld& w, const Prepared& p) { LoadListWithUniqueFieldValuesFromCursor(p.cursor, "ADDNUM", w.list); },
         {{"ICursor.FindField", at(fromCursor, {70})},
          {"ICursor.NextRow", at(fromCursor, {110, 180})},
          {"IRow.Value", at(fromCursor, {150})}},
         ""},
        {"ZoomToFeaturePlus in the data view", [](MapDataWorld& w) { return Prepared{{}, w.parcel(10)}; }, zoom,
         zoomMessages(at("ZoomToFeaturePlus ", {30})), ""},
        {"ZoomToFeaturePlus in the layout",
         [](MapDataWorld& w) {
             w.host.document().showLayout();
             return Prepared{{}, w.parcel(10)};
         },
         zoom, zoomMessages(at("ZoomToFeaturePlus ", {30, 50})), ""},
    };
}

TEST(CorvaneGIS_ArcMap, AFailureAtAnyHostCallIsTrappedHiddenAndReportedOnce)
{
    for (const SweepCase& c : sweepCases()) {
        std::uint64_t total = 0;
        {
            MapDataWorld w;
            const Prepared p = c.prepare(w);
            w.host.faults().resetCount();
            c.run(w, p);
            total = w.host.faults().callCount();
            EXPECT_TRUE(w.prompts().empty()) << c.name;
        }
        ASSERT_GT(total, 0U) << c.name;
        std::map<std::string, std::size_t> occurrences;
        for (std::uint64_t k = 1; k <= total; ++k) {
            MapDataWorld w;
            const Prepared p = c.prepare(w);
            w.host.faults().resetCount();
            w.host.faults().failCall(k, errors::kHostCallFailed, kInjected);
            EXPECT_NO_THROW(c.run(w, p)) << c.name << " call " << k;
            ASSERT_EQ(w.host.faults().failedCalls().size(), 1U) << c.name << " call " << k;
            const std::string call = w.host.faults().failedCalls()[0];
            const std::size_t occurrence = occurrences[call]++;
            std::string expected = c.otherwise;
            if (const auto it = c.messages.find(call); it != c.messages.end())
                expected = it->second[std::min(occurrence, it->second.size() - 1)];
            EXPECT_FALSE(expected.empty()) << c.name << ": no expectation for " << call;
            EXPECT_EQ(w.prompts(), std::vector<std::string>{expected}) << c.name << " call " << k << " " << call;
            EXPECT_FALSE(w.host.progress().visible()) << c.name << " call " << k << " " << call;
        }
    }
}

} // namespace
} // namespace mapdata_test
