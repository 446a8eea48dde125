#include "memcore/pool/memory_manager.h"

#include <emmintrin.h>

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

// The byte offset of each request's class in MemoryManager::classes: the common path reaches its
// SizeClass with one load, without turning an index into an address.
struct ClassOffsets {
  std::uint16_t ofSize[kLargestSlotRequest + 1];
};
constexpr ClassOffsets OffsetsOfClasses() {
  ClassOffsets offsets{};
  for (unsigned size = 0; size <= kLargestSlotRequest; ++size) {
    offsets.ofSize[size] = static_cast<std::uint16_t>(kClassOfSize[size] * sizeof(SizeClass));
  }
  return offsets;
}
constexpr ClassOffsets kClassOffsets = OffsetsOfClasses();

MEMCORE_HOT_INLINE SizeClass& ClassAt(MemoryManager& manager, unsigned offset) {
  return *reinterpret_cast<SizeClass*>(reinterpret_cast<unsigned char*>(manager.classes) + offset);
}

// Zeroes the classSize bytes of a pooled payload with straight stores and no table. Mixed requests
// change the class at random, so a jump per class would be mispredicted on most releases: one
// branch tells the three small classes from the four larger ones, which take three 16-byte stores
// at 0, half-way and the end, overlapping as the class needs. The small classes take a byte and
// two 4-byte stores, which class 1 sends to a scratch area. No store passes the payload's end,
// whatever the header says.
alignas(8) unsigned char zeroScratch[8];

struct Bytes16 {
  unsigned char bytes[16];
};

MEMCORE_HOT_INLINE void ZeroSixteenThrice(unsigned char* first, unsigned char* second,
                                          unsigned char* third) {
#if defined(__i386__)
  // Written out: a vector value in the C++ code would make the 32-bit compiler set up a frame in
  // MemoryFree, ready to realign the stack for a vector spill that never happens.
  asm("pxor %%xmm0, %%xmm0\n\t"
      "movups %%xmm0, %0\n\t"
      "movups %%xmm0, %1\n\t"
      "movups %%xmm0, %2"
      : "=m"(*reinterpret_cast<Bytes16*>(first)), "=m"(*reinterpret_cast<Bytes16*>(second)),
        "=m"(*reinterpret_cast<Bytes16*>(third))
      :
      : "xmm0");
#else
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(first), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(second), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(third), zero);
#endif
}

MEMCORE_HOT_INLINE void ZeroSlotPayload(unsigned char* payload, unsigned classSize) {
  if (classSize >= 16) {
    ZeroSixteenThrice(payload, payload + (classSize - 16) / 2, payload + classSize - 16);
  } else {
    const std::uint32_t zero = 0;
    const bool words = classSize >= 4;
    unsigned char* base = words ? payload : zeroScratch;
    payload[0] = 0;
    std::memcpy(base, &zero, 4);
    std::memcpy(base + (words ? classSize - 4 : 0), &zero, 4);
  }
}

// How a large release zeroes its request bytes (at least 49 of them), by size. The runtime heap's
// own memset is slow under Wine and takes a call.
// - Up to kStringStoreZeroBytes: 16-byte stores, unaligned at both ends and aligned between.
// - Up to kStreamingZeroBytes: the processor's string store, which writes whole cache lines
//   without reading them first.
// - Beyond: stores that bypass the cache. The block goes back to the heap, and filling the cache
//   with its zeros would evict the host's own data.
constexpr std::uint32_t kStringStoreZeroBytes = 2048;
constexpr std::uint32_t kStreamingZeroBytes = 256 * 1024;

template <class T>
std::uintptr_t Address(const T* at) {
  return reinterpret_cast<std::uintptr_t>(at);
}

inline __m128i* NextAligned16(unsigned char* bytes) {
  return reinterpret_cast<__m128i*>((Address(bytes) + 16) & ~std::uintptr_t{15});
}

