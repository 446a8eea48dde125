#include "memcore/pool/memory_manager.h"

#include <cstdlib>
#include <cstring>

namespace {

void* CrtAllocate(std::size_t size) { return std::malloc(size); }
void CrtRelease(void* block) { std::free(block); }

// Constant-initialised, so the pools are ready before any code of the library or its host runs.
MemoryManager libraryManager{RuntimeHeap{&CrtAllocate, &CrtRelease}};

constexpr int kLargestSlot = 48;

// The class of a request of 0 to 48 bytes as an index into the pools, 1 4 8 16 24 32 48: the same
// result as the range tests from the smallest class up.
constexpr unsigned char kClassOfSize[kLargestSlot + 1] = {
    0, 0,                                             // 0, 1
    1, 1, 1,                                          // 2 to 4
    2, 2, 2, 2,                                       // 5 to 8
    3, 3, 3, 3, 3, 3, 3, 3,                           // 9 to 16
    4, 4, 4, 4, 4, 4, 4, 4,                           // 17 to 24
    5, 5, 5, 5, 5, 5, 5, 5,                           // 25 to 32
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};  // 33 to 48

template <unsigned N>
inline void ZeroAndRelease(MemoryPool<N>& pool, unsigned char* payload, const RuntimeHeap& heap) {
  std::memset(payload, 0, N);
  pool.Release(payload, heap);
}

}  // namespace

void* MemoryManager::Malloc(std::int32_t size) {
  if (busyFlag != 0) return heap.allocate(static_cast<std::size_t>(size));
  busyFlag = 1;
  void* payload = size <= kLargestSlot ? AllocateSlot(size) : AllocateLarge(size);
  busyFlag = 0;
  return payload;
}

inline void* MemoryManager::AllocateSlot(std::int32_t size) {
  switch (size <= 1 ? 0 : kClassOfSize[size]) {
    case 0: return pool1.Allocate(heap);
    case 1: return pool4.Allocate(heap);
    case 2: return pool8.Allocate(heap);
    case 3: return pool16.Allocate(heap);
    case 4: return pool24.Allocate(heap);
    case 5: return pool32.Allocate(heap);
    default: return pool48.Allocate(heap);
  }
}

__attribute__((noinline)) void* MemoryManager::AllocateLarge(std::int32_t size) {
  if (size > LargeHeader::kLargestRequest) return nullptr;
  const std::uint32_t totalSize = static_cast<std::uint32_t>(size) + 4;
  unsigned char* block = static_cast<unsigned char*>(heap.allocate(totalSize));
  if (block == nullptr) return nullptr;
  LargeHeader::Write(block, totalSize);
  largeBytes += totalSize;
  return block + 4;
}

void MemoryManager::Free(void* payload) {
  if (payload == nullptr) return;
  if (busyFlag != 0) {
    heap.release(payload);
    return;
  }
  busyFlag = 1;
  unsigned char* p = static_cast<unsigned char*>(payload);
  if (p[-4] == LargeHeader::kTag) {
    ReleaseLarge(p);
  } else {
    ReleaseSlot(p);
  }
  busyFlag = 0;
}

inline void MemoryManager::ReleaseSlot(unsigned char* payload) {
  const unsigned classSize = payload[-2] | payload[-1] << 8;
  // No pool writes a larger classSize: such a header is not ours, and nothing is touched.
  if (classSize > kLargestSlot) return;
  switch (kClassOfSize[classSize]) {
    case 0: return ZeroAndRelease(pool1, payload, heap);
    case 1: return ZeroAndRelease(pool4, payload, heap);
    case 2: return ZeroAndRelease(pool8, payload, heap);
    case 3: return ZeroAndRelease(pool16, payload, heap);
    case 4: return ZeroAndRelease(pool24, payload, heap);
    case 5: return ZeroAndRelease(pool32, payload, heap);
    default: return ZeroAndRelease(pool48, payload, heap);
  }
}

__attribute__((noinline)) void MemoryManager::ReleaseLarge(unsigned char* payload) {
  const std::uint32_t totalSize = LargeHeader::TotalSize(payload);
  std::memset(payload, 0, totalSize - 4);
  largeBytes -= totalSize;
  heap.release(payload - 4);
}

std::uint32_t MemoryManager::Used() const {
  std::uint32_t used = largeBytes;
  ForEachPool([&used](const auto& pool) {
    used += static_cast<std::uint32_t>(pool.blockCount) * pool.kBlockSize;
  });
  return used;
}

MemoryManager& LibraryMemoryManager() { return libraryManager; }

bool ValidateMemoryManager(const MemoryManager& manager, PoolFault* fault) {
  bool valid = true;
  manager.ForEachPool([&](const auto& pool) { valid = valid && ValidatePool(pool, fault); });
  return valid;
}

extern "C" {

void* MEMCORE_CALL MemoryMalloc(std::int32_t size) { return libraryManager.Malloc(size); }
void MEMCORE_CALL MemoryFree(void* payload) { libraryManager.Free(payload); }
std::uint32_t MEMCORE_CALL MemoryUsed(void) { return libraryManager.Used(); }
void MEMCORE_CALL MemoryInfo(void) {}
void MEMCORE_CALL MemoryTrace(void) {}

}  // extern "C"
