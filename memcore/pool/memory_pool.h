// Fixed-size slots of one size class, served from 64-slot blocks taken from the runtime heap.
//
// A block of class N is one heap allocation: 64 slots of stride S = N + 4 (a 4-byte SlotHeader,
// then N payload bytes), the two one-byte link arrays, the two ring heads and the two block links.
// The layout is the 32-bit product's, pinned below; with 8-byte pointers only the two block links
// widen, so a block grows by 8 bytes and nothing moves.
//
// Invariants, checked by ValidatePool:
// - every slot of a block is on exactly one of its two rings (free, used); each ring is circular
//   and doubly linked through nextSlot/prevSlot, and a ring of one slot links the slot to itself;
// - freeHead (usedHead) is -1 exactly when the free (used) ring is empty, else a slot number;
// - a block with 1 to 63 used slots is on the partial list, one with 64 on the full list, one with
//   none is the spare; there is at most one spare and blockCount counts all three kinds;
// - both lists are doubly linked through prevBlock/nextBlock and their first block has no
//   prevBlock;
// - slot headers never change after the block is created.
//
// Nothing here locks: the caller serialises every call on a pool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

constexpr unsigned kSlotsPerBlock = 64;

// Where blocks come from: the C runtime heap in the library, a scripted heap in tests.
struct RuntimeHeap {
  void* (*allocate)(std::size_t size);
  void (*release)(void* block);
};

// The 4 bytes in front of every pooled payload: tag, slot number, classSize (16-bit little-endian).
// Class-1 slots have a 5-byte stride, so headers are read and written byte by byte.
struct SlotHeader {
  static constexpr unsigned char kTag = 0xAE;

  unsigned char tag;
  unsigned char index;
  std::uint16_t classSize;

  static void Write(unsigned char* slot, unsigned index, unsigned classSize) {
    slot[0] = kTag;
    slot[1] = static_cast<unsigned char>(index);
    slot[2] = static_cast<unsigned char>(classSize);
    slot[3] = static_cast<unsigned char>(classSize >> 8);
  }
  static SlotHeader Read(const void* payload) {
    const unsigned char* p = static_cast<const unsigned char*>(payload);
    return {p[-4], p[-3], static_cast<std::uint16_t>(p[-2] | p[-1] << 8)};
  }
};

#pragma pack(push, 4)
template <unsigned N>
struct MemoryBlock {
  static constexpr unsigned kStride = N + 4;

  unsigned char slots[kSlotsPerBlock * kStride];
  unsigned char prevSlot[kSlotsPerBlock];
  unsigned char nextSlot[kSlotsPerBlock];
  std::int16_t freeHead;
  std::int16_t usedHead;
  MemoryBlock* prevBlock;
  MemoryBlock* nextBlock;

  unsigned char* Payload(unsigned slot) { return slots + slot * kStride + 4; }
  const unsigned char* Payload(unsigned slot) const { return slots + slot * kStride + 4; }
  static MemoryBlock* Owning(unsigned char* payload, unsigned slot) {
    return reinterpret_cast<MemoryBlock*>(payload - 4 - slot * kStride);
  }
};
#pragma pack(pop)

namespace memory_pool_layout {
template <unsigned N>
constexpr bool Matches(std::size_t prevSlot, std::size_t nextSlot, std::size_t freeHead,
                       std::size_t usedHead, std::size_t prevBlock, std::size_t nextBlock,
                       std::size_t size) {
  using B = MemoryBlock<N>;
  return offsetof(B, prevSlot) == prevSlot && offsetof(B, nextSlot) == nextSlot &&
         offsetof(B, freeHead) == freeHead && offsetof(B, usedHead) == usedHead &&
         offsetof(B, prevBlock) == prevBlock && offsetof(B, nextBlock) == nextBlock &&
         sizeof(B) == size;
}
constexpr std::size_t kWiden = 2 * (sizeof(void*) - 4);  // extra bytes of the two block links
static_assert(Matches<1>(320, 384, 448, 450, 452, 452 + sizeof(void*), 460 + kWiden));
static_assert(Matches<4>(512, 576, 640, 642, 644, 644 + sizeof(void*), 652 + kWiden));
static_assert(Matches<8>(768, 832, 896, 898, 900, 900 + sizeof(void*), 908 + kWiden));
static_assert(Matches<16>(1280, 1344, 1408, 1410, 1412, 1412 + sizeof(void*), 1420 + kWiden));
static_assert(Matches<24>(1792, 1856, 1920, 1922, 1924, 1924 + sizeof(void*), 1932 + kWiden));
static_assert(Matches<32>(2304, 2368, 2432, 2434, 2436, 2436 + sizeof(void*), 2444 + kWiden));
static_assert(Matches<48>(3328, 3392, 3456, 3458, 3460, 3460 + sizeof(void*), 3468 + kWiden));
}  // namespace memory_pool_layout

