// A deterministic random mix of requests of every class and large sizes, checked step by step
// against a plain model of the pool rules: the exact slot each request gets, MemoryUsed, zeroed
// reuse and payloads left intact while they are live.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <random>

#include "allocator_backends.h"

namespace {

constexpr int kSteps = 1'000'000;

// The rules of one class with standard containers: free slots in FIFO order, the partial list
// front first, one spare at most.
class ClassModel {
 public:
  struct Slot {
    int block;
    unsigned index;
    bool reused;  // handed out before in this block's life, so it must read as zero
  };

  explicit ClassModel(unsigned classSize) : stride_(classSize + 4) {}

  Slot Allocate() {
    int id;
    if (!partial_.empty()) {
      id = partial_.front();
    } else if (spare_ >= 0) {
      id = spare_;
      spare_ = -1;
      partial_.push_front(id);
    } else {
      id = static_cast<int>(blocks_.size());
      blocks_.push_back(Block{});
      for (unsigned k = 0; k < kSlotsPerBlock; ++k) blocks_.back().freeRing.push_back(k);
      ++blockCount_;
      partial_.push_front(id);
    }
    Block& block = blocks_[id];
    const unsigned index = block.freeRing.front();
    block.freeRing.pop_front();
    ++block.used;
    if (block.freeRing.empty()) {
      partial_.erase(std::find(partial_.begin(), partial_.end(), id));
      full_.push_front(id);
    }
    const bool reused = (block.handedOut >> index) & 1;
    block.handedOut |= std::uint64_t{1} << index;
    return Slot{id, index, reused};
  }

  void Release(int id, unsigned index) {
    Block& block = blocks_[id];
    if (--block.used == 0) {
      partial_.erase(std::find(partial_.begin(), partial_.end(), id));
      if (spare_ >= 0) --blockCount_;
      spare_ = id;
    } else if (block.freeRing.empty()) {
      full_.erase(std::find(full_.begin(), full_.end(), id));
      partial_.push_front(id);
    }
    block.freeRing.push_back(index);
  }

  // Where the real pool put a block: learnt from its first slot, then used for every prediction.
  unsigned char*& Base(int id) { return blocks_[id].base; }
  unsigned Stride() const { return stride_; }
  std::int32_t BlockCount() const { return blockCount_; }

