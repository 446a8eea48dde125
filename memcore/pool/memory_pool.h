// Fixed-size slots of one size class, served from 64-slot blocks taken from the runtime heap.
//
// A MemoryBlock of class N is one heap allocation: 64 slots of stride S = N + 4 (a 4-byte
// SlotHeader, then N payload bytes), followed by its BlockLinks: the two one-byte link arrays, the
// two ring heads and the two block links. The layout is the 32-bit product's, pinned below; with
// 8-byte pointers only the two block links widen, so a block grows by 8 bytes and nothing moves.
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
// One code path serves every class, with the class's BlockLayout as data: with requests of mixed
// sizes a jump per class would be mispredicted on almost every call.
//
// Nothing here locks: the caller serialises every call on a pool.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

constexpr unsigned kSlotsPerBlock = 64;

// The common paths are inlined whole into the two entry points: as calls they would cost more
// than their work.
#define MEMCORE_HOT_INLINE __attribute__((always_inline)) inline

// The value as it is, but opaque to the optimiser, which then neither rebuilds it from what it was
// computed from nor reuses loads made through it before: on the 32-bit target, with four
// registers that can store a byte, either would cost registers on the common paths.
template <class T>
MEMCORE_HOT_INLINE T Opaque(T value) {
  asm("" : "+r"(value));
  return value;
}

// The same for a slot number that is stored as a byte: in one of the four registers that can.
MEMCORE_HOT_INLINE unsigned InByteRegister(unsigned value) {
#if defined(__i386__)
  asm("" : "+q"(value));
#endif
  return value;
}

// Where blocks come from: the C runtime heap in the library, a scripted heap in tests.
struct RuntimeHeap {
  void* (*allocate)(std::size_t size);
  void (*release)(void* block);
};

// The 4 bytes in front of every pooled payload: tag, slot number, classSize (16-bit little-endian).
// Class-1 slots have a 5-byte stride, so headers are unaligned: written byte by byte, read through
// memcpy.
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
  // One load of the little-endian header word (both targets are x86).
  static SlotHeader Read(const void* payload) {
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "headers are little-endian words");
    std::uint32_t word;
    std::memcpy(&word, static_cast<const unsigned char*>(payload) - 4, 4);
    return {static_cast<unsigned char>(word), static_cast<unsigned char>(word >> 8),
            static_cast<std::uint16_t>(word >> 16)};
  }
};

struct MemoryBlock;  // raw bytes, laid out as its class's BlockLayout says

#pragma pack(push, 4)
// The end of every block, whatever its class, at offset 64 × S.
struct BlockLinks {
  unsigned char prevSlot[kSlotsPerBlock];
  unsigned char nextSlot[kSlotsPerBlock];
  std::int16_t freeHead;
  std::int16_t usedHead;
  MemoryBlock* prevBlock;
  MemoryBlock* nextBlock;
};
#pragma pack(pop)

struct BlockLayout {
  std::uint32_t classSize;  // N
  std::uint32_t stride;     // S = N + 4
  std::uint32_t links;      // offset of the BlockLinks: 64 × S
  std::uint32_t blockSize;  // bytes taken from the heap per block

  static constexpr BlockLayout Of(std::uint32_t classSize) {
    const std::uint32_t links = kSlotsPerBlock * (classSize + 4);
    return BlockLayout{classSize, classSize + 4, links,
                       links + static_cast<std::uint32_t>(sizeof(BlockLinks))};
  }
  unsigned char* Bytes(MemoryBlock* block) const { return reinterpret_cast<unsigned char*>(block); }
  BlockLinks* Links(MemoryBlock* block) const {
    return reinterpret_cast<BlockLinks*>(Bytes(block) + links);
  }
  const BlockLinks* Links(const MemoryBlock* block) const {
    return reinterpret_cast<const BlockLinks*>(reinterpret_cast<const unsigned char*>(block) +
                                               links);
  }
  unsigned char* Payload(MemoryBlock* block, unsigned slot) const {
    return Bytes(block) + slot * stride + 4;
  }
  MemoryBlock* BlockOf(BlockLinks* blockLinks) const {
    return reinterpret_cast<MemoryBlock*>(reinterpret_cast<unsigned char*>(blockLinks) - links);
  }
};

