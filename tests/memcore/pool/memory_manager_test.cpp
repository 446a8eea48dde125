// The allocator's rules: through the five entry points of a fresh in-process manager and of the
// real library loaded at run time, then what only an in-process manager shows (its heap calls,
// its busy flag, its validator).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "allocator_backends.h"

namespace {

unsigned SlotOf(const unsigned char* payload) { return SlotHeader::Read(payload).index; }

bool IsAligned(const void* payload) { return reinterpret_cast<std::uintptr_t>(payload) % 4 == 0; }

class MemoryExports : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { ASSERT_TRUE(allocator_.Loaded()); }
  unsigned char* Allocate(std::int32_t size) {
    auto* payload = static_cast<unsigned char*>(allocator_.Malloc(size));
    EXPECT_NE(payload, nullptr) << "request of " << size;
    return payload;
  }
  // A fresh block's 64 slots, in the order handed out.
  std::vector<unsigned char*> FillBlock(std::int32_t size) {
    std::vector<unsigned char*> slots;
    for (unsigned k = 0; k < kSlotsPerBlock; ++k) slots.push_back(Allocate(size));
    return slots;
  }

  AllocatorUnderTest allocator_{GetParam()};
};

// 65 requests per class, cycling through its edges: each slot of a block in order, then a block.
TEST_P(MemoryExports, RequestsFillTheSmallestClassThatHoldsThemSlotBySlot) {
  EXPECT_EQ(allocator_.Used(), 0u) << "nothing is held right after load";
  std::uint32_t used = 0;
  std::int32_t below = 0;  // the limit of the class below
  for (unsigned classSize : kClassSizes) {
    std::vector<std::int32_t> edges = {below + 1, static_cast<std::int32_t>(classSize)};
    if (below == 0) edges = {INT32_MIN, -1, 0, 1};
    below = static_cast<std::int32_t>(classSize);
    std::vector<unsigned char*> slots;
    for (unsigned k = 0; k <= kSlotsPerBlock; ++k) {
      const std::int32_t request = edges[k % edges.size()];
      slots.push_back(Allocate(request));
      const SlotHeader header = SlotHeader::Read(slots[k]);
      EXPECT_EQ(header.tag, SlotHeader::kTag) << "request of " << request;
      EXPECT_EQ(header.classSize, classSize) << "request of " << request;
      EXPECT_EQ(header.index, k % kSlotsPerBlock) << "class " << classSize << ", request " << k;
      EXPECT_TRUE(k == kSlotsPerBlock || slots[k] == slots[0] + k * (classSize + 4)) << k;
    }
    EXPECT_EQ(allocator_.Used(), used += 2 * BlockBytes(classSize)) << "class " << classSize;
    EXPECT_TRUE(classSize == 1 || (IsAligned(slots[0]) && IsAligned(slots[64]))) << classSize;
  }
  unsigned char* large = Allocate(49);
  EXPECT_EQ(large[-4], LargeHeader::kTag);
  EXPECT_TRUE(IsAligned(large));
  EXPECT_EQ(allocator_.Used(), used + 53) << "a large block weighs its request and header";
  allocator_.Free(large);
  EXPECT_EQ(allocator_.Used(), used);
}

TEST_P(MemoryExports, ReleasedSlotsComeBackFirstInFirstOutAndAFullBlocksFirstOfAll) {
  std::vector<unsigned char*> first;
  for (int k = 0; k < 10; ++k) first.push_back(Allocate(16));
  allocator_.Free(first[5]);
  allocator_.Free(first[3]);
  for (unsigned k = 10; k < kSlotsPerBlock; ++k) EXPECT_EQ(SlotOf(Allocate(16)), k);
  EXPECT_EQ(Allocate(16), first[5]);
  EXPECT_EQ(Allocate(16), first[3]) << "the first block is full now";
  const unsigned char* second = Allocate(16);
  allocator_.Free(first[7]);
  EXPECT_EQ(Allocate(9), first[7]) << "a block that was full goes ahead of the others";
  EXPECT_EQ(Allocate(16), second + 20);
  EXPECT_EQ(allocator_.Used(), 2 * BlockBytes(16));
}

