#include "memcore/pool/memory_manager.h"

#include <cstdlib>
#include <cstring>

namespace {

void* CrtAllocate(std::size_t size) { return std::malloc(size); }
void CrtRelease(void* block) { std::free(block); }

// Constant-initialised, so the pools are ready before any code of the library or its host runs.
MemoryManager libraryManager{RuntimeHeap{&CrtAllocate, &CrtRelease}};

// The class of a request of 0 to 48 bytes as an index into kClassLayouts: the same result as the
// range tests from the smallest class up.
// clang-format off
constexpr unsigned char kClassOfSize[kLargestSlotRequest + 1] = {
    0, 0,                                             // 0, 1
    1, 1, 1,                                          // 2 to 4
    2, 2, 2, 2,                                       // 5 to 8
    3, 3, 3, 3, 3, 3, 3, 3,                           // 9 to 16
    4, 4, 4, 4, 4, 4, 4, 4,                           // 17 to 24
    5, 5, 5, 5, 5, 5, 5, 5,                           // 25 to 32
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};  // 33 to 48
// clang-format on

// How each class's payload is zeroed. Mixed requests change the class at random, so a jump per
// class would be mispredicted on most releases; instead one branch tells the three small classes
// from the four larger ones, which then take a fixed number of stores each. Stores are
// word-sized, the later ones pulled back so that none passes the payload's end; a store that
// class 1 does not need goes to a scratch area.
using ZeroWord = std::uintptr_t;
constexpr unsigned kLargeClassWords = kLargestSlotRequest / sizeof(ZeroWord);

struct ZeroPlan {
  bool large;                               // 16 bytes or more: word stores only
  std::uintptr_t fourMask;                  // small classes: all ones when 4-byte stores fit
  unsigned char lastFour;                   // small classes: offset of the second 4-byte store
  unsigned char offsets[kLargeClassWords];  // large classes: offset of each word store
};

constexpr ZeroPlan PlanFor(std::uint32_t classSize) {
  ZeroPlan plan{classSize >= 16,
                classSize >= 4 ? ~std::uintptr_t{0} : 0,
                static_cast<unsigned char>(classSize >= 4 ? classSize - 4 : 0),
                {}};
  const std::uint32_t last = classSize >= 16 ? classSize - sizeof(ZeroWord) : 0;
  for (unsigned i = 0; i < kLargeClassWords; ++i) {
    const std::uint32_t offset = i * sizeof(ZeroWord);
    plan.offsets[i] = static_cast<unsigned char>(offset < last ? offset : last);
  }
  return plan;
}

constexpr ZeroPlan kZeroPlans[kClassCount] = {PlanFor(1),  PlanFor(4),  PlanFor(8), PlanFor(16),
                                              PlanFor(24), PlanFor(32), PlanFor(48)};

alignas(8) unsigned char zeroScratch[8];

MEMCORE_HOT_INLINE void ZeroSlotPayload(unsigned char* payload, unsigned index) {
  const ZeroPlan& plan = kZeroPlans[index];
  if (plan.large) {
    const ZeroWord zero = 0;
#pragma GCC unroll 12
    for (unsigned i = 0; i < kLargeClassWords; ++i) {
      std::memcpy(payload + plan.offsets[i], &zero, sizeof(zero));
    }
  } else {
    const std::uint32_t zero = 0;
    payload[0] = 0;
    unsigned char* base = reinterpret_cast<unsigned char*>(
        (reinterpret_cast<std::uintptr_t>(payload) & plan.fourMask) |
        (reinterpret_cast<std::uintptr_t>(zeroScratch) & ~plan.fourMask));
    std::memcpy(base, &zero, 4);
    std::memcpy(base + plan.lastFour, &zero, 4);
  }
}

#if defined(MEMCORE_VALIDATE_POOLS)
inline void CheckClass(const MemoryManager& manager, unsigned index) {
  memory_pool_detail::CheckPool(manager.classes[index].pool, manager.classes[index].layout);
}
#else
inline void CheckClass(const MemoryManager&, unsigned) {}
#endif

// The rare paths below finish the call themselves, busy flag included, and are reached by tail
// calls: the common paths then make no call and save no registers.

__attribute__((noinline)) void* AllocateFromNewBlock(MemoryManager& manager, unsigned index) {
  SizeClass& sizeClass = manager.classes[index];
  void* payload = TakeSlotFromNewBlock(sizeClass.pool, sizeClass.layout, manager.heap);
  CheckClass(manager, index);
  manager.busyFlag = 0;
  return payload;
}

__attribute__((noinline)) void* AllocateLarge(MemoryManager& manager, std::int32_t size) {
  void* payload = nullptr;
  if (size <= LargeHeader::kLargestRequest) {
    const std::uint32_t totalSize = static_cast<std::uint32_t>(size) + 4;
    auto* block = static_cast<unsigned char*>(manager.heap.allocate(totalSize));
    if (block != nullptr) {
      LargeHeader::Write(block, totalSize);
      manager.largeBytes += totalSize;
      payload = block + 4;
    }
  }
  manager.busyFlag = 0;
  return payload;
}

__attribute__((noinline)) void ReleaseDisplacedSpare(MemoryManager& manager, unsigned index,
                                                     MemoryBlock* spare) {
  manager.heap.release(spare);
  CheckClass(manager, index);
  manager.busyFlag = 0;
}

__attribute__((noinline)) void ReleaseLarge(MemoryManager& manager, unsigned char* payload) {
  const std::uint32_t totalSize = LargeHeader::TotalSize(payload);
  // No large request is below 49 bytes: a smaller totalSize is not a header AllocateLarge wrote,
  // and zeroing totalSize - 4 bytes could wrap to the whole address space. Nothing is touched.
  if (totalSize < LargeHeader::kSmallestTotalSize) {
    manager.busyFlag = 0;
    return;
  }
  std::memset(payload, 0, totalSize - 4);
  manager.largeBytes -= totalSize;
  manager.heap.release(payload - 4);
  manager.busyFlag = 0;
}

MEMCORE_HOT_INLINE void* Malloc(MemoryManager& manager, std::int32_t size) {
  if (manager.busyFlag != 0) return manager.heap.allocate(static_cast<std::size_t>(size));
  manager.busyFlag = 1;
  if (size > kLargestSlotRequest) return AllocateLarge(manager, size);
  const unsigned index = kClassOfSize[size < 0 ? 0 : size];
  SizeClass& sizeClass = manager.classes[index];
  void* payload = TakeSlot(sizeClass.pool, sizeClass.layout);
  if (payload == nullptr) return AllocateFromNewBlock(manager, index);
  CheckClass(manager, index);
  manager.busyFlag = 0;
  return payload;
}

MEMCORE_HOT_INLINE void Free(MemoryManager& manager, void* payload) {
  if (payload == nullptr) return;
  if (manager.busyFlag != 0) return manager.heap.release(payload);
  manager.busyFlag = 1;
  unsigned char* p = static_cast<unsigned char*>(payload);
  const SlotHeader header = SlotHeader::Read(p);
  if (header.tag == LargeHeader::kTag) return ReleaseLarge(manager, p);
  // No pool writes a larger classSize: such a header is not ours, and nothing is touched.
  if (header.classSize <= kLargestSlotRequest) {
    const unsigned index = kClassOfSize[header.classSize];
    SizeClass& sizeClass = manager.classes[index];
    // The rings first: their loads need not wait behind the zeroing stores.
    MemoryBlock* displaced = PutSlot(sizeClass.pool, sizeClass.layout, p, header);
    ZeroSlotPayload(p, index);
    if (displaced != nullptr) return ReleaseDisplacedSpare(manager, index, displaced);
    CheckClass(manager, index);
  }
  manager.busyFlag = 0;
}

}  // namespace

