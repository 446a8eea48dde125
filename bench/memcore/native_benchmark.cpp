// libmemcore.so against glibc, mimalloc and jemalloc on the same three patterns. The library and
// the two other allocators are loaded with RTLD_LOCAL, so that neither replaces the process's
// malloc; glibc is called directly, the others through the addresses they export.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "allocation_patterns.h"

namespace {

using AllocateFunction = void* (*)(std::int32_t);
using SizedAllocateFunction = void* (*)(std::size_t);
using ReleaseFunction = void (*)(void*);

struct Memcore {
  static inline AllocateFunction allocate;
  static inline ReleaseFunction release;
  static void* Allocate(std::int32_t size) { return allocate(size); }
  static void Release(void* payload) { release(payload); }
};
struct Glibc {
  static void* Allocate(std::int32_t size) { return std::malloc(static_cast<std::size_t>(size)); }
  static void Release(void* payload) { std::free(payload); }
};
template <int kId>
struct Loaded {
  static inline SizedAllocateFunction allocate;
  static inline ReleaseFunction release;
  static void* Allocate(std::int32_t size) { return allocate(static_cast<std::size_t>(size)); }
  static void Release(void* payload) { release(payload); }
};
using Mimalloc = Loaded<0>;
using Jemalloc = Loaded<1>;

template <class Function>
bool Bind(Function& function, const char* library, const char* name) {
  void* module = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    std::fprintf(stderr, "cannot load %s: %s\n", library, dlerror());
    return false;
  }
  function = reinterpret_cast<Function>(dlsym(module, name));
  return function != nullptr;
}

constexpr int kOperationsPerIteration = 1000;

void SetOperations(benchmark::State& state, double operationsPerIteration) {
  state.counters["op"] =
      benchmark::Counter(operationsPerIteration, benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

template <class A>
void Lifo(benchmark::State& state) {
  const auto size = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) LifoOperations<A>(size, kOperationsPerIteration);
  SetOperations(state, kOperationsPerIteration);
}

template <class A>
void Batch(benchmark::State& state) {
  const auto size = static_cast<std::int32_t>(state.range(0));
  std::vector<void*> slots(kBatchSize);
  for (auto _ : state) BatchOperations<A>(size, slots);
  SetOperations(state, kBatchSize);
}

template <class A>
void ChurnRun(benchmark::State& state) {
  static const ChurnScript script;
  Churn<A> churn(script);
  for (auto _ : state) churn.Operations(kOperationsPerIteration);
  SetOperations(state, kOperationsPerIteration);
}

const char* const kAllocators[] = {"memcore", "glibc", "mimalloc", "jemalloc"};
const int kSizes[] = {1, 8, 24, 48, 64, 4096};

double Fastest(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

// Shows the aggregates of every benchmark and keeps the fastest repetition's nanoseconds per
// operation for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min") continue;
      const auto found = run.counters.find("op");
      if (found == run.counters.end()) continue;
      const std::string& args = run.run_name.args;
      fastest[run.run_name.function_name + (args.empty() ? "" : "/" + args)] =
          found->second.value * 1e9;
    }
  }
  std::map<std::string, double> fastest;
};

void PrintSummary(const std::map<std::string, double>& fastest) {
  std::printf(
      "\nNanoseconds per operation (one allocation and its release), fastest of the runs;\n"
      "ratios are the other allocator's time over memcore's (above 1: memcore is faster).\n\n");
  std::printf("%-14s %9s %9s %9s %9s %13s %13s %13s\n", "pattern", "memcore", "glibc", "mimalloc",
              "jemalloc", "glibc/memcore", "mimalloc/mc", "jemalloc/mc");
  auto row = [&](const std::string& pattern, const std::string& args, const std::string& label) {
    double ns[4] = {};
    for (int a = 0; a < 4; ++a) {
      const auto found = fastest.find(pattern + "/" + kAllocators[a] + "/" + args);
      if (found == fastest.end()) return;  // filtered out
      ns[a] = found->second;
    }
    std::printf("%-14s %9.2f %9.2f %9.2f %9.2f %13.2f %13.2f %13.2f\n", label.c_str(), ns[0], ns[1],
                ns[2], ns[3], ns[1] / ns[0], ns[2] / ns[0], ns[3] / ns[0]);
  };
  for (const char* pattern : {"lifo", "batch"}) {
    for (int size : kSizes) {
      row(pattern, std::to_string(size), std::string(pattern) + " " + std::to_string(size));
    }
  }
  row("churn", "1-48", "churn 1-48");
  std::printf("\nTargets: memcore no slower than glibc on LIFO and churn (glibc/memcore >= 1).\n");
}

template <class A>
void Register(const char* allocator) {
  for (int size : kSizes) {
    benchmark::RegisterBenchmark((std::string("lifo/") + allocator).c_str(), Lifo<A>)
        ->Arg(size)
        ->ComputeStatistics("min", Fastest);
    benchmark::RegisterBenchmark((std::string("batch/") + allocator).c_str(), Batch<A>)
        ->Arg(size)
        ->ComputeStatistics("min", Fastest);
  }
  benchmark::RegisterBenchmark((std::string("churn/") + allocator + "/1-48").c_str(), ChurnRun<A>)
      ->ComputeStatistics("min", Fastest);
}

}  // namespace

int main(int argc, char** argv) {
  // jemalloc keeps its thread state in static TLS, which a library loaded late only gets from
  // glibc's surplus; ask for more and start again.
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  if (tunables == nullptr || std::strstr(tunables, "optional_static_tls") == nullptr) {
    setenv("GLIBC_TUNABLES", "glibc.rtld.optional_static_tls=65536", 1);
    execv("/proc/self/exe", argv);
  }
  if (!Bind(Memcore::allocate, MEMCORE_LIBRARY_PATH, "MemoryMalloc") ||
      !Bind(Memcore::release, MEMCORE_LIBRARY_PATH, "MemoryFree") ||
      !Bind(Mimalloc::allocate, "libmimalloc.so.2", "mi_malloc") ||
      !Bind(Mimalloc::release, "libmimalloc.so.2", "mi_free") ||
      !Bind(Jemalloc::allocate, "libjemalloc.so.2", "malloc") ||
      !Bind(Jemalloc::release, "libjemalloc.so.2", "free")) {
    return 1;
  }
  Register<Memcore>("memcore");
  Register<Glibc>("glibc");
  Register<Mimalloc>("mimalloc");
  Register<Jemalloc>("jemalloc");

  // Short runs, repeated: the fastest repetition is the least disturbed by other work.
  std::vector<char*> arguments(argv, argv + argc);
  char minTime[] = "--benchmark_min_time=0.1";
  char repetitions[] = "--benchmark_repetitions=5";
  char aggregatesOnly[] = "--benchmark_display_aggregates_only=true";
  arguments.insert(arguments.begin() + 1, {minTime, repetitions, aggregatesOnly});
  int count = static_cast<int>(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter.fastest);
  return 0;
}