// What ValidatePool found wrong: a fixed text, the block and slot concerned (null / -1 if none).
struct PoolFault {
  const char* what = nullptr;
  const void* block = nullptr;
  int slot = -1;
};

template <unsigned N>
struct MemoryPool {
  using Block = MemoryBlock<N>;
  static constexpr unsigned kClassSize = N;
  static constexpr std::uint32_t kBlockSize = sizeof(Block);

  Block* spare = nullptr;
  Block* partialList = nullptr;
  Block* fullList = nullptr;
  std::int32_t blockCount = 0;

  // A slot's payload (N bytes, contents as left there); constant time, plus one heap call when
  // a new block is needed. Null, with the pool unchanged, when the heap cannot give that block.
  void* Allocate(const RuntimeHeap& heap);
  // Takes back a payload that Allocate of this pool returned, already zeroed; constant time, plus
  // one heap release when an emptied block replaces the spare.
  void Release(void* payload, const RuntimeHeap& heap);

 private:
  Block* CreateBlock(const RuntimeHeap& heap);
  void BecomeSpare(Block* block, unsigned slot, const RuntimeHeap& heap);
  void LeaveFullList(Block* block, unsigned slot);
};

// Checks every invariant above; never allocates. False, with the first fault found, when one
// fails. Walks every slot of every block.
template <unsigned N>
bool ValidatePool(const MemoryPool<N>& pool, PoolFault* fault = nullptr);

// ---------------------------------------------------------------------------------------------

namespace memory_pool_detail {

template <class Block>
inline void PushFront(Block*& head, Block* block) {
  block->prevBlock = nullptr;
  block->nextBlock = head;
  if (head != nullptr) head->prevBlock = block;
  head = block;
}

// The block's own links are left as they are.
template <class Block>
inline void Unlink(Block*& head, Block* block) {
  Block* prev = block->prevBlock;
  Block* next = block->nextBlock;
  if (head == block) head = next;
  if (prev != nullptr) prev->nextBlock = next;
  if (next != nullptr) next->prevBlock = prev;
}

// Appends slot x to the ring whose first slot is head; the head stays.
template <class Block>
inline void InsertAtEnd(Block* block, unsigned head, unsigned x) {
  const unsigned tail = block->prevSlot[head];
  block->nextSlot[tail] = static_cast<unsigned char>(x);
  block->prevSlot[head] = static_cast<unsigned char>(x);
  block->nextSlot[x] = static_cast<unsigned char>(head);
  block->prevSlot[x] = static_cast<unsigned char>(tail);
}

#if defined(MEMCORE_VALIDATE_POOLS)
template <unsigned N>
inline void CheckPool(const MemoryPool<N>& pool) {
  if (!ValidatePool(pool)) std::abort();
}
#else
template <unsigned N>
inline void CheckPool(const MemoryPool<N>&) {}
#endif

}  // namespace memory_pool_detail

template <unsigned N>
__attribute__((noinline)) typename MemoryPool<N>::Block* MemoryPool<N>::CreateBlock(
    const RuntimeHeap& heap) {
  Block* block = static_cast<Block*>(heap.allocate(sizeof(Block)));
  if (block == nullptr) return nullptr;
  ++blockCount;
  for (unsigned k = 0; k < kSlotsPerBlock; ++k) {
    SlotHeader::Write(block->slots + k * Block::kStride, k, N);
    block->nextSlot[k] = static_cast<unsigned char>((k + 1) % kSlotsPerBlock);
    block->prevSlot[k] = static_cast<unsigned char>((k + kSlotsPerBlock - 1) % kSlotsPerBlock);
  }
  block->freeHead = 0;
  block->usedHead = -1;
  return block;
}