TEST_P(MemoryExports, AnEmptiedBlockIsTheSpareUntilASecondOneGivesItBack) {
  unsigned char* first = Allocate(1);
  EXPECT_EQ(allocator_.Used(), BlockBytes(1));
  allocator_.Free(first);
  EXPECT_EQ(allocator_.Used(), BlockBytes(1)) << "the empty block stays as the spare";
  const std::vector<unsigned char*> refilled = FillBlock(1);
  EXPECT_EQ(refilled[0], first + 5) << "slot 0 went to the end of the free ring";
  unsigned char* second = Allocate(1);
  for (unsigned char* payload : refilled) allocator_.Free(payload);
  EXPECT_EQ(allocator_.Used(), 2 * BlockBytes(1)) << "the first block is the spare";
  allocator_.Free(second);
  EXPECT_EQ(allocator_.Used(), BlockBytes(1)) << "the old spare went back to the heap";
  EXPECT_EQ(Allocate(1), second + 5) << "the second block is the spare now; slot 1 comes next";
}

TEST_P(MemoryExports, ReleaseZeroesTheWholeClassSizeAndNothingElse) {
  unsigned previousClass = 0;
  for (unsigned classSize : kClassSizes) {
    const auto smallestRequest =
        static_cast<std::int32_t>(std::exchange(previousClass, classSize) + 1);
    const std::vector<unsigned char*> slots = FillBlock(smallestRequest);
    for (unsigned char* payload : slots) std::memset(payload, 0xFF, classSize);
    allocator_.Free(slots[17]);
    ASSERT_EQ(Allocate(smallestRequest), slots[17]) << "class " << classSize;
    // From slot 16's payload to slot 18's end, only slot 17's payload has changed.
    std::vector<unsigned char> expected(classSize, 0xFF);
    for (unsigned char k : {17, 18}) {
      expected.insert(expected.end(),
                      {SlotHeader::kTag, k, static_cast<unsigned char>(classSize), 0});
      expected.insert(expected.end(), classSize, k == 17 ? 0 : 0xFF);
    }
    EXPECT_EQ(std::vector<unsigned char>(slots[16], slots[16] + expected.size()), expected)
        << "class " << classSize;
  }
}

TEST_P(MemoryExports, RefusedRequestsNullReleaseAndNoticesChangeNothing) {
  unsigned char* first = Allocate(8);
  const std::uint32_t used = allocator_.Used();
  EXPECT_EQ(allocator_.Malloc(LargeHeader::kLargestRequest + 1), nullptr);
  EXPECT_EQ(allocator_.Malloc(INT32_MAX), nullptr);
  allocator_.Free(nullptr);
  allocator_.InfoAndTrace();
  EXPECT_EQ(allocator_.Used(), used);
  EXPECT_EQ(Allocate(8), first + 12) << "the pool went on where it was";

  unsigned char* largest = Allocate(LargeHeader::kLargestRequest);
  ASSERT_NE(largest, nullptr);
  EXPECT_EQ(allocator_.Used(), used + 0xFFFFFF);
  largest[LargeHeader::kLargestRequest - 1] = 1;
  allocator_.Free(largest);
  EXPECT_EQ(allocator_.Used(), used);
}

INSTANTIATE_TEST_SUITE_P(Backends, MemoryExports, ::testing::ValuesIn(kBackends),
                         [](const auto& info) { return info.param; });

class InProcessManager : public ::testing::Test {
 protected:
  TestManager manager_;
};

