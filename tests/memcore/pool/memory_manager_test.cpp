// What only an in-process manager shows: its heap calls, its busy flag and its validator.
#include <gtest/gtest.h>

#include <cstring>

#include "allocator_backends.h"

namespace {

class MemoryManagerTest : public ::testing::Test {
 protected:
  MemoryManagerTest() { TestHeap::Reset(); }
  ~MemoryManagerTest() override { DiscardBlocks(manager_); }

  bool Valid() {
    PoolFault fault;
    const bool valid = ValidateMemoryManager(manager_, &fault);
    EXPECT_TRUE(valid) << fault.what << " (slot " << fault.slot << ")";
    return valid;
  }

  MemoryManager manager_{TestHeap::Functions()};
};

TEST_F(MemoryManagerTest, AFailingHeapGivesNullAndChangesNothing) {
  TestHeap::failFrom = 0;
  EXPECT_EQ(manager_.Malloc(8), nullptr);
  EXPECT_EQ(manager_.Malloc(100), nullptr);
  EXPECT_EQ(manager_.Used(), 0u);
  EXPECT_EQ(PoolOf(manager_, 8).blockCount, 0);
  EXPECT_EQ(manager_.busyFlag, 0) << "cleared on the failure path too";

  TestHeap::failFrom = -1;
  void* slots[kSlotsPerBlock];
  for (void*& slot : slots) slot = manager_.Malloc(8);
  TestHeap::failFrom = TestHeap::allocations;
  EXPECT_EQ(manager_.Malloc(8), nullptr) << "the block is full and no new one can be had";
  EXPECT_EQ(PoolOf(manager_, 8).blockCount, 1);
  EXPECT_EQ(PoolOf(manager_, 8).partialList, nullptr);
  EXPECT_TRUE(Valid());

  manager_.Free(slots[40]);
  EXPECT_EQ(manager_.Malloc(8), slots[40]) << "the pool works on after the failure";
  EXPECT_TRUE(Valid());
}

TEST_F(MemoryManagerTest, OnlyTheReplacedSpareGoesBackToTheHeap) {
  std::vector<void*> released;
  TestHeap::beforeRelease = [&released](void* block) { released.push_back(block); };
  void* first = manager_.Malloc(4);
  manager_.Free(first);
  void* firstBlock = PoolOf(manager_, 4).spare;
  ASSERT_NE(firstBlock, nullptr);

  void* slots[kSlotsPerBlock + 1];
  for (void*& slot : slots) slot = manager_.Malloc(4);
  for (void* slot : slots) manager_.Free(slot);
  EXPECT_EQ(released, std::vector<void*>{firstBlock}) << "the second emptied block replaced it";
  EXPECT_EQ(PoolOf(manager_, 4).blockCount, 1);
  EXPECT_TRUE(Valid());
}

TEST_F(MemoryManagerTest, ALargeBlockIsZeroedBeforeItGoesBackWithItsHeaderKept) {
  constexpr std::int32_t kRequest = 100;
  auto* payload = static_cast<unsigned char*>(manager_.Malloc(kRequest));
  std::memset(payload, 0xFF, kRequest);
  bool inspected = false;
  TestHeap::beforeRelease = [&](void* block) {
    auto* bytes = static_cast<const unsigned char*>(block);
    EXPECT_EQ(bytes, payload - 4);
    EXPECT_EQ(bytes[0], LargeHeader::kTag);
    EXPECT_EQ(LargeHeader::TotalSize(bytes + 4), 104u);
    for (int i = 0; i < kRequest; ++i) EXPECT_EQ(bytes[4 + i], 0) << "byte " << i;
    inspected = true;
  };
  manager_.Free(payload);
  EXPECT_TRUE(inspected);
  EXPECT_EQ(manager_.largeBytes, 0u);
}

// The heap calling back into the manager is the one way a single thread meets the busy flag.
TEST_F(MemoryManagerTest, CallsWhileBusyGoStraightToTheHeap) {
  void* bypassed = nullptr;
  void* releasedDirectly = nullptr;
  bool nested = false;
  TestHeap::onAllocate = [&](std::size_t) -> void* {
    if (nested) return nullptr;
    nested = true;
    if (bypassed == nullptr) {
      bypassed = manager_.Malloc(10);
    } else {
      TestHeap::beforeRelease = [&](void* block) { releasedDirectly = block; };
      manager_.Free(bypassed);
      TestHeap::beforeRelease = nullptr;
    }
    nested = false;
    return nullptr;
  };

  void* slot = manager_.Malloc(10);
  ASSERT_NE(bypassed, nullptr);
  EXPECT_EQ(TestHeap::allocations, 2) << "the block and the bypassed request";
  EXPECT_EQ(manager_.Used(), BlockBytes(16)) << "the bypassed request is not counted";

  void* large = manager_.Malloc(200);
  EXPECT_EQ(releasedDirectly, bypassed) << "freed by the heap, without a header lookup";
  EXPECT_EQ(manager_.Used(), BlockBytes(16) + 204);
  TestHeap::onAllocate = nullptr;
  manager_.Free(large);
  manager_.Free(slot);
  EXPECT_TRUE(Valid());
}

TEST_F(MemoryManagerTest, AHeaderWithAForeignClassSizeIsLeftAlone) {
  unsigned char foreign[4 + 64] = {0x00, 0x00, 200, 0x00};
  std::memset(foreign + 4, 0x5A, 64);
  manager_.Free(foreign + 4);
  EXPECT_EQ(foreign[4], 0x5A);
  EXPECT_EQ(foreign[4 + 63], 0x5A);
  EXPECT_EQ(manager_.busyFlag, 0);
}

// Each corruption must be caught, and undoing it must make the pool valid again.
TEST_F(MemoryManagerTest, TheValidatorCatchesEachBrokenInvariant) {
  void* slots[kSlotsPerBlock + 3];
  for (void*& slot : slots) slot = manager_.Malloc(24);
  void* spareSlot = manager_.Malloc(40);
  manager_.Free(spareSlot);
  ASSERT_TRUE(Valid());

  MemoryPool& pool = PoolOf(manager_, 24);
  MemoryBlock* full = pool.fullList;
  MemoryBlock* partial = pool.partialList;
  ASSERT_NE(full, nullptr);
  ASSERT_NE(partial, nullptr);
  const BlockLayout layout = BlockLayout::Of(24);
  BlockLinks* fullLinks = layout.Links(full);
  BlockLinks* partialLinks = layout.Links(partial);
  unsigned char* slotFive = layout.Payload(full, 5);

  const struct {
    const char* name;
    std::function<void()> corrupt;
    std::function<void()> repair;
  } cases[] = {
      {"ring link", [&] { partialLinks->nextSlot[10] = 12; },
       [&] { partialLinks->nextSlot[10] = 11; }},
      {"mirror link", [&] { partialLinks->prevSlot[11] = 9; },
       [&] { partialLinks->prevSlot[11] = 10; }},
      {"link out of range", [&] { partialLinks->nextSlot[10] = 64; },
       [&] { partialLinks->nextSlot[10] = 11; }},
      {"empty free ring", [&] { partialLinks->freeHead = -1; },
       [&] { partialLinks->freeHead = 3; }},
      {"head out of range", [&] { partialLinks->usedHead = 64; },
       [&] { partialLinks->usedHead = 0; }},
      {"block count", [&] { ++pool.blockCount; }, [&] { --pool.blockCount; }},
      {"list back link", [&] { fullLinks->prevBlock = full; },
       [&] { fullLinks->prevBlock = nullptr; }},
      {"full block on the partial list",
       [&] {
         pool.partialList = full;
         pool.fullList = partial;
       },
       [&] {
         pool.partialList = partial;
         pool.fullList = full;
       }},
      {"spare with used slots",
       [&] {
         pool.spare = partial;
         pool.partialList = nullptr;
       },
       [&] {
         pool.spare = nullptr;
         pool.partialList = partial;
       }},
      {"slot header", [&] { slotFive[-3] = 6; }, [&] { slotFive[-3] = 5; }},
  };
  for (const auto& c : cases) {
    c.corrupt();
    PoolFault fault;
    EXPECT_FALSE(ValidateMemoryManager(manager_, &fault)) << c.name;
    EXPECT_NE(fault.what, nullptr) << c.name;
    c.repair();
    EXPECT_TRUE(Valid()) << c.name << " repaired";
  }
  EXPECT_TRUE(ValidateMemoryManager(manager_));
  EXPECT_NE(PoolOf(manager_, 48).spare, nullptr);
}

}  // namespace
