// The diagnostics' tables come from the library's pools: this program links the library's
// operator new, which forwards to MemoryMalloc. Texts over 48 bytes take large blocks, which
// MemoryUsed counts to the byte.
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

TEST(PooledTablesTest, FirstUseOfEachFacilityTakesItsTablesFromThePools) {
  const std::string text(100, 'p');
  std::uint32_t before = MemoryUsed();
  ASSERT_NE(InternString(text.c_str()), nullptr);
  EXPECT_GE(MemoryUsed() - before, 2 * (101 + 4u)) << "the key and the value";

  FakeSymbolPlatform platform;
  platform.stack = {0x401000};
  platform.symbols = {{0x401000, {0x400000, text}}};
  CallStackCapture capture(platform);
  char out[256];
  before = MemoryUsed();
  ASSERT_EQ(capture.Capture(out, sizeof out, 1, 0), 12 + 100 + 1);
  EXPECT_GE(MemoryUsed() - before, 114 + 4u) << "the stored frame text";
}

}  // namespace
