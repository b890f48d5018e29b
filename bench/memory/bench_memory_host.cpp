// The memory host at benchmark scale: a million parcels on 5,000 streets.
// Reading every street name through a cursor is what listing the streets
// costs the memory host itself; a million progress steps is what showing
// that progress costs. Run a Release build:
//   cmake --preset release -B build/memory-release
//   cmake --build build/memory-release --target bench_memory_host
//   build/memory-release/bench/memory/bench_memory_host

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <unordered_set>

#include "host/HostClasses.h"
#include "memory/MemoryTown.h"

namespace {

using namespace corvane;

constexpr std::int32_t kParcels = 1'000'000;
constexpr std::int32_t kStreets = 5'000;

double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

struct Town {
    Town()
    {
        const double before = residentMegabytes();
        parcels = &memory::makeSyntheticParcels(host.map(), kParcels, kStreets);
        megabytes = residentMegabytes() - before;
    }
    memory::MemoryHost host;
    memory::MemoryFeatureLayer* parcels = nullptr;
    double megabytes = 0.0;
};

Town& town()
{
    static Town built;
    return built;
}

void readStreets(benchmark::State& state, bool recycling)
{
    auto table = town().parcels->DisplayTable();
    std::size_t distinct = 0;
    for (auto _ : state) {
        std::unordered_set<std::string> streets;
        auto cursor = table->Search(nullptr, recycling);
        const std::int32_t field = cursor->FindField("STNAME");
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) streets.insert(row->Value(field).toText());
        distinct = streets.size();
    }
    if (distinct != static_cast<std::size_t>(kStreets)) state.SkipWithError("wrong number of streets");
    state.SetItemsProcessed(state.iterations() * kParcels);
    state.counters["resident MB for the parcels"] = town().megabytes;
}

void BM_CursorUniqueStreets(benchmark::State& state) { readStreets(state, false); }
BENCHMARK(BM_CursorUniqueStreets)->Unit(benchmark::kMillisecond);

void BM_CursorUniqueStreetsRecycling(benchmark::State& state) { readStreets(state, true); }
BENCHMARK(BM_CursorUniqueStreetsRecycling)->Unit(benchmark::kMillisecond);

// The memory host's share of the above: rows and values only.
void BM_CursorReadValues(benchmark::State& state)
{
    auto table = town().parcels->DisplayTable();
    for (auto _ : state) {
        auto cursor = table->Search(nullptr, false);
        const std::int32_t field = cursor->FindField("STNAME");
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) benchmark::DoNotOptimize(row->Value(field));
    }
    state.SetItemsProcessed(state.iterations() * kParcels);
}
BENCHMARK(BM_CursorReadValues)->Unit(benchmark::kMillisecond);

void BM_ProgressorSteps(benchmark::State& state)
{
    auto progress = town().host.application()->StatusBar()->ProgressBar();
    for (auto _ : state) {
        progress->Show();
        for (std::int32_t i = 0; i < kParcels; ++i) progress->Step();
        progress->Hide();
    }
    state.SetItemsProcessed(state.iterations() * kParcels);
}
BENCHMARK(BM_ProgressorSteps)->Unit(benchmark::kMillisecond);

// A street pick: one clause over the whole table, reading the street's rows.
void BM_StreetQuery(benchmark::State& state)
{
    auto table = town().parcels->DisplayTable();
    auto filter = host::createHostObject<host::IQueryFilter>(host::kQueryFilterClass);
    filter->WhereClause("STNAME = 'OAK ST'");
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        auto cursor = table->Search(filter, true);
        for (auto row = cursor->NextRow(); row; row = cursor->NextRow()) ++rows;
    }
    if (rows != static_cast<std::size_t>(kParcels / kStreets)) state.SkipWithError("wrong number of rows");
    state.SetItemsProcessed(state.iterations() * kParcels);
}
BENCHMARK(BM_StreetQuery)->Unit(benchmark::kMillisecond);

void BM_BuildSyntheticParcels(benchmark::State& state)
{
    for (auto _ : state) {
        memory::MemoryHost host;
        benchmark::DoNotOptimize(&memory::makeSyntheticParcels(host.map(), kParcels, kStreets));
    }
    state.SetItemsProcessed(state.iterations() * kParcels);
}
BENCHMARK(BM_BuildSyntheticParcels)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
