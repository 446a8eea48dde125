#include "memcore/pool/memory_pool.h"

namespace memory_pool_detail {

void CheckPool(const MemoryPool& pool, const BlockLayout& layout) {
  if (!ValidatePool(pool, layout)) std::abort();
}

namespace {

bool Fail(PoolFault* fault, const char* what, const void* block, int slot = -1) {
  if (fault != nullptr) *fault = PoolFault{what, block, slot};
  return false;
}

unsigned CountBits(std::uint64_t bits) {
  unsigned count = 0;
  for (; bits != 0; bits &= bits - 1) ++count;
  return count;
}

// Follows a ring from its head; the members come back as a bit mask.
bool WalkRing(const BlockLinks& links, int head, std::uint64_t& members, const void* block,
              PoolFault* fault) {
  members = 0;
  if (head == -1) return true;
  if (head < 0 || head >= static_cast<int>(kSlotsPerBlock)) {
    return Fail(fault, "ring head is neither -1 nor a slot number", block, head);
  }
  unsigned slot = static_cast<unsigned>(head);
  for (unsigned steps = 0; steps < kSlotsPerBlock; ++steps) {
    if (members & (std::uint64_t{1} << slot)) {
      return Fail(fault, "ring does not lead back to its head", block, static_cast<int>(slot));
    }
    members |= std::uint64_t{1} << slot;
    const unsigned next = links.nextSlot[slot];
    if (next >= kSlotsPerBlock) {
      return Fail(fault, "nextSlot is not a slot number", block, static_cast<int>(slot));
    }
    if (links.prevSlot[next] != slot) {
      return Fail(fault, "prevSlot does not mirror nextSlot", block, static_cast<int>(next));
    }
    slot = next;
    if (slot == static_cast<unsigned>(head)) return true;
  }
  return Fail(fault, "ring does not lead back to its head", block, head);
}

// The number of used slots, or -1 with the fault filled in.
int CheckBlock(const MemoryBlock* block, const BlockLayout& layout, PoolFault* fault) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(block);
  for (unsigned k = 0; k < kSlotsPerBlock; ++k) {
    const SlotHeader header = SlotHeader::Read(bytes + k * layout.stride + 4);
    if (header.tag != SlotHeader::kTag || header.index != k ||
        header.classSize != layout.classSize) {
      Fail(fault, "slot header overwritten", block, static_cast<int>(k));
      return -1;
    }
  }
  const BlockLinks& links = *layout.Links(block);
  std::uint64_t freeSlots = 0;
  std::uint64_t usedSlots = 0;
  if (!WalkRing(links, links.freeHead, freeSlots, block, fault)) return -1;
  if (!WalkRing(links, links.usedHead, usedSlots, block, fault)) return -1;
  if ((freeSlots & usedSlots) != 0) {
    Fail(fault, "slot on both rings", block);
    return -1;
  }
  if ((freeSlots | usedSlots) != ~std::uint64_t{0}) {
    Fail(fault, "slot on neither ring", block);
    return -1;
  }
  return static_cast<int>(CountBits(usedSlots));
}

// Walks one block list; every block must hold a used count in [minUsed, maxUsed].
bool CheckList(const MemoryBlock* head, const BlockLayout& layout, int minUsed, int maxUsed,
               std::int32_t limit, std::int32_t& count, PoolFault* fault) {
  count = 0;
  const MemoryBlock* prev = nullptr;
  for (const MemoryBlock* block = head; block != nullptr; block = layout.Links(block)->nextBlock) {
    if (++count > limit) return Fail(fault, "block list longer than blockCount", block);
    if (layout.Links(block)->prevBlock != prev) {
      return Fail(fault, "prevBlock does not mirror nextBlock", block);
    }
    const int used = CheckBlock(block, layout, fault);
    if (used < 0) return false;
    if (used < minUsed || used > maxUsed) {
      return Fail(fault, "block on the wrong list for its used count", block);
    }
    prev = block;
  }
  return true;
}

}  // namespace

}  // namespace memory_pool_detail

namespace {

// The rings of a new block whose slot 0 has just been handed out: slot 0 alone on the used ring,
// slots 1 to 63 in ascending order on the free ring. The same for every class, so copied whole,
// up to the block links.
constexpr BlockLinks MakeFreshRings() {
  BlockLinks rings{};
  for (unsigned k = 1; k < kSlotsPerBlock; ++k) {
    rings.nextSlot[k] = static_cast<unsigned char>(k == kSlotsPerBlock - 1 ? 1 : k + 1);
    rings.prevSlot[k] = static_cast<unsigned char>(k == 1 ? kSlotsPerBlock - 1 : k - 1);
  }
  rings.freeHead = 1;
  rings.usedHead = 0;
  return rings;
}
constexpr BlockLinks kFreshRings = MakeFreshRings();
constexpr std::size_t kRingBytes = offsetof(BlockLinks, prevBlock);

}  // namespace

unsigned char* TakeSlotFromNewBlock(MemoryPool& pool, const BlockLayout& layout,
                                    const RuntimeHeap& heap) {
  const std::uint32_t stride = layout.stride;
  const std::uint32_t classSize = layout.classSize;
  MemoryBlock* block = static_cast<MemoryBlock*>(heap.allocate(layout.blockSize));
  if (block == nullptr) return nullptr;
  ++pool.blockCount;
  // Each header is one word store (tag, slot number, classSize, as SlotHeader::Write lays them
  // out), the rings one copy. Payloads stay as the heap left them.
  unsigned char* slot = layout.Bytes(block);
  std::uint32_t header = SlotHeader::kTag | classSize << 16;
  for (unsigned k = 0; k < kSlotsPerBlock; ++k, slot += stride, header += 1u << 8) {
    std::memcpy(slot, &header, 4);
  }
  std::memcpy(slot, &kFreshRings, kRingBytes);  // slot is now the block's links
  memory_pool_detail::PushFront(pool.partialList, block, layout);
  return layout.Payload(block, 0);
}

bool ValidatePool(const MemoryPool& pool, const BlockLayout& layout, PoolFault* fault) {
  using namespace memory_pool_detail;
  if (pool.blockCount < 0) return Fail(fault, "negative blockCount", nullptr);
  std::int32_t partial = 0;
  std::int32_t full = 0;
  if (!CheckList(pool.partialList, layout, 1, kSlotsPerBlock - 1, pool.blockCount, partial,
                 fault) ||
      !CheckList(pool.fullList, layout, kSlotsPerBlock, kSlotsPerBlock, pool.blockCount, full,
                 fault)) {
    return false;
  }
  if (pool.spare != nullptr) {
    const int used = CheckBlock(pool.spare, layout, fault);
    if (used < 0) return false;
    if (used != 0) return Fail(fault, "spare block has used slots", pool.spare);
  }
  if (partial + full + (pool.spare != nullptr ? 1 : 0) != pool.blockCount) {
    return Fail(fault, "blockCount differs from the blocks held", nullptr);
  }
  return true;
}
