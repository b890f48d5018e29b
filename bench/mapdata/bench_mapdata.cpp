// The map-data routines on a million synthetic parcels over 5,000 streets:
// the street list (whole layer, progress shown) against a bare loop reading
// the same field into a set, and the street and address picks. Prints the
// street list's ratio to the bare loop at the end (target: at most 2.0).

#include <cstdio>
#include <map>
#include <utility>
#include <string>
#include <unordered_set>

#include <benchmark/benchmark.h>

#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "memory/MemoryTown.h"
#include "shared/Public.h"
#include "ui/Form.h"

namespace {

using namespace corvane::host;
using namespace corvane::memory;

constexpr std::int32_t kParcels = 1'000'000;
constexpr std::int32_t kStreets = 5'000;

const corvane::ui::FormSpec& listsSpec()
{
    // Sorted, as the search dialog's street and number lists are.
    static const corvane::ui::ControlSpec controls[] = {[] {
        corvane::ui::ControlSpec list;
        list.name = "List1";
        list.kind = corvane::ui::ControlKind::ListBox;
        list.sorted = true;
        return list;
    }()};
    static const corvane::ui::FormSpec spec = [] {
        corvane::ui::FormSpec form;
        form.name = "frmBench";
        form.controls = controls;
        return form;
    }();
    return spec;
}

struct City {
    City() : parcels(makeSyntheticParcels(host.map(), kParcels, kStreets))
    {
        CorvaneGIS_Public::HostApplication = host.application();
        CorvaneGIS_Public::HostDocument = Ref<IMxDocument>(host.app().document());
        const TableData& data = parcels.data();
        // A parcel in the middle of the layer with a number, for the picks.
        std::size_t row = data.rowCount() / 2;
        while (data.value(row, data.findField("ADDNUM")).isNull()) ++row;
        street = data.value(row, data.findField("STNAME")).toText();
        number = data.value(row, data.findField("ADDNUM")).toText();
    }

    corvane::headless::HeadlessToolkit toolkit;
    corvane::headless::ScopedToolkit installed{toolkit};
    MemoryHost host;
    MemoryFeatureLayer& parcels;
    corvane::ui::Form form{listsSpec()};
    corvane::ui::ListBox& list = form.listBox("List1");
    std::string street;
    std::string number;
};

City& city()
{
    static City instance;
    return instance;
}

void StreetList(benchmark::State& state)
{
    City& c = city();
    for (auto _ : state) {
        CorvaneGIS_ArcMap::LoadListWithUniqueFieldValues("Parcels", "STNAME", c.list, true, nullptr);
        benchmark::DoNotOptimize(c.list.ListCount());
    }
    state.counters["entries"] = c.list.ListCount();
    if (!c.toolkit.messageBoxes().empty()) state.SkipWithError("a message box came up");
}

void BareStreetLoop(benchmark::State& state)
{
    City& c = city();
    const Ref<ITable> table = c.parcels.DisplayTable();
    for (auto _ : state) {
        std::unordered_set<std::string> seen;
        const Ref<ICursor> cursor = table->Search(nullptr, false);
        const std::int32_t field = table->FindField("STNAME");
        for (Ref<IRow> row = cursor->NextRow(); row; row = cursor->NextRow()) seen.insert(row->Value(field).toText());
        benchmark::DoNotOptimize(seen.size());
    }
}

void StreetPick(benchmark::State& state)
{
    City& c = city();
    const std::string clause = "STNAME = " + CorvaneGIS_ArcMap::FormatQueryValue("Parcels", "STNAME", c.street);
    for (auto _ : state) {
        const Ref<ICursor> cursor = CorvaneGIS_ArcMap::GetCursorByQuery("Parcels", clause);
        CorvaneGIS_ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, "ADDNUM", c.list);
    }
    state.counters["entries"] = c.list.ListCount();
}

void AddressPick(benchmark::State& state)
{
    City& c = city();
    const std::string clause = "STNAME = " + CorvaneGIS_ArcMap::FormatQueryValue("Parcels", "STNAME", c.street) +
                               " AND ADDNUM = " + CorvaneGIS_ArcMap::FormatQueryValue("Parcels", "ADDNUM", c.number);
    const Ref<IFeatureLayer> layer = CorvaneGIS_ArcMap::GetFeatureLayerByName("Parcels");
    for (auto _ : state) {
        const Ref<IFeatureCursor> cursor = CorvaneGIS_ArcMap::GetFeatureCursorByQuery(layer, clause);
        if (!cursor) {
            state.SkipWithError("no feature found");
            break;
        }
        CorvaneGIS_ArcMap::ZoomToFeaturePlus(cursor->NextFeature(), 0.2);
    }
}

BENCHMARK(StreetList)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BareStreetLoop)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(StreetPick)->Unit(benchmark::kMillisecond);
BENCHMARK(AddressPick)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration so the ratio can be printed at the end.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred)
                m_times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
    // Real and CPU time per iteration; zeros when the benchmark did not run.
    [[nodiscard]] std::pair<double, double> time(const std::string& name) const
    {
        const auto it = m_times.find(name);
        return it == m_times.end() ? std::pair{0.0, 0.0} : it->second;
    }

private:
    std::map<std::string, std::pair<double, double>> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto [listReal, listCpu] = reporter.time("StreetList");
    const auto [bareReal, bareCpu] = reporter.time("BareStreetLoop");
    // CPU time is the steadier of the two on a shared machine.
    if (listCpu > 0.0 && bareCpu > 0.0)
        std::printf("Street list / bare loop: %.2f by CPU time, %.2f by real time (target: at most 2.0)\n",
                    listCpu / bareCpu, listReal / bareReal);
    benchmark::Shutdown();
    return 0;
}