namespace memory_pool_layout {
constexpr std::size_t kWiden = 2 * (sizeof(void*) - 4);  // extra bytes of the two block links
static_assert(offsetof(BlockLinks, nextSlot) == 64 && offsetof(BlockLinks, freeHead) == 128 &&
              offsetof(BlockLinks, usedHead) == 130 && offsetof(BlockLinks, prevBlock) == 132 &&
              offsetof(BlockLinks, nextBlock) == 132 + sizeof(void*) &&
              sizeof(BlockLinks) == 140 + kWiden);
// prevSlot offset and block size of each class on the 32-bit product.
constexpr bool Matches(std::uint32_t classSize, std::uint32_t prevSlot, std::uint32_t size) {
  return BlockLayout::Of(classSize).links == prevSlot &&
         BlockLayout::Of(classSize).blockSize == size + kWiden;
}
static_assert(Matches(1, 320, 460) && Matches(4, 512, 652) && Matches(8, 768, 908) &&
              Matches(16, 1280, 1420) && Matches(24, 1792, 1932) && Matches(32, 2304, 2444) &&
              Matches(48, 3328, 3468));
}  // namespace memory_pool_layout

struct MemoryPool {
  MemoryBlock* spare = nullptr;
  MemoryBlock* partialList = nullptr;
  MemoryBlock* fullList = nullptr;
  std::int32_t blockCount = 0;
};

// Creates a block and hands out its slot 0. Null, with the pool unchanged, when the heap fails.
unsigned char* TakeSlotFromNewBlock(MemoryPool& pool, const BlockLayout& layout,
                                    const RuntimeHeap& heap);

// What ValidatePool found wrong: a fixed text, the block and slot concerned (null / -1 if none).
struct PoolFault {
  const char* what = nullptr;
  const void* block = nullptr;
  int slot = -1;
};

// Checks every invariant above; never allocates. False, with the first fault found, when one
// fails. Walks every slot of every block.
bool ValidatePool(const MemoryPool& pool, const BlockLayout& layout, PoolFault* fault = nullptr);

// ---------------------------------------------------------------------------------------------

namespace memory_pool_detail {

MEMCORE_HOT_INLINE void PushFront(MemoryBlock*& head, MemoryBlock* block,
                                  const BlockLayout& layout) {
  BlockLinks* links = layout.Links(block);
  links->prevBlock = nullptr;
  links->nextBlock = head;
  if (head != nullptr) layout.Links(head)->prevBlock = block;
  head = block;
}

// The block's own links are left as they are.
MEMCORE_HOT_INLINE void Unlink(MemoryBlock*& head, MemoryBlock* block, const BlockLayout& layout) {
  const BlockLinks* links = layout.Links(block);
  MemoryBlock* prev = links->prevBlock;
  MemoryBlock* next = links->nextBlock;
  if (head == block) head = next;
  if (prev != nullptr) layout.Links(prev)->nextBlock = next;
  if (next != nullptr) layout.Links(next)->prevBlock = prev;
}

// Takes the first block off a list: the same as Unlink for it, whose prevBlock is none.
MEMCORE_HOT_INLINE void PopFront(MemoryBlock*& head, const BlockLayout& layout) {
  MemoryBlock* next = layout.Links(head)->nextBlock;
  head = next;
  if (next != nullptr) layout.Links(next)->prevBlock = nullptr;
}

// Appends slot x to the ring whose first slot is head; the head stays.
MEMCORE_HOT_INLINE void InsertAtEnd(BlockLinks* links, unsigned head, unsigned x) {
  const unsigned tail = InByteRegister(links->prevSlot[head]);
  links->nextSlot[tail] = static_cast<unsigned char>(x);
  links->prevSlot[head] = static_cast<unsigned char>(x);
  links->nextSlot[x] = static_cast<unsigned char>(head);
  links->prevSlot[x] = static_cast<unsigned char>(tail);
}

// Aborts unless ValidatePool holds; used after every operation in debug builds.
void CheckPool(const MemoryPool& pool, const BlockLayout& layout);

}  // namespace memory_pool_detail

