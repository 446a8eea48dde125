// The diagnostics' tables come from the library's pools: this program links the library's
// operator new, which forwards to MemoryMalloc.
#include <gtest/gtest.h>

#include <string>

#include "fake_symbol_platform.h"
#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/string_pool.h"
#include "memcore/pool/memory_manager.h"

// The process-wide tables are never freed, and are reachable only through pointers held in
// pooled payloads, which are 4-byte aligned: the leak checker must look at such pointers too.
extern "C" const char* __lsan_default_options() { return "use_unaligned=1"; }

namespace {

// Texts longer than 48 bytes go to large blocks, which MemoryUsed counts to the byte.
constexpr std::uint32_t LargeBlock(std::size_t payload) {
  return static_cast<std::uint32_t>(payload + 4);
}

TEST(PooledTablesTest, FirstInterningTakesItsCopiesFromThePools) {
  const std::string text(100, 'p');
  const std::uint32_t before = MemoryUsed();
  ASSERT_NE(InternString(text.c_str()), nullptr);
  EXPECT_GE(MemoryUsed() - before, 2 * LargeBlock(text.size() + 1));  // key and value
}

TEST(PooledTablesTest, FirstCaptureTakesItsTablesAndTextsFromThePools) {
  FakeSymbolPlatform platform;
  const std::string name(100, 'n');
  platform.stack.push_back({0x401000, {0x401000}});
  platform.loadedModules[0x401000] = 0x400000;
  platform.names[0x401000] = name;
  platform.basesSeenByWalk.reserve(4);  // the fake allocates nothing during the capture
  CallStackCapture capture(platform);
  char out[256];
  const std::uint32_t before = MemoryUsed();
  const int length = capture.Capture(out, sizeof out, 1, 0);
  const std::uint32_t after = MemoryUsed();
  ASSERT_EQ(length, 12 + 100 + 1);
  EXPECT_GE(after - before, LargeBlock(static_cast<std::size_t>(length) + 1));  // the stored text
}

}  // namespace
