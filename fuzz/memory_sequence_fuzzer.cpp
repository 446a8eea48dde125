// Drives a fresh memory manager with arbitrary sequences of requests, releases and heap failures.
// After every step the pools must pass the validator and MemoryUsed must equal the blocks held
// plus the live large blocks. A reused slot must read as zero across its class size, a fresh one
// as the heap left it; a cookie written into every live payload must be intact at its release;
// a large block must reach the heap with its request bytes zeroed and its header intact.
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "memcore/pool/memory_manager.h"

namespace {

constexpr unsigned char kFresh = 0xCC;  // what the fuzz heap leaves in new memory

bool failNext = false;
std::map<const unsigned char*, std::size_t> heapBlocks;  // block → size, as the heap handed out
std::set<const unsigned char*> releasedSlots;            // pooled payloads zeroed by a release

void* HeapAllocate(std::size_t size) {
  if (failNext) {
    failNext = false;
    return nullptr;
  }
  auto* block = static_cast<unsigned char*>(std::malloc(size));
  if (block == nullptr) std::abort();
  std::memset(block, kFresh, size);
  heapBlocks[block] = size;
  return block;
}

void HeapRelease(void* memory) {
  auto* block = static_cast<unsigned char*>(memory);
  const auto found = heapBlocks.find(block);
  if (found == heapBlocks.end()) std::abort();
  if (block[0] == LargeHeader::kTag) {
    const std::uint32_t total = LargeHeader::TotalSize(block + 4);
    if (total != found->second) std::abort();
    for (std::uint32_t i = 4; i < total; ++i) {
      if (block[i] != 0) std::abort();
    }
  } else {
    // A pool block goes back: its slots are new memory the next time these addresses appear.
    releasedSlots.erase(releasedSlots.lower_bound(block), releasedSlots.lower_bound(block + found->second));
  }
  heapBlocks.erase(found);
  std::free(block);
}

struct Live {
  unsigned char* payload;
  std::size_t usable;
  unsigned char cookie;
};

std::size_t ClassSizeOf(std::int32_t request) {
  for (unsigned c = 0; c < kClassCount; ++c) {
    if (request <= static_cast<std::int32_t>(kClassLayouts[c].classSize)) return kClassLayouts[c].classSize;
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryManager manager(RuntimeHeap{HeapAllocate, HeapRelease});
  std::vector<Live> live;
  std::uint32_t largeBytes = 0;
  std::size_t at = 0;
  auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };

  while (at < size) {
    const std::uint8_t op = next();
    if (op < 160) {
      std::int32_t request;
      switch (op % 8) {
        case 0: request = -static_cast<std::int32_t>(next()); break;
        case 1: request = 49 + next() * 64 + next(); break;           // large blocks up to ~16 KB
        case 2: {
          const std::uint8_t pick = next() % 3;
          request = pick == 0 ? LargeHeader::kLargestRequest + 1  // beyond the 24-bit header: refused
                  : pick == 1 ? INT32_MAX
                              : 40000 + next();
          break;
        }
        default: request = next() % 50; break;                         // 0 to 49
      }
      unsigned char* payload = static_cast<unsigned char*>(manager.Malloc(request));
      const std::size_t classSize = ClassSizeOf(request);
      if (request > LargeHeader::kLargestRequest) {
        if (payload != nullptr) std::abort();
      } else if (payload != nullptr) {
        const std::size_t usable = classSize != 0 ? classSize : static_cast<std::size_t>(request);
        if (classSize != 0) {
          const bool reused = releasedSlots.erase(payload) == 1;
          for (std::size_t i = 0; i < usable; ++i) {
            if (payload[i] != (reused ? 0 : kFresh)) std::abort();
          }
        } else {
          largeBytes += static_cast<std::uint32_t>(request) + 4;
        }
        const unsigned char cookie = static_cast<unsigned char>(at * 31 + 7);
        std::memset(payload, cookie, usable);
        live.push_back({payload, usable, cookie});
      }
    } else if (op < 250) {
      if (live.empty()) continue;
      const std::size_t index = (next() | next() << 8) % live.size();
      const Live item = live[index];
      live[index] = live.back();
      live.pop_back();
      for (std::size_t i = 0; i < item.usable; ++i) {
        if (item.payload[i] != item.cookie) std::abort();
      }
      const bool large = item.payload[-4] == LargeHeader::kTag;
      manager.Free(item.payload);
      if (large) {
        largeBytes -= static_cast<std::uint32_t>(item.usable) + 4;
      } else {
        for (std::size_t i = 0; i < item.usable; ++i) {
          if (item.payload[i] != 0) std::abort();
        }
        releasedSlots.insert(item.payload);
      }
    } else if (op < 255) {
      failNext = true;
    } else {
      manager.Free(nullptr);
    }

    if (!ValidateMemoryManager(manager)) std::abort();
    std::uint32_t held = largeBytes;
    for (unsigned c = 0; c < kClassCount; ++c) {
      held += static_cast<std::uint32_t>(manager.classes[c].pool.blockCount) * kClassLayouts[c].blockSize;
    }
    if (manager.Used() != held || manager.largeBytes != largeBytes) std::abort();
  }

  // Give everything back so that the next input starts from an empty heap.
  for (const Live& item : live) manager.Free(item.payload);
  for (auto it = heapBlocks.begin(); it != heapBlocks.end(); it = heapBlocks.begin()) {
    HeapRelease(const_cast<unsigned char*>(it->first));
  }
  releasedSlots.clear();
  failNext = false;
  return 0;
}
