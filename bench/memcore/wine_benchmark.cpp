// memcore.dll, called through its exports, against the 32-bit runtime heap (msvcrt's malloc and
// free) and against a bare per-class free list that only zeroes on release: the floor for a
// design that zeroes and keeps a header. All three are called through function addresses, as a
// host calls the DLL.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

template <class A>
double TimeLifo(std::int32_t size) {
  return Fastest(kLifoOperations, [size] { LifoOperations<A>(size, kLifoOperations); });
}

template <class A>
double TimeBatch(std::int32_t size) {
  std::vector<void*> slots(kBatchSize);
  return Fastest(kBatchRounds * kBatchSize, [&] {
    for (int i = 0; i < kBatchRounds; ++i) BatchOperations<A>(size, slots);
  });
}

template <class A>
double TimeChurn(const ChurnScript& script) {
  Churn<A> churn(script);
  return Fastest(kChurnOperations, [&] { churn.Operations(kChurnOperations); });
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
  const int sizes[] = {1, 8, 24, 48, 64, 4096};
  double worstLifoFloorRatio = 0;
  char label[32];
  for (int size : sizes) {
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
  for (int size : sizes) {
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
  return 0;
}
