// Catalogue build time against a bare minizip listing of the same archives and against the
// linear search, on a generated installation (see map_installation.h). Prints the figures, then
// for each game type the ratio to the listing and the speed-up over the linear search.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "map_installation.h"
#include "srvsetup/maps/map_scan.h"
#include "srvsetup/settings/server_settings.h"
#include "support/game_folder.h"

namespace {

void BareListing(benchmark::State& state) {
  std::size_t entries = 0;
  for (auto _ : state) benchmark::DoNotOptimize(entries = ListArchiveEntries());
  state.counters["entries"] = static_cast<double>(entries);
}

void IndexedCatalogue(benchmark::State& state) {
  OrderedCatalogue catalogue;
  for (auto _ : state) BuildCatalogue(catalogue, static_cast<std::int32_t>(state.range(0)));
  state.counters["maps"] = static_cast<double>(catalogue.Items().size());
}

void LinearSearchCatalogue(benchmark::State& state) {
  LinearCatalogue catalogue;
  for (auto _ : state) BuildCatalogue(catalogue, static_cast<std::int32_t>(state.range(0)));
  state.counters["maps"] = static_cast<double>(catalogue.Size());
}

BENCHMARK(BareListing)->Unit(benchmark::kMillisecond);
BENCHMARK(IndexedCatalogue)->Arg(FreeForAll)->Arg(Objective)->Arg(TugOfWar)->Unit(benchmark::kMillisecond);
BENCHMARK(LinearSearchCatalogue)->Arg(FreeForAll)->Arg(Objective)->Arg(TugOfWar)->Unit(benchmark::kMillisecond);

// Keeps the mean processor time of each benchmark, in seconds, for the summary: on a machine
// shared with other work it varies far less than the wall time.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0) {
        seconds[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
      }
    }
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  GameFolder folder;
  GenerateInstallation(kBenchInstallation);
  std::printf("installation: %d archives, %d map entries, %d loose files\n", kBenchInstallation.archives,
              kBenchInstallation.archiveEntries, kBenchInstallation.looseFiles);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  const auto listing = reporter.seconds.find("BareListing");
  if (listing == reporter.seconds.end()) return 0;
  std::printf("\n%-12s %14s %14s %12s %14s %10s\n", "game type", "catalogue ms", "listing ms", "ratio",
              "linear ms", "speed-up");
  std::printf("(processor time per build)\n");
  for (const auto& [type, name] : {std::pair{FreeForAll, "FreeForAll"}, {Objective, "Objective"}, {TugOfWar, "TugOfWar"}}) {
    const std::string arg = "/" + std::to_string(type);
    const auto indexed = reporter.seconds.find("IndexedCatalogue" + arg);
    const auto linear = reporter.seconds.find("LinearSearchCatalogue" + arg);
    if (indexed == reporter.seconds.end() || linear == reporter.seconds.end()) continue;
    std::printf("%-12s %14.2f %14.2f %12.2f %14.2f %9.1fx\n", name, indexed->second * 1e3, listing->second * 1e3,
                indexed->second / listing->second, linear->second * 1e3, linear->second / indexed->second);
  }
  std::printf("target: catalogue at most 1.5 times the bare listing\n");
  benchmark::Shutdown();
  return 0;
}