// Allocation and release each come in cases that the caller tells apart from a link or two, so
// that the common case, a block with used and free slots on both sides of the operation, makes no
// call and keeps few values live; the caller reaches the other cases through calls of their own.
// Each takes constant time and calls nothing.
//
// Allocation serves the first block of the partial list, through TakeFreeHead when its free head
// d has a successor e other than itself, else through TakeLastFreeSlot. With no partial block,
// TakeSlotFromSpare when there is a spare, else TakeSlotFromNewBlock.
//
// Release of slot k, whose successor on the used ring is n: ReturnToFreeRing when n is not k and
// the free ring is not empty, ReturnLastUsedSlot when n is k, ReturnSlotOfFullBlock when the free
// ring is empty (never both: a block has 64 slots).

// The links of the block that holds the payload of slot k of class classSize, from the header
// alone.
MEMCORE_HOT_INLINE BlockLinks* LinksOfSlot(unsigned char* payload, unsigned k, unsigned classSize) {
  return reinterpret_cast<BlockLinks*>(payload - 4 + (kSlotsPerBlock - k) * (classSize + 4));
}

// The payload of slot k, reached from the block's links rather than from its start, which then
// need not be kept.
MEMCORE_HOT_INLINE unsigned char* PayloadBefore(BlockLinks* links, unsigned k, unsigned stride) {
  return reinterpret_cast<unsigned char*>(links) + 4 - (kSlotsPerBlock - k) * stride;
}

// Slot x, whose successor s is not x, leaves its ring, whose head (leftHead) becomes s, and goes
// to the end of the other ring, whose head is h. Every link is read before any is written: the two
// rings share no slot, so no write changes what is read, and the loads need not wait behind the
// stores.
MEMCORE_HOT_INLINE void MoveToOtherRing(BlockLinks* links, unsigned x, unsigned s,
                                        std::int16_t& leftHead, unsigned h) {
  const unsigned prev = InByteRegister(links->prevSlot[x]);
  const unsigned tail = links->prevSlot[h];
  links->nextSlot[prev] = static_cast<unsigned char>(s);
  links->prevSlot[s] = static_cast<unsigned char>(prev);
  leftHead = static_cast<std::int16_t>(s);
  const unsigned t = InByteRegister(tail);
  links->nextSlot[t] = static_cast<unsigned char>(x);
  links->prevSlot[h] = static_cast<unsigned char>(x);
  links->prevSlot[x] = static_cast<unsigned char>(t);
  links->nextSlot[x] = static_cast<unsigned char>(InByteRegister(h));
}

// Free head d, whose successor e is not d, goes to the end of the used ring, which is not empty
// in a partial block.
MEMCORE_HOT_INLINE void TakeFreeHead(BlockLinks* links, unsigned d, unsigned e) {
  MoveToOtherRing(links, d, e, links->freeHead, static_cast<unsigned>(links->usedHead));
}

// Slot d, the last free one of the first partial block, whose links these are: the block moves to
// the full list.
MEMCORE_HOT_INLINE unsigned char* TakeLastFreeSlot(MemoryPool& pool, const BlockLayout& layout,
                                                   BlockLinks* links, unsigned d) {
  using namespace memory_pool_detail;
  MemoryBlock* block = pool.partialList;
  PopFront(pool.partialList, layout);
  PushFront(pool.fullList, block, layout);
  links->freeHead = -1;
  InsertAtEnd(links, static_cast<unsigned>(links->usedHead), d);
  return PayloadBefore(links, d, layout.stride);
}