 private:
  struct Block {
    std::deque<unsigned> freeRing;
    int used = 0;
    std::uint64_t handedOut = 0;
    unsigned char* base = nullptr;
  };
  unsigned stride_;
  std::vector<Block>
      blocks_;  // every block ever made; a given-back spare is simply not referred to
  std::deque<int> partial_;
  std::deque<int> full_;
  int spare_ = -1;
  std::int32_t blockCount_ = 0;
};

struct Live {
  unsigned char* payload;
  std::uint32_t usable;
  int classIndex;  // -1 for a large block
  int block;
  unsigned index;
  std::uint8_t cookie;
};

std::int32_t RandomRequest(std::mt19937& random) {
  const unsigned pick = random() % 100;
  if (pick < 4) return -static_cast<std::int32_t>(random() % 1000);  // 0 and negatives
  if (pick < 85) return static_cast<std::int32_t>(1 + random() % 48);
  if (pick < 99) return static_cast<std::int32_t>(49 + random() % 400);
  return static_cast<std::int32_t>(49 + random() % 70000);
}

int ClassIndexOf(std::int32_t request) {
  for (int i = 0; i < 7; ++i) {
    if (request <= static_cast<std::int32_t>(kClassSizes[i])) return i;
  }
  return -1;
}

class RandomModel : public ::testing::TestWithParam<Backend> {};

TEST_P(RandomModel, AMillionMixedStepsFollowThePoolRules) {
  std::unique_ptr<AllocatorUnderTest> allocator = MakeAllocator(GetParam());
  ASSERT_NE(allocator, nullptr);
  const MemoryManager* manager = allocator->Manager();

  std::vector<ClassModel> classes(std::begin(kClassSizes), std::end(kClassSizes));
  std::uint32_t largeBytes = 0;
  std::vector<Live> live;
  live.reserve(4096);
  std::mt19937 random(20240611);
  std::size_t target = 0;
  PoolFault fault;

  auto expectedUsed = [&] {
    std::uint32_t used = largeBytes;
    for (int i = 0; i < 7; ++i) {
      used += static_cast<std::uint32_t>(classes[i].BlockCount()) * BlockBytes(kClassSizes[i]);
    }
    return used;
  };
  auto poolValid = [&](int classIndex) {
    if (manager == nullptr) return true;
    if (classIndex < 0) return ValidateMemoryManager(*manager, &fault);
    return ValidatePool(manager->classes[classIndex].pool, kClassLayouts[classIndex], &fault);
  };

  for (int step = 0; step < kSteps; ++step) {
    // The live count drifts towards a target that changes now and then, so that blocks fill,
    // empty and turn into spares over and over.
    if (step % 20000 == 0) target = std::vector<std::size_t>{0, 10, 150, 600, 1500}[random() % 5];
    const bool allocate = live.empty() || random() % 100 < (live.size() < target ? 70u : 30u);
    int touched = -1;
    if (allocate) {
      const std::int32_t request = RandomRequest(random);
      auto* payload = static_cast<unsigned char*>(allocator->Malloc(request));
      ASSERT_NE(payload, nullptr) << "step " << step << ", request of " << request;
      Live entry{payload, 0, ClassIndexOf(request), -1, 0, static_cast<std::uint8_t>(step | 1)};
      if (entry.classIndex >= 0) {
        ClassModel& model = classes[entry.classIndex];
        const ClassModel::Slot slot = model.Allocate();
        if (model.Base(slot.block) == nullptr) {
          model.Base(slot.block) = payload - 4 - slot.index * model.Stride();
        }
        ASSERT_EQ(payload, model.Base(slot.block) + 4 + slot.index * model.Stride())
            << "step " << step << ": class " << kClassSizes[entry.classIndex]
            << " should give slot " << slot.index << " of model block " << slot.block;
        entry.usable = kClassSizes[entry.classIndex];
        entry.block = slot.block;
        entry.index = slot.index;
        if (slot.reused) {
          for (std::uint32_t i = 0; i < entry.usable; ++i) {
            ASSERT_EQ(payload[i], 0) << "step " << step << ": reused slot not zero at byte " << i;
          }
        }
        touched = entry.classIndex;
      } else {
        ASSERT_EQ(payload[-4], LargeHeader::kTag) << "step " << step;
        entry.usable = static_cast<std::uint32_t>(request);
        largeBytes += entry.usable + 4;
      }
      std::memset(payload, entry.cookie, entry.usable);
      live.push_back(entry);
    } else {
      const std::size_t pick = random() % live.size();
      const Live entry = live[pick];
      live[pick] = live.back();
      live.pop_back();
      for (std::uint32_t i = 0; i < entry.usable; ++i) {
        ASSERT_EQ(entry.payload[i], entry.cookie)
            << "step " << step << ": payload changed at " << i;
      }
      allocator->Free(entry.payload);
      if (entry.classIndex >= 0) {
        classes[entry.classIndex].Release(entry.block, entry.index);
        touched = entry.classIndex;
      } else {
        largeBytes -= entry.usable + 4;
      }
    }
    ASSERT_EQ(allocator->Used(), expectedUsed()) << "step " << step;
    if (touched >= 0) {
      ASSERT_TRUE(poolValid(touched)) << "step " << step << ": " << fault.what;
    }
  }

  for (const Live& entry : live) {
    allocator->Free(entry.payload);
    if (entry.classIndex >= 0) {
      classes[entry.classIndex].Release(entry.block, entry.index);
    } else {
      largeBytes -= entry.usable + 4;
    }
  }
  EXPECT_EQ(allocator->Used(), expectedUsed());
  EXPECT_TRUE(poolValid(-1)) << fault.what;
}

INSTANTIATE_TEST_SUITE_P(Backends, RandomModel, ::testing::ValuesIn(AllBackends()),
                         [](const auto& info) { return BackendName(info.param); });

}  // namespace