TEST_F(InProcessManager, AFailingHeapGivesNullAndChangesNothing) {
  TestHeap::fails = true;
  EXPECT_EQ(manager_.Malloc(8), nullptr);
  EXPECT_EQ(manager_.Malloc(100), nullptr);
  EXPECT_EQ(manager_.Used(), 0u);
  EXPECT_EQ(manager_.busyFlag, 0) << "cleared on the failure path too";

  TestHeap::fails = false;
  void* slots[kSlotsPerBlock];
  for (void*& slot : slots) slot = manager_.Malloc(8);
  TestHeap::fails = true;
  EXPECT_EQ(manager_.Malloc(8), nullptr) << "the block is full and no new one can be had";
  EXPECT_EQ(manager_.Used(), BlockBytes(8));
  manager_.Free(slots[40]);
  EXPECT_EQ(manager_.Malloc(8), slots[40]) << "the pool works on after the failure";
}

TEST_F(InProcessManager, ALargeBlockGoesBackWithItsHeaderKeptAndItsRequestZeroed) {
  auto* payload = static_cast<unsigned char*>(manager_.Malloc(100));
  std::memset(payload, 0xFF, 100);
  std::vector<unsigned char> released;
  TestHeap::beforeRelease = [&](void* block) {
    released.assign(static_cast<unsigned char*>(block), static_cast<unsigned char*>(block) + 104);
  };
  manager_.Free(payload);
  std::vector<unsigned char> expected = {LargeHeader::kTag, 104};
  expected.resize(104);
  EXPECT_EQ(released, expected);
  EXPECT_EQ(manager_.Used(), 0u);
}

// Large blocks are zeroed in one of three ways by size: a heap that places them in an arena at
// each alignment shows every request byte cleared and nothing around them touched.
namespace arena_heap {
alignas(16) unsigned char arena[320 * 1024];
std::size_t blockOffset = 0;
const void* released = nullptr;
void* Allocate(std::size_t size) {
  return blockOffset + size <= sizeof arena ? arena + blockOffset : nullptr;
}
void Release(void* block) { released = block; }
}  // namespace arena_heap

TEST(LargeRelease, EveryRequestByteIsZeroedAtEverySizeAndAlignment) {
  using namespace arena_heap;
  MemoryManager manager(RuntimeHeap{&Allocate, &Release});
  const auto isNot = [](unsigned char value) {
    return [=](unsigned char b) { return b != value; };
  };
  for (const std::int32_t request : {49, 63, 64, 65, 77, 2047, 2049, 5003, 262145, 300007}) {
    for (std::size_t offset = 0; offset < 16; offset += 4) {
      std::memset(arena, 0x5A, sizeof arena);
      blockOffset = offset;
      auto* payload = static_cast<unsigned char*>(manager.Malloc(request));
      ASSERT_EQ(payload, arena + offset + 4);
      const unsigned char header[] = {payload[-4], payload[-3], payload[-2], payload[-1]};
      std::memset(payload, 0xFF, static_cast<std::size_t>(request));
      manager.Free(payload);
      EXPECT_EQ(released, arena + offset);
      EXPECT_EQ(manager.Used(), 0u);
      const unsigned char* begin = payload;
      const unsigned char* end = begin + request;
      EXPECT_EQ(std::memcmp(begin - 4, header, 4), 0) << request << " at " << offset;
      EXPECT_EQ(std::find_if(begin, end, isNot(0)), end) << request << " at " << offset;
      EXPECT_EQ(std::find_if(arena, arena + offset, isNot(0x5A)), arena + offset) << offset;
      EXPECT_EQ(std::find_if(end, end + 64, isNot(0x5A)), end + 64) << request << " at " << offset;
    }
  }
}

