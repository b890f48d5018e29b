// Files from outside the product that may be any size: a configuration
// file of 100 MB of commas, and a class registry of 100,000 commands.
// Each must take time in proportion to its size.
//
//   build/release/bench/outside/bench_outside_files

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "com/ComServerLoader.h"
#include "com/GuidText.h"
#include "com/Registry.h"
#include "com/Server.h"
#include "config/CorvaneGIS_Config.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "posix/ScratchFolder.h"

namespace {

using namespace corvane;

void BM_CountConfigurationOfCommas(benchmark::State& state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    posix::ScratchFolder scratch;
    scratch.writeFile("config", std::string(size, ','));
    posix::PosixFileSystem fs;
    fs.mapDrive('C', scratch.path());
    posix::ScopedFileSystem installed(fs);
    for (auto _ : state) benchmark::DoNotOptimize(CorvaneGIS_Config::CountConfigurationItems("C:\\config"));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_CountConfigurationOfCommas)->Arg(100'000'000)->Unit(benchmark::kMillisecond);

// A registry of `classes` command classes, each with its library.
void writeRegistry(const std::string& path, int classes)
{
    {
        std::ofstream out(path, std::ios::binary);
        out << "REGEDIT4\r\n";
        const std::string category = com::toString(com::kMapCommandsCategory);
        for (int i = 0; i < classes; ++i) {
            char clsid[40];
            std::snprintf(clsid, sizeof clsid, "{6A0A5A5E-0000-4000-8000-%012d}", i);
            const std::string key = std::string("HKEY_CLASSES_ROOT\\CLSID\\") + clsid;
            out << "\r\n[" << key << "]\r\n@=\"Command " << i << "\"\r\n";
            out << "\r\n[" << key << "\\InprocServer32]\r\n@=\"/nowhere/lib" << i << ".so\"\r\n";
            out << "\r\n[" << key << "\\Implemented Categories\\" << category << "]\r\n";
        }
    }
}

void BM_ReadRegistry(benchmark::State& state)
{
    posix::ScratchFolder scratch;
    const std::string path = (scratch.path() / "registry.reg").string();
    writeRegistry(path, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(com::Registry(path).empty());
}
BENCHMARK(BM_ReadRegistry)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_ListRegisteredCommands(benchmark::State& state)
{
    const auto classes = static_cast<int>(state.range(0));
    posix::ScratchFolder scratch;
    const std::string path = (scratch.path() / "registry.reg").string();
    writeRegistry(path, classes);
    com::ComServerLoader loader(path);
    for (auto _ : state) benchmark::DoNotOptimize(loader.classesInCategory(com::kMapCommandsCategory).size());
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * classes);
}
BENCHMARK(BM_ListRegisteredCommands)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