void* MemoryManager::Malloc(std::int32_t size) { return ::Malloc(*this, size); }
void MemoryManager::Free(void* payload) { ::Free(*this, payload); }

std::uint32_t MemoryManager::Used() const {
  std::uint32_t used = largeBytes;
  for (unsigned index = 0; index < kClassCount; ++index) {
    used += static_cast<std::uint32_t>(classes[index].pool.blockCount) *
            classes[index].layout.blockSize;
  }
  return used;
}

MemoryManager& LibraryMemoryManager() { return libraryManager; }

bool ValidateMemoryManager(const MemoryManager& manager, PoolFault* fault) {
  for (unsigned index = 0; index < kClassCount; ++index) {
    if (!ValidatePool(manager.classes[index].pool, manager.classes[index].layout, fault))
      return false;
  }
  return true;
}

extern "C" {

void* MEMCORE_CALL MemoryMalloc(std::int32_t size) { return Malloc(libraryManager, size); }
void MEMCORE_CALL MemoryFree(void* payload) { Free(libraryManager, payload); }
std::uint32_t MEMCORE_CALL MemoryUsed(void) { return libraryManager.Used(); }
void MEMCORE_CALL MemoryInfo(void) {}
void MEMCORE_CALL MemoryTrace(void) {}

}  // extern "C"