// The heap calling back into the manager is the one way a single thread meets the busy flag.
TEST_F(InProcessManager, CallsWhileBusyGoStraightToTheHeapUncounted) {
  int depth = 0;
  void* bypassed = nullptr;
  TestHeap::onAllocate = [&](std::size_t) -> void* {
    if (depth++ == 0) bypassed ? manager_.Free(bypassed) : void(bypassed = manager_.Malloc(10));
    --depth;
    return nullptr;
  };
  manager_.Malloc(10);  // its block's heap call makes the bypassed request
  EXPECT_EQ(TestHeap::held.size(), 2u) << "the block and the bypassed request";
  EXPECT_EQ(manager_.Used(), BlockBytes(16)) << "the bypassed request is not counted";
  manager_.Malloc(200);  // its heap call releases the bypassed request
  EXPECT_EQ(TestHeap::held.count(bypassed), 0u) << "released by the heap, without a header";
  EXPECT_EQ(manager_.Used(), BlockBytes(16) + 204);
}

// Headers that no pool and no large request writes: a class size above 48, a large block's tag
// with a totalSize below 53 (whose zeroing would wrap to the whole address space).
TEST_F(InProcessManager, HeadersItCannotHaveWrittenAreLeftAlone) {
  manager_.Malloc(100);
  const std::uint32_t used = manager_.Used();
  const std::size_t held = TestHeap::held.size();
  const unsigned char headers[][4] = {{0x00, 0x00, 200, 0x00}, {LargeHeader::kTag, 0, 0, 0},
                                      {LargeHeader::kTag, 4, 0, 0}, {LargeHeader::kTag, 52, 0, 0}};
  for (const auto& header : headers) {
    unsigned char foreign[4 + 64];
    std::memcpy(foreign, header, 4);
    std::memset(foreign + 4, 0x5A, 64);
    manager_.Free(foreign + 4);
    EXPECT_EQ(foreign[4], 0x5A) << +header[0] << " " << +header[1];
    EXPECT_EQ(foreign[4 + 63], 0x5A);
    EXPECT_EQ(manager_.Used(), used);
    EXPECT_EQ(TestHeap::held.size(), held) << "nothing given back to the heap";
    EXPECT_EQ(manager_.busyFlag, 0);
  }
}

// Each corruption must be caught, and undoing it must make the pool valid again.
TEST_F(InProcessManager, TheValidatorCatchesEachBrokenInvariant) {
  for (unsigned k = 0; k < kSlotsPerBlock + 3; ++k) manager_.Malloc(24);
  manager_.Free(manager_.Malloc(40));           // a spare elsewhere
  MemoryPool& pool = manager_.classes[4].pool;  // class 24: a full block and a partial one
  ASSERT_TRUE(pool.fullList != nullptr && pool.partialList != nullptr);
  const BlockLayout& layout = manager_.classes[4].layout;
  BlockLinks& full = *layout.Links(pool.fullList);
  BlockLinks& partial = *layout.Links(pool.partialList);
  unsigned char& slotFiveIndex = layout.Payload(pool.fullList, 5)[-3];
  const MemoryPool savedPool = pool;
  const BlockLinks savedFull = full;
  const BlockLinks savedPartial = partial;
  const std::function<void()> corruptions[] = {
      [&] { partial.nextSlot[10] = 12; },                   // ring
      [&] { partial.prevSlot[11] = 9; },                    // mirror
      [&] { partial.nextSlot[10] = 64; },                   // link out of range
      [&] { partial.freeHead = -1; },                       // empty free ring
      [&] { partial.usedHead = 64; },                       // head out of range
      [&] { ++pool.blockCount; },                           // block count
      [&] { full.prevBlock = pool.fullList; },              // list back link
      [&] { std::swap(pool.partialList, pool.fullList); },  // blocks on the wrong lists
      [&] { std::swap(pool.spare, pool.partialList); },     // a spare with used slots
      [&] { slotFiveIndex = 6; },                           // slot header
  };
  for (std::size_t i = 0; i < std::size(corruptions); ++i) {
    corruptions[i]();
    EXPECT_FALSE(ValidateMemoryManager(manager_)) << "corruption " << i;
    pool = savedPool;
    full = savedFull;
    partial = savedPartial;
    slotFiveIndex = 5;
    EXPECT_TRUE(ValidateMemoryManager(manager_)) << "corruption " << i << " undone";
  }
}

}  // namespace