template <unsigned N>
inline void* MemoryPool<N>::Allocate(const RuntimeHeap& heap) {
  using namespace memory_pool_detail;
  Block* block = partialList;
  unsigned taken;
  if (block != nullptr) {
    taken = static_cast<unsigned>(block->freeHead);
    const unsigned next = block->nextSlot[taken];
    if (next == taken) {
      // The block's last free slot: it moves to the full list.
      Unlink(partialList, block);
      PushFront(fullList, block);
      block->freeHead = -1;
    } else {
      const unsigned prev = block->prevSlot[taken];
      block->nextSlot[prev] = static_cast<unsigned char>(next);
      block->prevSlot[next] = static_cast<unsigned char>(prev);
      block->freeHead = static_cast<std::int16_t>(next);
    }
  } else {
    if (spare != nullptr) {
      block = spare;
      spare = nullptr;
    } else {
      block = CreateBlock(heap);
      if (block == nullptr) return nullptr;
    }
    PushFront(partialList, block);
    taken = static_cast<unsigned>(block->freeHead);
    const unsigned next = block->nextSlot[taken];
    const unsigned prev = block->prevSlot[taken];
    block->nextSlot[prev] = static_cast<unsigned char>(next);
    block->prevSlot[next] = static_cast<unsigned char>(prev);
    block->freeHead = static_cast<std::int16_t>(next);
  }
  if (block->usedHead < 0) {
    block->usedHead = static_cast<std::int16_t>(taken);
    block->nextSlot[taken] = static_cast<unsigned char>(taken);
    block->prevSlot[taken] = static_cast<unsigned char>(taken);
  } else {
    InsertAtEnd(block, static_cast<unsigned>(block->usedHead), taken);
  }
  CheckPool(*this);
  return block->Payload(taken);
}

template <unsigned N>
__attribute__((noinline)) void MemoryPool<N>::BecomeSpare(Block* block, unsigned slot,
                                                          const RuntimeHeap& heap) {
  using namespace memory_pool_detail;
  Unlink(partialList, block);
  if (spare != nullptr) {
    --blockCount;
    heap.release(spare);
  }
  spare = block;
  block->usedHead = -1;
  InsertAtEnd(block, static_cast<unsigned>(block->freeHead), slot);
}

// A full block's released slot becomes its only free one, and the block moves to the front of the
// partial list so that this slot is the next one handed out.
template <unsigned N>
__attribute__((noinline)) void MemoryPool<N>::LeaveFullList(Block* block, unsigned slot) {
  using namespace memory_pool_detail;
  Unlink(fullList, block);
  PushFront(partialList, block);
  block->freeHead = static_cast<std::int16_t>(slot);
  block->nextSlot[slot] = static_cast<unsigned char>(slot);
  block->prevSlot[slot] = static_cast<unsigned char>(slot);
}

template <unsigned N>
inline void MemoryPool<N>::Release(void* payload, const RuntimeHeap& heap) {
  using namespace memory_pool_detail;
  unsigned char* p = static_cast<unsigned char*>(payload);
  const unsigned slot = p[-3];
  Block* block = Block::Owning(p, slot);
  const unsigned next = block->nextSlot[slot];
  if (next == slot) {
    BecomeSpare(block, slot, heap);
  } else {
    const unsigned prev = block->prevSlot[slot];
    block->nextSlot[prev] = static_cast<unsigned char>(next);
    block->prevSlot[next] = static_cast<unsigned char>(prev);
    block->usedHead = static_cast<std::int16_t>(next);
    if (block->freeHead >= 0) {
      InsertAtEnd(block, static_cast<unsigned>(block->freeHead), slot);
    } else {
      LeaveFullList(block, slot);
    }
  }
  CheckPool(*this);
}

// ---------------------------------------------------------------------------------------------