// The spare, which the pool must have, all 64 slots free, becomes the only block of the partial
// list.
MEMCORE_HOT_INLINE unsigned char* TakeSlotFromSpare(MemoryPool& pool, const BlockLayout& layout) {
  MemoryBlock* block = pool.spare;
  pool.spare = nullptr;
  pool.partialList = block;
  BlockLinks* links = layout.Links(block);
  const unsigned taken = InByteRegister(static_cast<unsigned>(links->freeHead));
  // The address first: the pool and layout are then no longer needed while the ring changes.
  unsigned char* payload = Opaque(PayloadBefore(links, taken, layout.stride));
  links->prevBlock = nullptr;
  links->nextBlock = nullptr;
  const unsigned next = InByteRegister(links->nextSlot[taken]);
  const unsigned prev = InByteRegister(links->prevSlot[taken]);
  links->nextSlot[prev] = static_cast<unsigned char>(next);
  links->prevSlot[next] = static_cast<unsigned char>(prev);
  links->freeHead = static_cast<std::int16_t>(next);
  links->usedHead = static_cast<std::int16_t>(taken);
  links->nextSlot[taken] = static_cast<unsigned char>(taken);
  links->prevSlot[taken] = static_cast<unsigned char>(taken);
  return payload;
}

// Slot k leaves the used ring, whose head becomes its successor n (not k).
MEMCORE_HOT_INLINE void LeaveUsedRing(BlockLinks* links, unsigned k, unsigned n) {
  const unsigned prev = InByteRegister(links->prevSlot[k]);
  links->nextSlot[prev] = static_cast<unsigned char>(n);
  links->prevSlot[n] = static_cast<unsigned char>(prev);
  links->usedHead = static_cast<std::int16_t>(n);
}

// Slot k, with n its successor (not k), goes to the end of the free ring, whose head is h.
MEMCORE_HOT_INLINE void ReturnToFreeRing(BlockLinks* links, unsigned k, unsigned n, unsigned h) {
  MoveToOtherRing(links, k, n, links->usedHead, h);
}

// Slot k was the block's only used one: the block becomes the spare. Returns the spare it
// displaces, already counted out of blockCount, for the caller to give back to the heap; else
// null.
MEMCORE_HOT_INLINE MemoryBlock* ReturnLastUsedSlot(MemoryPool& pool, const BlockLayout& layout,
                                                   BlockLinks* links, unsigned k) {
  using namespace memory_pool_detail;
  // The ring first, then the lists: each part needs few registers.
  links->usedHead = -1;
  InsertAtEnd(links, static_cast<unsigned>(links->freeHead), k);
  MemoryBlock* block = layout.BlockOf(links);
  Unlink(pool.partialList, block, layout);
  MemoryBlock* displaced = pool.spare;
  if (displaced != nullptr) --pool.blockCount;
  pool.spare = block;
  return displaced;
}

// Slot k of a block that was full becomes its only free slot, and the block goes to the front of
// the partial list, so that this slot is the next one handed out.
MEMCORE_HOT_INLINE void ReturnSlotOfFullBlock(MemoryPool& pool, const BlockLayout& layout,
                                              BlockLinks* links, unsigned k) {
  using namespace memory_pool_detail;
  LeaveUsedRing(links, k, InByteRegister(links->nextSlot[k]));
  MemoryBlock* block = layout.BlockOf(links);
  Unlink(pool.fullList, block, layout);
  PushFront(pool.partialList, block, layout);
  links->freeHead = static_cast<std::int16_t>(k);
  links->nextSlot[k] = static_cast<unsigned char>(k);
  links->prevSlot[k] = static_cast<unsigned char>(k);
}
