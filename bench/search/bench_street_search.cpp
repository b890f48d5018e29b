// The street search behind "Go" over long street lists, searched to the end
// (no street matches) and to a match in the last entry, against a bare loop
// making the same upper-cased prefix comparisons. Prints the ratio of the
// full search to the bare loop at the end.

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "memory/MemoryHost.h"
#include "search/frmMain.h"
#include "shared/Public.h"
#include "ui/Text.h"

namespace {

using namespace corvane;

struct World {
    headless::HeadlessToolkit toolkit;
    headless::ScopedToolkit installed{toolkit};
    memory::MemoryHost host;
};

World& world()
{
    static World w;
    return w;
}

std::string streetName(int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "STREET %07d AVE", i);
    return name;
}

// One loaded dialog per list length; the parcel layer is absent, so the
// street pick behind a match lists nothing and the search is what is timed.
frmMain& dialogWith(int entries)
{
    static std::map<int, std::shared_ptr<frmMain>> dialogs;
    auto& dialog = dialogs[entries];
    if (!dialog) {
        CorvaneGIS_Public::HostApplication = world().host.application();
        CorvaneGIS_Public::HostDocument = host::Ref<host::IMxDocument>(world().host.app().document());
        CorvaneGIS_Public::ParcelLayerName = "Parcels";
        dialog = std::make_shared<frmMain>();
        dialog->Load();
        for (int i = 0; i < entries - 1; ++i) dialog->List1.AddItem(streetName(i));
        dialog->List1.AddItem("ZULU WAY");
    }
    return *dialog;
}

void BM_GoWithoutMatch(benchmark::State& state)
{
    frmMain& dialog = dialogWith(static_cast<int>(state.range(0)));
    dialog.Text1.Text("QQ");
    for (auto _ : state) dialog.userClick("Command4");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GoMatchingTheLastEntry(benchmark::State& state)
{
    frmMain& dialog = dialogWith(static_cast<int>(state.range(0)));
    dialog.Text1.Text("zulu");
    for (auto _ : state) dialog.userClick("Command4");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The comparisons alone: what any search that honours the locale's upper
// case must do.
void BM_BarePrefixLoop(benchmark::State& state)
{
    const auto& items = dialogWith(static_cast<int>(state.range(0))).List1.items();
    const std::string wanted = ui::upperCase("QQ");
    const std::size_t length = ui::characterCount("QQ");
    for (auto _ : state) {
        int found = -1;
        for (std::size_t i = 0; i < items.size() && found < 0; ++i)
            if (ui::upperCase(ui::leftCharacters(items[i], length)) == wanted) found = static_cast<int>(i);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_GoWithoutMatch)->Arg(32768)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoMatchingTheLastEntry)->Arg(32768)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarePrefixLoop)->Arg(32768)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const auto& run : runs) m_seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char* size : {"32768", "1000000"}) {
            const double go = m_seconds["BM_GoWithoutMatch/" + std::string(size)];
            const double bare = m_seconds["BM_BarePrefixLoop/" + std::string(size)];
            if (bare > 0) std::printf("Go without a match / bare loop, %s entries: %.2f\n", size, go / bare);
        }
    }

private:
    std::map<std::string, double> m_seconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    CorvaneGIS_Public::ResetForNewComponent();
    return 0;
}
