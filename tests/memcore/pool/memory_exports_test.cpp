// The allocator's observable rules, run against a fresh in-process manager and against the real
// library loaded at run time.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "allocator_backends.h"

namespace {

constexpr std::uint32_t kOneByteBlock = sizeof(void*) == 4 ? 460 : 468;

unsigned SlotOf(const unsigned char* payload) { return SlotHeader::Read(payload).index; }

class MemoryExports : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    allocator_ = MakeAllocator(GetParam());
    ASSERT_NE(allocator_, nullptr);
  }
  void TearDown() override {
    if (allocator_ != nullptr && allocator_->Manager() != nullptr) {
      PoolFault fault;
      EXPECT_TRUE(ValidateMemoryManager(*allocator_->Manager(), &fault)) << fault.what;
    }
  }

  unsigned char* Allocate(std::int32_t size) {
    auto* payload = static_cast<unsigned char*>(allocator_->Malloc(size));
    EXPECT_NE(payload, nullptr) << "request of " << size;
    return payload;
  }
  // Allocates a block's 64 slots in a fresh class and returns them in slot order.
  std::vector<unsigned char*> FillBlock(std::int32_t size) {
    std::vector<unsigned char*> slots;
    for (unsigned k = 0; k < kSlotsPerBlock; ++k) slots.push_back(Allocate(size));
    return slots;
  }

  std::unique_ptr<AllocatorUnderTest> allocator_;
};

TEST_P(MemoryExports, PicksTheSmallestClassThatHoldsTheRequest) {
  const struct {
    std::int32_t size;
    unsigned classSize;
  } cases[] = {{INT32_MIN, 1}, {-1, 1},  {0, 1},   {1, 1},   {2, 4},   {4, 4},
               {5, 8},         {8, 8},   {9, 16},  {16, 16}, {17, 24}, {24, 24},
               {25, 32},       {32, 32}, {33, 48}, {48, 48}};
  std::set<unsigned> classesInUse;
  std::uint32_t expectedUsed = 0;
  for (const auto& c : cases) {
    const unsigned char* payload = Allocate(c.size);
    ASSERT_NE(payload, nullptr);
    const SlotHeader header = SlotHeader::Read(payload);
    EXPECT_EQ(header.tag, SlotHeader::kTag) << "request of " << c.size;
    EXPECT_EQ(header.classSize, c.classSize) << "request of " << c.size;
    if (classesInUse.insert(c.classSize).second) expectedUsed += BlockBytes(c.classSize);
    EXPECT_EQ(allocator_->Used(), expectedUsed) << "request of " << c.size;
  }

  unsigned char* large = Allocate(49);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(large[-4], LargeHeader::kTag);
  EXPECT_EQ(LargeHeader::TotalSize(large), 53u);
  EXPECT_EQ(allocator_->Used(), expectedUsed + 53);
  allocator_->Free(large);
  EXPECT_EQ(allocator_->Used(), expectedUsed);
}

TEST_P(MemoryExports, ANewBlockHandsOutItsSlotsInOrder) {
  std::uint32_t used = 0;
  for (unsigned classSize : kClassSizes) {
    const std::vector<unsigned char*> slots = FillBlock(static_cast<std::int32_t>(classSize));
    used += BlockBytes(classSize);
    for (unsigned k = 0; k < kSlotsPerBlock; ++k) {
      EXPECT_EQ(slots[k], slots[0] + k * (classSize + 4)) << "class " << classSize << " slot " << k;
      EXPECT_EQ(SlotOf(slots[k]), k) << "class " << classSize;
    }
    EXPECT_EQ(allocator_->Used(), used) << "64 slots fit one block of class " << classSize;

    const unsigned char* next = Allocate(static_cast<std::int32_t>(classSize));
    used += BlockBytes(classSize);
    EXPECT_EQ(SlotOf(next), 0u) << "the 65th slot starts a second block of class " << classSize;
    EXPECT_EQ(allocator_->Used(), used);
  }
}

TEST_P(MemoryExports, ReleasedSlotsComeBackFirstInFirstOut) {
  std::vector<unsigned char*> inUse;
  for (int k = 0; k < 10; ++k) inUse.push_back(Allocate(16));
  allocator_->Free(inUse[5]);
  allocator_->Free(inUse[3]);
  for (unsigned k = 10; k < kSlotsPerBlock; ++k) EXPECT_EQ(SlotOf(Allocate(16)), k);
  EXPECT_EQ(Allocate(16), inUse[5]);
  EXPECT_EQ(Allocate(16), inUse[3]);
  EXPECT_EQ(allocator_->Used(), BlockBytes(16)) << "all from one block";
}

TEST_P(MemoryExports, ASlotReleasedFromAFullBlockIsTheNextOneOut) {
  const std::vector<unsigned char*> slots = FillBlock(24);
  allocator_->Free(slots[17]);
  EXPECT_EQ(Allocate(20), slots[17]);
  EXPECT_EQ(allocator_->Used(), BlockBytes(24));
  EXPECT_EQ(SlotOf(Allocate(24)), 0u) << "the block is full again, so a new one is made";
  EXPECT_EQ(allocator_->Used(), 2 * BlockBytes(24));
}

