// memcore.dll, called through its exports, against the 32-bit runtime heap (msvcrt's malloc and
// free) and against a bare per-class free list that only zeroes on release: the floor for a
// design that zeroes and keeps a header. All three are called through function addresses, as a
// host calls the DLL. Then memcore-checked.dll against memcore.dll, with its stack capture and
// without (MEMCORE_FRAMES=0), from frames that keep their frame pointers as a developer's build
// would.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "allocation_patterns.h"

namespace {

using AllocateFunction = void*(__cdecl*)(std::int32_t);
using SizedAllocateFunction = void*(__cdecl*)(std::size_t);
using ReleaseFunction = void(__cdecl*)(void*);

// Seven classes as in memcore, a 4-byte header holding the class while a slot is live and the
// next free slot while it is not; slots are carved 64 at a time and never given back.
namespace free_list {

constexpr unsigned kClassSizes[] = {1, 4, 8, 16, 24, 32, 48};
unsigned char* heads[7];

unsigned ClassOf(std::int32_t size) {
  unsigned index = 0;
  while (index < 6 && size > static_cast<std::int32_t>(kClassSizes[index])) ++index;
  return index;
}

__attribute__((noinline)) void Refill(unsigned index) {
  const unsigned stride = kClassSizes[index] + 4;
  auto* chunk = static_cast<unsigned char*>(std::malloc(64 * stride));
  for (unsigned k = 0; k < 64; ++k) {
    unsigned char* slot = chunk + k * stride;
    std::memcpy(slot, &heads[index], sizeof(slot));
    heads[index] = slot;
  }
}

void* __cdecl Allocate(std::int32_t size) {
  const unsigned index = ClassOf(size);
  if (heads[index] == nullptr) Refill(index);
  unsigned char* slot = heads[index];
  std::memcpy(&heads[index], slot, sizeof(slot));
  const std::uint32_t header = index;
  std::memcpy(slot, &header, 4);
  return slot + 4;
}

void __cdecl Release(void* payload) {
  unsigned char* slot = static_cast<unsigned char*>(payload) - 4;
  std::uint32_t index;
  std::memcpy(&index, slot, 4);
  std::memset(payload, 0, kClassSizes[index]);
  std::memcpy(slot, &heads[index], sizeof(slot));
  heads[index] = slot;
}

}  // namespace free_list

template <int kId>
struct Exported {
  static inline AllocateFunction allocate;
  static inline ReleaseFunction release;
  static void* Allocate(std::int32_t size) { return allocate(size); }
  static void Release(void* payload) { release(payload); }
};
using Memcore = Exported<0>;
using FreeList = Exported<1>;
using Checked = Exported<2>;
struct Msvcrt {
  static inline SizedAllocateFunction allocate;
  static inline ReleaseFunction release;
  static void* Allocate(std::int32_t size) { return allocate(static_cast<std::size_t>(size)); }
  static void Release(void* payload) { release(payload); }
};

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

constexpr int kRepetitions = 7;

// Nanoseconds per operation of the fastest of several timed rounds, after one warm-up round.
template <class Round>
double Fastest(int operationsPerRound, Round&& round) {
  round();
  double best = 1e30;
  for (int r = 0; r < kRepetitions; ++r) {
    const double start = Now();
    round();
    best = std::min(best, (Now() - start) * 1e9 / operationsPerRound);
  }
  return best;
}

constexpr int kLifoOperations = 2'000'000;
constexpr int kBatchRounds = 20;
constexpr int kChurnOperations = 2'000'000;

// The checked build is timed on a tenth of the operations: it is two orders of magnitude slower.
template <class A>
double TimeLifo(std::int32_t size, int scale = 1) {
  const int operations = kLifoOperations / scale;
  return Fastest(operations, [=] { LifoOperations<A>(size, operations); });
}

template <class A>
double TimeBatch(std::int32_t size, int scale = 1) {
  std::vector<void*> slots(kBatchSize);
  const int rounds = kBatchRounds / scale > 0 ? kBatchRounds / scale : 1;
  return Fastest(rounds * kBatchSize, [&] {
    for (int i = 0; i < rounds; ++i) BatchOperations<A>(size, slots);
  });
}

template <class A>
double TimeChurn(const ChurnScript& script, int scale = 1) {
  Churn<A> churn(script);
  const int operations = kChurnOperations / scale;
  return Fastest(operations, [&] { churn.Operations(operations); });
}

struct Row {
  const char* label;
  double memcore, msvcrt, freeList;  // freeList 0 where it does not apply (large blocks)
  const char* heapTarget;
  double heapTargetRatio;
};

void Print(const Row& row) {
  const double heapRatio = row.msvcrt / row.memcore;
  std::printf("%-12s %9.2f %9.2f ", row.label, row.memcore, row.msvcrt);
  if (row.freeList > 0) {
    std::printf("%9.2f %13.2f", row.freeList, row.memcore / row.freeList);
  } else {
    std::printf("%9s %13s", "-", "-");
  }
  std::printf(" %13.2f  %s", heapRatio, row.heapTarget);
  if (row.heapTargetRatio > 0)
    std::printf(" %s", heapRatio >= row.heapTargetRatio ? "met" : "MISSED");
  std::printf("\n");
}

bool BindProcess(HMODULE module, const char* name, FARPROC& address) {
  address = GetProcAddress(module, name);
  if (address == nullptr) std::fprintf(stderr, "missing export %s\n", name);
  return address != nullptr;
}

template <class Function>
Function As(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

constexpr int kCheckedScale = 10;
const int kSizes[] = {1, 8, 24, 48, 64, 4096};

// Every pattern through memcore-checked.dll, loaded afresh with the given MEMCORE_FRAMES (null:
// the default depth); the report goes to a scratch file.
bool TimeChecked(const char* frames, std::vector<double>& times) {
  char report[MAX_PATH];
  GetTempPathA(sizeof report, report);
  std::strncat(report, "memcore-checked-benchmark.txt", sizeof report - std::strlen(report) - 1);
  SetEnvironmentVariableA("MEMCORE_REPORT", report);
  SetEnvironmentVariableA("MEMCORE_FRAMES", frames);
  const HMODULE checked = LoadLibraryA("memcore-checked.dll");
  FARPROC addresses[2];
  if (checked == nullptr || !BindProcess(checked, "MemoryMalloc", addresses[0]) ||
      !BindProcess(checked, "MemoryFree", addresses[1])) {
    std::fprintf(stderr, "cannot load memcore-checked.dll\n");
    return false;
  }
  Checked::allocate = As<AllocateFunction>(addresses[0]);
  Checked::release = As<ReleaseFunction>(addresses[1]);
  times.clear();
  for (int size : kSizes) times.push_back(TimeLifo<Checked>(size, kCheckedScale));
  for (int size : kSizes) times.push_back(TimeBatch<Checked>(size, kCheckedScale));
  static const ChurnScript script;
  times.push_back(TimeChurn<Checked>(script, kCheckedScale));
  FreeLibrary(checked);
  DeleteFileA(report);
  return true;
}

}  // namespace

// The optional argument names the memcore.dll to time (tools/bench-memcore.sh passes an earlier
// commit's build); by default the one beside the benchmark.
int main(int argc, char** argv) {
  const char* memcorePath = argc > 1 ? argv[1] : "memcore.dll";
  HMODULE memcore = LoadLibraryA(memcorePath);
  HMODULE msvcrt = LoadLibraryA("msvcrt.dll");
  if (memcore == nullptr || msvcrt == nullptr) {
    std::fprintf(stderr, "cannot load %s or msvcrt.dll\n", memcorePath);
    return 1;
  }
  FARPROC addresses[4];
  if (!BindProcess(memcore, "MemoryMalloc", addresses[0]) ||
      !BindProcess(memcore, "MemoryFree", addresses[1]) ||
      !BindProcess(msvcrt, "malloc", addresses[2]) || !BindProcess(msvcrt, "free", addresses[3])) {
    return 1;
  }
  Memcore::allocate = As<AllocateFunction>(addresses[0]);
  Memcore::release = As<ReleaseFunction>(addresses[1]);
  Msvcrt::allocate = As<SizedAllocateFunction>(addresses[2]);
  Msvcrt::release = As<ReleaseFunction>(addresses[3]);
  // Through a volatile read, so the compiler cannot inline the floor into the timing loops.
  static volatile AllocateFunction floorAllocate = &free_list::Allocate;
  static volatile ReleaseFunction floorRelease = &free_list::Release;
  FreeList::allocate = floorAllocate;
  FreeList::release = floorRelease;

  std::printf(
      "Nanoseconds per operation (one allocation and its release), fastest of %d rounds.\n"
      "memcore/floor: memcore's time over the bare free list's (target: at most 2 on LIFO).\n"
      "msvcrt/memcore: the runtime heap's time over memcore's (above 1: memcore is faster).\n\n",
      kRepetitions);
  std::printf("%-12s %9s %9s %9s %13s %13s  %s\n", "pattern", "memcore", "msvcrt", "floor",
              "memcore/floor", "msvcrt/memcore", "target");
  double worstLifoFloorRatio = 0;
  char label[32];
  for (int size : kSizes) {
    const bool pooled = size <= 48;
    std::snprintf(label, sizeof(label), "lifo %d", size);
    Row row{label,
            TimeLifo<Memcore>(size),
            TimeLifo<Msvcrt>(size),
            pooled ? TimeLifo<FreeList>(size) : 0,
            pooled ? ">= 6" : "",
            pooled ? 6.0 : 0};
    if (pooled) worstLifoFloorRatio = std::max(worstLifoFloorRatio, row.memcore / row.freeList);
    Print(row);
  }
  for (int size : kSizes) {
    const bool pooled = size <= 48;
    std::snprintf(label, sizeof(label), "batch %d", size);
    const double target = !pooled ? 0 : size <= 24 ? 4.0 : 3.0;
    Print(Row{label, TimeBatch<Memcore>(size), TimeBatch<Msvcrt>(size),
              pooled ? TimeBatch<FreeList>(size) : 0,
              !pooled      ? ""
              : size <= 24 ? ">= 4"
                           : ">= 3",
              target});
  }
  static const ChurnScript script;
  Print(Row{"churn 1-48", TimeChurn<Memcore>(script), TimeChurn<Msvcrt>(script),
            TimeChurn<FreeList>(script), ">= 2.5", 2.5});
  std::printf("\nLIFO against the floor: at most %.2f times (target 2): %s\n", worstLifoFloorRatio,
              worstLifoFloorRatio <= 2 ? "met" : "MISSED");

  std::vector<double> withStacks, withoutStacks;
  if (!TimeChecked(nullptr, withStacks) || !TimeChecked("0", withoutStacks)) return 1;
  std::printf(
      "\nmemcore-checked.dll: nanoseconds per operation, fastest of %d rounds on a tenth of the\n"
      "operations; checked/memcore: its time over memcore's; stacks: the share of its time that\n"
      "the stack capture takes (against MEMCORE_FRAMES=0). Target: at most 1000 ns per small\n"
      "block operation.\n\n",
      kRepetitions);
  std::printf("%-12s %9s %9s %9s %15s %7s  %s\n", "pattern", "memcore", "checked", "no stack",
              "checked/memcore", "stacks", "target");
  double worstSmall = 0;
  for (std::size_t i = 0; i < withStacks.size(); ++i) {
    const bool lifo = i < std::size(kSizes), churn = i == 2 * std::size(kSizes);
    const int size = churn ? 48 : kSizes[i % std::size(kSizes)];
    static const ChurnScript script;
    const double memcoreTime = churn  ? TimeChurn<Memcore>(script)
                               : lifo ? TimeLifo<Memcore>(size)
                                      : TimeBatch<Memcore>(size);
    if (churn) {
      std::snprintf(label, sizeof(label), "churn 1-48");
    } else {
      std::snprintf(label, sizeof(label), "%s %d", lifo ? "lifo" : "batch", size);
    }
    const double checkedTime = withStacks[i];
    const bool small = size <= 48;
    if (small) worstSmall = std::max(worstSmall, checkedTime);
    std::printf("%-12s %9.2f %9.2f %9.2f %15.1f %6.0f%%  %s\n", label, memcoreTime, checkedTime,
                withoutStacks[i], checkedTime / memcoreTime,
                100 * (checkedTime - withoutStacks[i]) / checkedTime,
                small ? (checkedTime <= 1000 ? "<= 1000 met" : "<= 1000 MISSED") : "");
  }
  std::printf("\nChecked small-block operation: at most %.0f ns (target 1000): %s\n", worstSmall,
              worstSmall <= 1000 ? "met" : "MISSED");
  return 0;
}
