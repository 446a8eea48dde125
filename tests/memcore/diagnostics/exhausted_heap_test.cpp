// The diagnostics when the heap runs dry: null or the text without its table entry, never a
// crash. This program replaces the global allocation operators to make the heap run dry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "fake_symbol_platform.h"
#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/string_pool.h"

namespace {

bool heapRunsDry = false;
int allocationsLeft = 0;

bool HeapIsDry() { return heapRunsDry && allocationsLeft-- <= 0; }

// Runs call with a heap that fails every allocation after the first `allowed`.
template <typename Call>
auto WithHeapDryAfter(int allowed, Call call) {
  allocationsLeft = allowed;
  heapRunsDry = true;
  const auto result = call();
  heapRunsDry = false;
  return result;
}

}  // namespace

void* operator new(std::size_t size) {
  void* memory = HeapIsDry() ? nullptr : std::malloc(size ? size : 1);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return HeapIsDry() ? nullptr : std::malloc(size ? size : 1);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

TEST(ExhaustedHeapTest, InterningGivesNullUntilThePoolCanGrowAndLeavesItSound) {
  const std::string text(60, 'k');  // stored outside the string object
  for (int allowed = 0;; ++allowed) {
    ASSERT_LT(allowed, 10);
    StringPool pool;
    const char* stored = WithHeapDryAfter(allowed, [&] { return pool.Intern(text.c_str()); });
    if (stored != nullptr) {
      EXPECT_GE(allowed, 3) << "a table and two copies";
      EXPECT_EQ(stored, text);
      break;
    }
    stored = pool.Intern(text.c_str());
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored, text);
    EXPECT_EQ(pool.Intern(text.c_str()), stored);
  }
}

TEST(ExhaustedHeapTest, CaptureWritesItsFramesEvenWhenItsTablesCannotGrow) {
  const std::string name(40, 'n');
  const std::string expected = "0x00401000:\t" + name + "\n0x00402000:\t" + name + "\n";
  std::vector<int> nameLookups;  // by allowance: 4 when nothing was kept, 2 when all was
  for (int allowed = 0; allowed < 12; ++allowed) {
    SCOPED_TRACE(allowed);
    FakeSymbolPlatform platform;
    for (Address pc : {0x401000u, 0x402000u}) {
      platform.stack.push_back({pc, {pc + 1, pc + 2}});
      platform.loadedModules[pc] = platform.loadedModules[pc + 1] = 0x400000;
      platform.names[pc] = name;
    }
    platform.basesSeenByWalk.reserve(16);  // the fake must not allocate while the heap is dry
    CallStackCapture capture(platform);
    char out[256];
    const int length =
        WithHeapDryAfter(allowed, [&] { return capture.Capture(out, sizeof out, 2, 0); });
    EXPECT_EQ(std::string(out, static_cast<std::size_t>(length)), expected);
    EXPECT_EQ(capture.Capture(out, sizeof out, 2, 0), length);
    EXPECT_EQ(out, expected);
    EXPECT_EQ(platform.basesSeenByWalk,
              (std::vector<Address>{0x400000, 0, 0x400000, 0, 0x400000, 0, 0x400000, 0}));
    nameLookups.push_back(platform.nameLookups);
  }
  EXPECT_EQ(nameLookups.front(), 4);
  EXPECT_EQ(nameLookups.back(), 2);
}

}  // namespace