void ZeroLargePayload(unsigned char* payload, std::uint32_t size) {
  unsigned char* end = payload + size;
  const __m128i zero = _mm_setzero_si128();
  if (size <= kStringStoreZeroBytes) {
    // Unaligned stores over the first 48 bytes and the last 64 (the one that would start before
    // the payload starts at it instead), aligned ones, four at a time, over what lies between.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(payload), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(payload + 16), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(payload + 32), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(size >= 64 ? end - 64 : payload), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 48), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 32), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 16), zero);
    if (size <= 64) return;
    const std::uintptr_t lastFour = Address(end) - 64;
    for (__m128i* at = NextAligned16(payload); Address(at) < lastFour; at += 4) {
      _mm_store_si128(at, zero);
      _mm_store_si128(at + 1, zero);
      _mm_store_si128(at + 2, zero);
      _mm_store_si128(at + 3, zero);
    }
    return;
  }
  if (size <= kStreamingZeroBytes) {
    std::size_t count = size;
    asm volatile("rep stosb" : "+D"(payload), "+c"(count) : "a"(0) : "memory");
    return;
  }
  // Unaligned stores up to the first 16-byte boundary and from the last one; streaming stores,
  // which need the alignment, in between.
  _mm_storeu_si128(reinterpret_cast<__m128i*>(payload), zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 16), zero);
  __m128i* at = NextAligned16(payload);
  auto* last = reinterpret_cast<__m128i*>(Address(end) & ~std::uintptr_t{15});
  for (; at + 4 <= last; at += 4) {
    _mm_stream_si128(at, zero);
    _mm_stream_si128(at + 1, zero);
    _mm_stream_si128(at + 2, zero);
    _mm_stream_si128(at + 3, zero);
  }
  for (; at < last; ++at) _mm_stream_si128(at, zero);
  // Streaming stores are weakly ordered: fenced before the block goes back to the heap, whose own
  // stores must not be seen by another thread ahead of them.
  _mm_sfence();
}

// Debug builds check the touched pool after every operation.
inline void CheckClass(const SizeClass& sizeClass) {
#if defined(MEMCORE_VALIDATE_POOLS)
  memory_pool_detail::CheckPool(sizeClass.pool, sizeClass.layout);
#else
  (void)sizeClass;
#endif
}

// The end of every operation on a class.
MEMCORE_HOT_INLINE void Finish(const SizeClass& sizeClass) {
  CheckClass(sizeClass);
  sizeClass.manager->busyFlag = 0;
}

// The paths below finish the call, busy flag included, and the two entry points reach them by
// tail calls: out of line, they leave the common paths few values to keep and few registers to
// save. They are not rare: LIFO use of a class takes the spare and empties a block on every call,
// and random churn meets a full block on most releases and a block's last free slot on most
// requests. Those working on one class find the manager through it, and on the 32-bit target
// take their arguments in registers.
#if defined(__i386__)
#define MEMCORE_OUT_OF_LINE __attribute__((noinline, regparm(3)))
#else
#define MEMCORE_OUT_OF_LINE __attribute__((noinline))
#endif

MEMCORE_OUT_OF_LINE void* AllocateFromNewBlock(SizeClass& sizeClass) {
  void* payload = TakeSlotFromNewBlock(sizeClass.pool, sizeClass.layout, sizeClass.manager->heap);
  Finish(sizeClass);
  return payload;
}

MEMCORE_OUT_OF_LINE void* AllocateWithoutPartialBlock(SizeClass& sizeClass) {
  if (sizeClass.pool.spare == nullptr) return AllocateFromNewBlock(sizeClass);
  void* payload = TakeSlotFromSpare(sizeClass.pool, sizeClass.layout);
  Finish(sizeClass);
  return payload;
}

MEMCORE_OUT_OF_LINE void* AllocateLastFreeSlot(SizeClass& sizeClass, BlockLinks* links,
                                               unsigned taken) {
  void* payload = TakeLastFreeSlot(sizeClass.pool, sizeClass.layout, links, taken);
  Finish(sizeClass);
  return payload;
}

MEMCORE_HOT_INLINE void* AllocateSlot(MemoryManager& manager, SizeClass& sizeClass) {
  MemoryBlock* block = sizeClass.pool.partialList;
  if (block == nullptr) return AllocateWithoutPartialBlock(sizeClass);
  BlockLinks* links = sizeClass.layout.Links(block);
  const unsigned stride = sizeClass.layout.stride;
  const unsigned taken = InByteRegister(static_cast<unsigned>(links->freeHead));
  const unsigned next = InByteRegister(links->nextSlot[taken]);
  if (next == taken) return AllocateLastFreeSlot(sizeClass, links, taken);
  // The address first: the class is then no longer needed while the rings change.
  unsigned char* payload = Opaque(PayloadBefore(links, taken, stride));
  TakeFreeHead(links, taken, next);
  CheckClass(sizeClass);
  manager.busyFlag = 0;
  return payload;
}