namespace memory_pool_detail {

inline bool Fail(PoolFault* fault, const char* what, const void* block, int slot = -1) {
  if (fault != nullptr) *fault = PoolFault{what, block, slot};
  return false;
}

inline unsigned CountBits(std::uint64_t bits) {
  unsigned count = 0;
  for (; bits != 0; bits &= bits - 1) ++count;
  return count;
}

// Follows a ring from its head; the members come back as a bit mask.
template <class Block>
bool WalkRing(const Block& block, int head, std::uint64_t& members, PoolFault* fault) {
  members = 0;
  if (head == -1) return true;
  if (head < 0 || head >= static_cast<int>(kSlotsPerBlock)) {
    return Fail(fault, "ring head is neither -1 nor a slot number", &block, head);
  }
  unsigned slot = static_cast<unsigned>(head);
  for (unsigned steps = 0; steps < kSlotsPerBlock; ++steps) {
    if (members & (std::uint64_t{1} << slot)) {
      return Fail(fault, "ring does not lead back to its head", &block, static_cast<int>(slot));
    }
    members |= std::uint64_t{1} << slot;
    const unsigned next = block.nextSlot[slot];
    if (next >= kSlotsPerBlock) {
      return Fail(fault, "nextSlot is not a slot number", &block, static_cast<int>(slot));
    }
    if (block.prevSlot[next] != slot) {
      return Fail(fault, "prevSlot does not mirror nextSlot", &block, static_cast<int>(next));
    }
    slot = next;
    if (slot == static_cast<unsigned>(head)) return true;
  }
  return Fail(fault, "ring does not lead back to its head", &block, head);
}

// The number of used slots, or -1 with the fault filled in.
template <unsigned N>
int CheckBlock(const MemoryBlock<N>& block, PoolFault* fault) {
  for (unsigned k = 0; k < kSlotsPerBlock; ++k) {
    const SlotHeader header = SlotHeader::Read(block.Payload(k));
    if (header.tag != SlotHeader::kTag || header.index != k || header.classSize != N) {
      Fail(fault, "slot header overwritten", &block, static_cast<int>(k));
      return -1;
    }
  }
  std::uint64_t freeSlots = 0;
  std::uint64_t usedSlots = 0;
  if (!WalkRing(block, block.freeHead, freeSlots, fault)) return -1;
  if (!WalkRing(block, block.usedHead, usedSlots, fault)) return -1;
  if ((freeSlots & usedSlots) != 0) {
    Fail(fault, "slot on both rings", &block);
    return -1;
  }
  if ((freeSlots | usedSlots) != ~std::uint64_t{0}) {
    Fail(fault, "slot on neither ring", &block);
    return -1;
  }
  return static_cast<int>(CountBits(usedSlots));
}

// Walks one block list; every block must hold a used count in [minUsed, maxUsed].
template <unsigned N>
bool CheckList(const MemoryBlock<N>* head, int minUsed, int maxUsed, std::int32_t limit,
               std::int32_t& count, PoolFault* fault) {
  count = 0;
  const MemoryBlock<N>* prev = nullptr;
  for (const MemoryBlock<N>* block = head; block != nullptr; block = block->nextBlock) {
    if (++count > limit) return Fail(fault, "block list longer than blockCount", block);
    if (block->prevBlock != prev) return Fail(fault, "prevBlock does not mirror nextBlock", block);
    const int used = CheckBlock(*block, fault);
    if (used < 0) return false;
    if (used < minUsed || used > maxUsed) {
      return Fail(fault, "block on the wrong list for its used count", block);
    }
    prev = block;
  }
  return true;
}

}  // namespace memory_pool_detail

template <unsigned N>
bool ValidatePool(const MemoryPool<N>& pool, PoolFault* fault) {
  using namespace memory_pool_detail;
  if (pool.blockCount < 0) return Fail(fault, "negative blockCount", nullptr);
  std::int32_t partial = 0;
  std::int32_t full = 0;
  if (!CheckList(pool.partialList, 1, kSlotsPerBlock - 1, pool.blockCount, partial, fault)) {
    return false;
  }
  if (!CheckList(pool.fullList, kSlotsPerBlock, kSlotsPerBlock, pool.blockCount, full, fault)) {
    return false;
  }
  if (pool.spare != nullptr) {
    const int used = CheckBlock(*pool.spare, fault);
    if (used < 0) return false;
    if (used != 0) return Fail(fault, "spare block has used slots", pool.spare);
  }
  if (partial + full + (pool.spare != nullptr ? 1 : 0) != pool.blockCount) {
    return Fail(fault, "blockCount differs from the blocks held", nullptr);
  }
  return true;
}
