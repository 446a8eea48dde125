// A deterministic random mix of requests of every class and large sizes, checked step by step
// against a plain model of the pool rules: the exact slot each request gets, MemoryUsed, the
// validator, zeroed reuse, and a cookie in every live payload.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <random>
#include <regex>
#include <tuple>
#include <utility>

#include "allocator_backends.h"

namespace {

// One class's rules with standard containers: free slots in FIFO order, the partial list front
// first, at most one spare. Full blocks need no list: nothing is taken from them.
struct ClassModel {
  struct Block {
    std::deque<unsigned> freeRing;
    unsigned used = 0;
    std::uint64_t handedOut = 0;    // slots handed out before, which must read as zero
    unsigned char* base = nullptr;  // where the real pool put it, learnt from its first slot
  };
  std::vector<Block> blocks;  // every block ever made; a given-back spare is never referred to
  std::deque<int> partial;
  int spare = -1;
  std::int32_t blockCount = 0;

  // The block and the slot that the next request gets.
  std::pair<int, unsigned> Allocate() {
    if (partial.empty() && spare >= 0) partial.push_front(std::exchange(spare, -1));
    if (partial.empty()) {
      partial.push_front(static_cast<int>(blocks.size()));
      blocks.emplace_back();
      for (unsigned k = 0; k < kSlotsPerBlock; ++k) blocks.back().freeRing.push_back(k);
      ++blockCount;
    }
    const int id = partial.front();
    Block& block = blocks[id];
    const unsigned slot = block.freeRing.front();
    block.freeRing.pop_front();
    if (++block.used == kSlotsPerBlock) partial.pop_front();
    return {id, slot};
  }
  void Release(int id, unsigned slot) {
    Block& block = blocks[id];
    if (block.used == kSlotsPerBlock) partial.push_front(id);
    block.freeRing.push_back(slot);
    if (--block.used == 0) {
      partial.erase(std::find(partial.begin(), partial.end(), id));
      if (spare >= 0) --blockCount;
      spare = id;
    }
  }
};

struct Live {
  unsigned char* payload;
  unsigned char cookie;
  std::uint32_t usable;
  std::uint32_t written = 0;  // the cookie's extent
  int classIndex = 0;  // -1 for a large block
  int block = -1;
  unsigned slot = 0;
};

std::int32_t RandomRequest(std::mt19937& random) {
  const unsigned pick = random() % 100;
  if (pick < 4) return -static_cast<std::int32_t>(random() % 1000);  // 0 and negatives
  if (pick < 85) return static_cast<std::int32_t>(1 + random() % 48);
  if (pick < 99) return static_cast<std::int32_t>(49 + random() % 400);
  return static_cast<std::int32_t>(49 + random() % 70000);
}

bool AllBytesAre(const unsigned char* payload, std::uint32_t size, unsigned char value) {
  return std::all_of(payload, payload + size, [value](unsigned char b) { return b == value; });
}

class RandomModel : public ::testing::TestWithParam<std::string> {};

TEST_P(RandomModel, AMillionMixedStepsFollowThePoolRules) {
  AllocatorUnderTest allocator(GetParam());
  ASSERT_TRUE(allocator.Loaded());
  ClassModel classes[kClassCount];
  std::uint32_t largeBytes = 0;
  std::vector<Live> live;
  std::mt19937 random(20240611);
  std::size_t target = 0;

  auto release = [&](const Live& entry) {
    allocator.Free(entry.payload);
    entry.classIndex < 0 ? void(largeBytes -= entry.usable + 4)
                         : classes[entry.classIndex].Release(entry.block, entry.slot);
  };
  auto expectedUsed = [&] {
    std::uint32_t used = largeBytes;
    for (unsigned i = 0; i < kClassCount; ++i) {
      used += static_cast<std::uint32_t>(classes[i].blockCount) * BlockBytes(kClassSizes[i]);
    }
    return used;
  };

  for (int step = 0; step < 1'000'000; ++step) {
    // The live count drifts towards a target that changes now and then, so that blocks fill,
    // empty and turn into spares over and over.
    if (step % 20000 == 0) target = std::vector<std::size_t>{0, 10, 150, 600, 1500}[random() % 5];
    Live entry;
    if (live.empty() || random() % 100 < (live.size() < target ? 70u : 30u)) {
      const std::int32_t request = RandomRequest(random);
      auto* payload = static_cast<unsigned char*>(allocator.Malloc(request));
      ASSERT_NE(payload, nullptr) << "step " << step << ", request of " << request;
      entry = {payload, static_cast<unsigned char>(step | 1), static_cast<std::uint32_t>(request)};
      if (request <= kLargestSlotRequest) {
        while (static_cast<std::int32_t>(kClassSizes[entry.classIndex]) < request) {
          ++entry.classIndex;
        }
        entry.usable = kClassSizes[entry.classIndex];
        std::tie(entry.block, entry.slot) = classes[entry.classIndex].Allocate();
        ClassModel::Block& block = classes[entry.classIndex].blocks[entry.block];
        const unsigned offset = 4 + entry.slot * (entry.usable + 4);
        if (block.base == nullptr) block.base = payload - offset;
        ASSERT_EQ(payload, block.base + offset)
            << "step " << step << ": class " << entry.usable << " should give slot " << entry.slot;
        ASSERT_TRUE(!(block.handedOut >> entry.slot & 1) || AllBytesAre(payload, entry.usable, 0))
            << "step " << step << ": a reused slot is not zero";
        block.handedOut |= std::uint64_t{1} << entry.slot;
      } else {
        entry.classIndex = -1;
        ASSERT_EQ(payload[-4], LargeHeader::kTag) << "step " << step;
        largeBytes += entry.usable + 4;
      }
      // The checked build takes a write past the request for an overrun.
      entry.written = allocator.Checked() ? static_cast<std::uint32_t>(std::max(request, 0))
                                          : entry.usable;
      std::memset(payload, entry.cookie, entry.written);
      live.push_back(entry);
    } else {
      const std::size_t pick = random() % live.size();
      entry = live[pick];
      live[pick] = live.back();
      live.pop_back();
      ASSERT_TRUE(AllBytesAre(entry.payload, entry.written, entry.cookie))
          << "step " << step << ": a live payload changed";
      release(entry);
    }
    ASSERT_EQ(allocator.Used(), expectedUsed()) << "step " << step;
    PoolFault fault;
    if (allocator.inProcess != nullptr && entry.classIndex >= 0) {
      const SizeClass& touched = allocator.inProcess->classes[entry.classIndex];
      ASSERT_TRUE(ValidatePool(touched.pool, touched.layout, &fault))
          << "step " << step << ": " << fault.what;
    }
  }
  for (const Live& entry : live) release(entry);
  EXPECT_EQ(allocator.Used(), expectedUsed());
  if (allocator.Checked()) {
    allocator.InfoAndTrace();
    EXPECT_NE(allocator.Report().find("MemoryTrace on thread"), std::string::npos);
    EXPECT_FALSE(std::regex_search(allocator.Report(),
                                   std::regex("(^|\n)(double release|unknown pointer|overrun|"
                                              "written after release|overlapping calls|leak)")))
        << "a host that keeps the contract gets no finding:\n"
        << allocator.Report();
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, RandomModel, ::testing::ValuesIn(kBackends),
                         [](const auto& info) { return info.param; });

}  // namespace