// Requests above 48 bytes, and negative ones, which class 1 serves. Null when the heap fails or
// the request does not fit a LargeHeader.
MEMCORE_OUT_OF_LINE void* AllocateLargeOrNegative(MemoryManager& manager, std::int32_t size) {
  if (size < 0) return AllocateSlot(manager, manager.classes[0]);
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

MEMCORE_OUT_OF_LINE void ReleaseLarge(MemoryManager& manager, unsigned char* payload) {
  const std::uint32_t totalSize = LargeHeader::TotalSize(payload);
  // No large request is below 49 bytes: a smaller totalSize is not a header this manager wrote,
  // and zeroing totalSize - 4 bytes could wrap to the whole address space. Nothing is touched.
  if (totalSize >= LargeHeader::kSmallestTotalSize) {
    ZeroLargePayload(payload, totalSize - 4);
    manager.largeBytes -= totalSize;
    manager.heap.release(payload - 4);
  }
  manager.busyFlag = 0;
}

MEMCORE_OUT_OF_LINE void ReleaseDisplacedSpare(SizeClass& sizeClass, MemoryBlock* spare) {
  sizeClass.manager->heap.release(spare);
  Finish(sizeClass);
}

MEMCORE_OUT_OF_LINE void ReleaseLastUsedSlot(SizeClass& sizeClass, BlockLinks* links, unsigned k) {
  MemoryBlock* displaced = ReturnLastUsedSlot(sizeClass.pool, sizeClass.layout, links, k);
  if (displaced != nullptr) return ReleaseDisplacedSpare(sizeClass, displaced);
  Finish(sizeClass);
}

MEMCORE_OUT_OF_LINE void ReleaseSlotOfFullBlock(SizeClass& sizeClass, BlockLinks* links,
                                                unsigned k) {
  ReturnSlotOfFullBlock(sizeClass.pool, sizeClass.layout, links, k);
  Finish(sizeClass);
}

MEMCORE_HOT_INLINE void* Malloc(MemoryManager& manager, std::int32_t size) {
  if (manager.busyFlag != 0) return manager.heap.allocate(static_cast<std::size_t>(size));
  manager.busyFlag = 1;
  // One unsigned test sends both the large and the negative requests away.
  if (static_cast<std::uint32_t>(size) > kLargestSlotRequest) {
    return AllocateLargeOrNegative(manager, size);
  }
  return AllocateSlot(manager, ClassAt(manager, kClassOffsets.ofSize[size]));
}

// The class of a pooled payload, from the classSize in its header, read again.
MEMCORE_HOT_INLINE SizeClass& ClassOfSlot(MemoryManager& manager, const unsigned char* payload) {
  std::uint16_t classSize;
  std::memcpy(&classSize, Opaque(payload) - 2, 2);
  return ClassAt(manager, kClassOffsets.ofSize[classSize]);
}

MEMCORE_HOT_INLINE void Free(MemoryManager& manager, void* payload) {
  if (payload == nullptr) return;
  if (manager.busyFlag != 0) return manager.heap.release(payload);
  manager.busyFlag = 1;
  unsigned char* p = static_cast<unsigned char*>(payload);
  // The header as one little-endian word: tag, slot number, classSize.
  std::uint32_t header;
  std::memcpy(&header, p - 4, 4);
  if ((header & 0xFF) == LargeHeader::kTag) return ReleaseLarge(manager, p);
  const unsigned classSize = header >> 16;
  // No pool writes a larger classSize: such a header is not ours, and nothing is touched.
  if (classSize > kLargestSlotRequest) {
    manager.busyFlag = 0;
    return;
  }
  // The zeroing first: the payload's address and size are then no longer needed.
  ZeroSlotPayload(p, classSize);
  const unsigned k = Opaque(header >> 8 & 0xFF);
  BlockLinks* links = LinksOfSlot(p, k, classSize);
  const unsigned next = InByteRegister(links->nextSlot[k]);
  if (next == k) return ReleaseLastUsedSlot(ClassOfSlot(manager, p), links, k);
  const int freeHead = links->freeHead;
  if (freeHead < 0) return ReleaseSlotOfFullBlock(ClassOfSlot(manager, p), links, k);
  ReturnToFreeRing(links, k, next, static_cast<unsigned>(freeHead));
  CheckClass(ClassAt(manager, kClassOffsets.ofSize[classSize]));
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
