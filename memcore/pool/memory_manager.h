// The library's allocator: seven small-block pools for requests of up to 48 bytes, the runtime
// heap behind a 4-byte LargeHeader for larger ones, zeroing on release, and the five exports.
//
// No lock: the host serialises every call. A call that arrives while another is working on the
// pools (busyFlag set) goes straight to the runtime heap, with no header and uncounted.
#pragma once

#include <cstdint>

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

  static void Write(unsigned char* block, std::uint32_t totalSize) {
    block[0] = kTag;
    block[1] = static_cast<unsigned char>(totalSize);
    block[2] = static_cast<unsigned char>(totalSize >> 8);
    block[3] = static_cast<unsigned char>(totalSize >> 16);
  }
  static std::uint32_t TotalSize(const unsigned char* payload) {
    return payload[-3] | static_cast<std::uint32_t>(payload[-2]) << 8 |
           static_cast<std::uint32_t>(payload[-1]) << 16;
  }
};

class MemoryManager {
 public:
  constexpr explicit MemoryManager(RuntimeHeap runtimeHeap) : heap(runtimeHeap) {}

  void* Malloc(std::int32_t size);
  void Free(void* payload);
  std::uint32_t Used() const;

  template <class Visit>
  void ForEachPool(Visit&& visit) const {
    visit(pool1), visit(pool4), visit(pool8), visit(pool16), visit(pool24), visit(pool32),
        visit(pool48);
  }
  template <class Visit>
  void ForEachPool(Visit&& visit) {
    visit(pool1), visit(pool4), visit(pool8), visit(pool16), visit(pool24), visit(pool32),
        visit(pool48);
  }

  // Volatile so that its set and clear really happen around the work, even where nothing in
  // between could call back.
  volatile unsigned char busyFlag = 0;
  std::uint32_t largeBytes = 0;
  MemoryPool<1> pool1;
  MemoryPool<4> pool4;
  MemoryPool<8> pool8;
  MemoryPool<16> pool16;
  MemoryPool<24> pool24;
  MemoryPool<32> pool32;
  MemoryPool<48> pool48;
  RuntimeHeap heap;

 private:
  void* AllocateSlot(std::int32_t size);
  void* AllocateLarge(std::int32_t size);
  void ReleaseSlot(unsigned char* payload);
  void ReleaseLarge(unsigned char* payload);
};

// The instance behind the exports and the library's operator new and delete.
MemoryManager& LibraryMemoryManager();

// ValidatePool over all seven pools; never allocates.
bool ValidateMemoryManager(const MemoryManager& manager, PoolFault* fault = nullptr);