TEST_P(MemoryExports, AnEmptiedBlockIsKeptAsTheSpareAndTakenBack) {
  EXPECT_EQ(allocator_->Used(), 0u) << "nothing is held right after load";
  unsigned char* first = Allocate(1);
  EXPECT_EQ(allocator_->Used(), kOneByteBlock);
  allocator_->Free(first);
  EXPECT_EQ(allocator_->Used(), kOneByteBlock) << "the empty block stays as the spare";

  const unsigned char* again = Allocate(1);
  EXPECT_EQ(SlotOf(again), 1u) << "slot 0 went to the end of the free ring";
  EXPECT_EQ(again, first + 5) << "same block";
  EXPECT_EQ(allocator_->Used(), kOneByteBlock);
}

TEST_P(MemoryExports, ASecondEmptiedBlockGivesTheSpareBack) {
  const std::vector<unsigned char*> first = FillBlock(32);
  unsigned char* second = Allocate(32);
  EXPECT_EQ(allocator_->Used(), 2 * BlockBytes(32));
  for (unsigned char* payload : first) allocator_->Free(payload);
  EXPECT_EQ(allocator_->Used(), 2 * BlockBytes(32)) << "the first block is the spare";
  allocator_->Free(second);
  EXPECT_EQ(allocator_->Used(), BlockBytes(32)) << "the old spare went back to the heap";
  EXPECT_EQ(Allocate(32), second + 36) << "the second block is the spare now; slot 1 comes next";
}

TEST_P(MemoryExports, LargeBlocksCountTheirHeapBytes) {
  EXPECT_EQ(allocator_->Used(), 0u);
  unsigned char* small = Allocate(1);
  unsigned char* large = Allocate(49);
  EXPECT_EQ(allocator_->Used(), kOneByteBlock + 53);
  allocator_->Free(large);
  allocator_->Free(small);
  EXPECT_EQ(allocator_->Used(), kOneByteBlock);
}

TEST_P(MemoryExports, ReleaseZeroesTheWholeClassSizeAndNothingElse) {
  unsigned previousClass = 0;
  for (unsigned classSize : kClassSizes) {
    const auto smallestRequest = static_cast<std::int32_t>(previousClass + 1);
    previousClass = classSize;
    const std::vector<unsigned char*> slots = FillBlock(smallestRequest);
    for (unsigned char* payload : slots) std::memset(payload, 0xFF, classSize);
    allocator_->Free(slots[17]);
    unsigned char* again = Allocate(smallestRequest);
    ASSERT_EQ(again, slots[17]) << "class " << classSize;
    for (unsigned i = 0; i < classSize; ++i) {
      EXPECT_EQ(again[i], 0) << "class " << classSize << " byte " << i;
    }
    for (unsigned i = 0; i < classSize; ++i) {
      EXPECT_EQ(slots[16][i], 0xFF) << "class " << classSize << ": the slot before was touched";
      EXPECT_EQ(slots[18][i], 0xFF) << "class " << classSize << ": the slot after was touched";
    }
    const SlotHeader next = SlotHeader::Read(slots[18]);
    EXPECT_EQ(next.tag, SlotHeader::kTag);
    EXPECT_EQ(next.index, 18);
    EXPECT_EQ(next.classSize, classSize);
  }
}

TEST_P(MemoryExports, PayloadsOfClassesFourAndUpAndLargeOnesAreFourByteAligned) {
  for (unsigned classSize : kClassSizes) {
    if (classSize == 1) continue;
    for (unsigned k = 0; k <= kSlotsPerBlock; ++k) {
      const auto address =
          reinterpret_cast<std::uintptr_t>(Allocate(static_cast<std::int32_t>(classSize)));
      EXPECT_EQ(address % 4, 0u) << "class " << classSize;
    }
  }
  for (std::int32_t size : {49, 50, 51, 52, 4096}) {
    unsigned char* large = Allocate(size);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(large) % 4, 0u) << "request of " << size;
    allocator_->Free(large);
  }
}

TEST_P(MemoryExports, InfoTraceAndNullReleaseChangeNothing) {
  unsigned char* first = Allocate(8);
  const std::uint32_t used = allocator_->Used();
  allocator_->Info();
  allocator_->Trace();
  allocator_->Free(nullptr);
  EXPECT_EQ(allocator_->Used(), used);
  EXPECT_EQ(Allocate(8), first + 12) << "the pool went on where it was";
}

TEST_P(MemoryExports, RequestsBeyondTheHeaderRangeAreRefused) {
  EXPECT_EQ(allocator_->Malloc(LargeHeader::kLargestRequest + 1), nullptr);
  EXPECT_EQ(allocator_->Malloc(INT32_MAX), nullptr);
  EXPECT_EQ(allocator_->Used(), 0u) << "a refused request counts nothing";

  unsigned char* largest = Allocate(LargeHeader::kLargestRequest);
  ASSERT_NE(largest, nullptr);
  EXPECT_EQ(LargeHeader::TotalSize(largest), 0xFFFFFFu);
  EXPECT_EQ(allocator_->Used(), 0xFFFFFFu);
  largest[LargeHeader::kLargestRequest - 1] = 1;
  allocator_->Free(largest);
  EXPECT_EQ(allocator_->Used(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Backends, MemoryExports, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
