// The library's allocator: seven small-block pools for requests of up to 48 bytes, the runtime
// heap behind a 4-byte LargeHeader for larger ones, zeroing on release, and the five exports.
//
// No lock: the host serialises every call. A call that arrives while another is working on the
// pools (busyFlag set) goes straight to the runtime heap, with no header and uncounted.
#pragma once

#include <cstdint>
#include <cstring>

#include "memcore/pool/memory_pool.h"

#if defined(_WIN32) && !defined(_WIN64)
#define MEMCORE_CALL __cdecl
#else
#define MEMCORE_CALL
#endif

extern "C" {
// A payload of at least the requested size (the class size for up to 48 bytes; 0 and negative
// sizes get one byte). Null when the heap fails or a request exceeds LargeHeader::kLargestRequest.
void* MEMCORE_CALL MemoryMalloc(std::int32_t size);
// Zeroes the payload and releases it; null is ignored.
void MEMCORE_CALL MemoryFree(void* payload);
// Bytes held from the runtime heap: every pool block, spares included, and every large block.
std::uint32_t MEMCORE_CALL MemoryUsed(void);
void MEMCORE_CALL MemoryInfo(void);
void MEMCORE_CALL MemoryTrace(void);
}

// The 4 bytes in front of a large payload: tag 0xAF in byte 0, totalSize (request + 4, the bytes
// taken from the heap) in bytes 1 to 3, one little-endian word.
struct LargeHeader {
  static constexpr unsigned char kTag = 0xAF;
  static constexpr std::int32_t kLargestRequest = 0xFFFFFF - 4;  // totalSize has 24 bits
  static constexpr std::uint32_t kSmallestTotalSize = 49 + 4;    // the smallest large request

  static void Write(unsigned char* block, std::uint32_t totalSize) {
    block[0] = kTag;
    block[1] = static_cast<unsigned char>(totalSize);
    block[2] = static_cast<unsigned char>(totalSize >> 8);
    block[3] = static_cast<unsigned char>(totalSize >> 16);
  }
  // One load of the little-endian header word (both targets are x86).
  static std::uint32_t TotalSize(const unsigned char* payload) {
    std::uint32_t word;
    std::memcpy(&word, payload - 4, 4);
    return word >> 8;
  }
};

// The seven classes, smallest first, and where their blocks keep slots and links.
constexpr unsigned kClassCount = 7;
constexpr std::int32_t kLargestSlotRequest = 48;
constexpr BlockLayout kClassLayouts[kClassCount] = {
    BlockLayout::Of(1),  BlockLayout::Of(4),  BlockLayout::Of(8), BlockLayout::Of(16),
    BlockLayout::Of(24), BlockLayout::Of(32), BlockLayout::Of(48)};

class MemoryManager;

// A class's pool beside the layout of its blocks, so that one index reaches both, and its
// manager, so that the paths that work on one class need no register for the manager.
struct SizeClass {
  MemoryPool pool;
  BlockLayout layout;
  MemoryManager* manager;
};

class MemoryManager {
 public:
  constexpr explicit MemoryManager(RuntimeHeap runtimeHeap)
      : classes{{{}, kClassLayouts[0], this}, {{}, kClassLayouts[1], this},
                {{}, kClassLayouts[2], this}, {{}, kClassLayouts[3], this},
                {{}, kClassLayouts[4], this}, {{}, kClassLayouts[5], this},
                {{}, kClassLayouts[6], this}},
        heap(runtimeHeap) {}
  // The classes point back at the manager they were made in.
  MemoryManager(const MemoryManager&) = delete;
  MemoryManager& operator=(const MemoryManager&) = delete;

  void* Malloc(std::int32_t size);
  void Free(void* payload);
  std::uint32_t Used() const;

  // Volatile so that its set and clear really happen around the work, even where nothing in
  // between could call back.
  volatile unsigned char busyFlag = 0;
  std::uint32_t largeBytes = 0;
  SizeClass classes[kClassCount];  // the seven pools, in the order of kClassLayouts
  RuntimeHeap heap;
};

// The instance behind the exports and the library's operator new and delete.
MemoryManager& LibraryMemoryManager();

// ValidatePool over all seven pools; never allocates.
bool ValidateMemoryManager(const MemoryManager& manager, PoolFault* fault = nullptr);
