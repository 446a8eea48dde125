// The diagnostics when the heap runs dry: null or a result without its table entry, never a
// crash. This program replaces the global allocation operators to make the heap run dry.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <new>
#include <string>

#include "fake_symbol_platform.h"
#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/string_pool.h"

namespace {

int allocationsLeft = INT_MAX;  // below 0 the heap is dry

void* Allocate(std::size_t size) {
  return allocationsLeft-- > 0 ? std::malloc(size ? size : 1) : nullptr;
}

// The call's result with a heap that fails every allocation after the first `allowed`.
template <typename Call>
auto WithHeapDryAfter(int allowed, Call call) {
  allocationsLeft = allowed;
  const auto result = call();
  allocationsLeft = INT_MAX;
  return result;
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* memory = Allocate(size)) return memory;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

// Whichever allocation fails, each facility gives null or its full result, and works on as
// sound once the heap is back. Texts over 15 bytes live outside the string objects.
TEST(ExhaustedHeapTest, EachFailingAllocationGivesNullOrAResultNotKept) {
  const std::string text(60, 'k');
  const std::string frames = "0x00401000:\t" + text + "\n0x00402000:\t" + text + "\n";
  std::vector<int> nameLookups;  // 4 when no frame text was kept, 2 when both were
  for (int allowed = 0; allowed < 12; ++allowed) {
    SCOPED_TRACE(allowed);
    StringPool pool;
    const char* stored = WithHeapDryAfter(allowed, [&] { return pool.Intern(text.c_str()); });
    EXPECT_EQ(pool.Intern(text.c_str()), text);
    EXPECT_TRUE(stored == nullptr || stored == pool.Intern(text.c_str()));

    FakeSymbolPlatform platform;
    platform.stack = {0x401000, 0x402000};
    platform.symbols = {{0x401000, {0x400000, text}}, {0x402000, {0x400000, text}}};
    CallStackCapture capture(platform);
    EXPECT_EQ(WithHeapDryAfter(allowed, [&] { return capture.GetFrameModuleBase(0, 0x401000); }),
              0x400000u);
    EXPECT_EQ(capture.GetFrameModuleBase(0, 0x401000), 0x400000u);
    char out[256];
    EXPECT_EQ(WithHeapDryAfter(allowed, [&] { return capture.Capture(out, sizeof out, 2, 0); }),
              static_cast<int>(frames.size()));
    EXPECT_EQ(out, frames);
    EXPECT_EQ(capture.Capture(out, sizeof out, 2, 0), static_cast<int>(frames.size()));
    EXPECT_EQ(out, frames);
    nameLookups.push_back(platform.nameLookups);
  }
  EXPECT_EQ(nameLookups.front(), 4);
  EXPECT_EQ(nameLookups.back(), 2);
}

}  // namespace
