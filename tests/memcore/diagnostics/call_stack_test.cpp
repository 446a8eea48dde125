#include "memcore/diagnostics/call_stack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <string>

#include "fake_symbol_platform.h"

namespace {

constexpr char kSentinel = '#';
const std::string kFirst = "0x00401000:\tFirst\n";
const std::string kSecond = "0x00402000:\tSecond\n";
const std::string kThird = "0x00403000:\tThird\n";

class CallStackCaptureTest : public ::testing::Test {
 protected:
  CallStackCaptureTest() { Reset(); }
  // A fresh capture over a stack of three named frames.
  void Reset() {
    platform = FakeSymbolPlatform{};
    platform.stack = {0x401000, 0x402000, 0x403000};
    platform.symbols = {{0x401000, {0x400000, "First"}},
                        {0x402000, {0x400000, "Second"}},
                        {0x403000, {0x400000, "Third"}}};
    capture.emplace(platform);
  }
  // Captures into a buffer of sentinels; the text, checked against the result.
  std::string Capture(int maxFrames, int skipFrames, std::size_t size = sizeof buffer) {
    std::memset(buffer, kSentinel, sizeof buffer);
    const int length = capture->Capture(buffer, size, maxFrames, skipFrames);
    EXPECT_EQ(length == 0 ? 0 : std::strlen(buffer), static_cast<std::size_t>(length));
    return std::string(buffer, static_cast<std::size_t>(length));
  }
  bool UntouchedFrom(std::size_t offset) const {
    return std::all_of(buffer + offset, std::end(buffer), [](char c) { return c == kSentinel; });
  }

  FakeSymbolPlatform platform;
  std::optional<CallStackCapture> capture;
  char buffer[512];
};

// The first capture binds. A missing library or entry point, or a failing initialisation, turns
// the capture off for good; a missing context fails that capture only.
TEST_F(CallStackCaptureTest, TheSymbolHandlerStateDecidesEachCapture) {
  const std::string chain = kFirst + kSecond + kThird;
  const struct {
    bool binds, initializes, hasContext;
    std::size_t size;
    std::string first, second;
    SymbolHandlerState state;
  } cases[] = {
      {true, true, true, 512, chain, chain, SymbolHandlerState::Ready},
      {true, true, false, 512, "", chain, SymbolHandlerState::Ready},
      {false, true, true, 512, "", "", SymbolHandlerState::Failed},
      {true, false, true, 512, "failed, SymInitialize() == 0\n", "", SymbolHandlerState::Failed},
      {true, false, true, 29, "", "", SymbolHandlerState::Failed},  // the line is not cut
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    Reset();
    platform.binds = c.binds;
    platform.initializes = c.initializes;
    platform.hasContext = c.hasContext;
    EXPECT_EQ(Capture(3, 0, c.size), c.first);
    EXPECT_TRUE(UntouchedFrom(c.first.empty() ? 0 : c.first.size() + 1));
    platform.hasContext = true;
    EXPECT_EQ(Capture(3, 0), c.second);
    EXPECT_TRUE(!c.second.empty() || UntouchedFrom(0));
    EXPECT_EQ(capture->state(), c.state);
    EXPECT_EQ(platform.bindCalls, 1);
    EXPECT_EQ(platform.initializeCalls, c.binds ? 1 : 0);
    EXPECT_EQ(platform.options, c.binds ? 0x10212u : 0x10200u) << "undecorated names and lines";
    EXPECT_TRUE(c.state == SymbolHandlerState::Ready || platform.walkSteps == 0);
  }
}

// maxFrames + skipFrames steps at most, even past 32 bits; skipped steps and zero program
// counters write nothing.
TEST_F(CallStackCaptureTest, TheWalkStepsAreBoundedSkippedAndUsedUpByZeroCounters) {
  platform.stack = {0x401000, 0, 0x402000, 0x403000};
  const struct {
    int maxFrames, skipFrames;
    std::string text;
    int steps;
  } cases[] = {{0, 0, "", 0},           {-3, 1, "", 0},
               {2, 0, kFirst, 2},       {3, -1, kFirst, 2},
               {1, 1, "", 2},           {2, 2, kSecond + kThird, 4},
               {1, 4, "", 5},           {1, 10, "", 5},
               {INT_MAX, 3, kThird, 5}, {9, 0, kFirst + kSecond + kThird, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.maxFrames) + " frames after " + std::to_string(c.skipFrames));
    platform.walkSteps = 0;
    EXPECT_EQ(Capture(c.maxFrames, c.skipFrames), c.text);
    EXPECT_EQ(platform.walkSteps, c.steps);
    EXPECT_TRUE(!c.text.empty() || UntouchedFrom(0));
    EXPECT_EQ(capture->state(), SymbolHandlerState::Ready) << "bound even by a walk of no step";
  }
}

// The table keeps each text, a failed lookup's too, for the process and address it was made for.
TEST_F(CallStackCaptureTest, FrameTextsHaveThreeFormsByteForByteAndAreKept) {
  platform.stack = {0x0040a1b2, 0x00000abc, 0xfedcba98, 0x7fff0000};
  platform.symbols = {{0x0040a1b2, {0x400000, "ChainInner", "C:\\src\\chain.cpp", 42}},
                      {0x00000abc, {0x400000, "ChainMiddle"}},
                      {0xfedcba98, {0x400000, ""}}};
  const std::string texts =
      "0x0040a1b2:\tChainInner\n\t\tin C:\\src\\chain.cpp (42)\n"
      "0x00000abc:\tChainMiddle\n"
      "0xfedcba98:\tname unavailable - SymGetSymFromAddr() failed\n"
      "0x7fff0000:\tname unavailable - SymGetModuleInfo() failed\n";
  EXPECT_EQ(Capture(4, 0), texts);
  const int lookups = platform.nameLookups;
  platform.symbols[0x00000abc].name = "Renamed";
  platform.symbols[0xfedcba98].name = "NowKnown";
  platform.symbols[0x7fff0000] = {0x7fff0000, "NowLoaded"};
  EXPECT_EQ(Capture(4, 0), texts);
  EXPECT_EQ(platform.nameLookups, lookups);
  platform.process = 0x1234;
  EXPECT_EQ(Capture(2, 0),
            "0x0040a1b2:\tChainInner\n\t\tin C:\\src\\chain.cpp (42)\n"
            "0x00000abc:\tRenamed\n");
}

TEST_F(CallStackCaptureTest, TextEndsAtTheLastWholeFrameThatFits) {
  for (int round = 0; round < 2; ++round) {  // formatted, then from the table
    for (std::size_t size : {38, 37, 18, 0}) {
      SCOPED_TRACE(size);
      EXPECT_EQ(Capture(3, 0, size), size == 38 ? kFirst + kSecond : size == 37 ? kFirst : "");
      EXPECT_TRUE(UntouchedFrom(size));
      EXPECT_TRUE(size != 18 || buffer[0] == '\0') << "a frame cut short is taken back";
    }
  }
  EXPECT_EQ(capture->Capture(nullptr, 100, 3, 0), 0);
}

TEST_F(CallStackCaptureTest, ModuleBasesAreFoundOrLoadedOncePerAddressZeroIncluded) {
  platform.allocationBases = {{0x20001234, 0x20000000}, {0x30000010, 0x30000000}};
  platform.modulePaths = {{0x20000000, "C:\\game\\server.dll"}};  // none for 0x30000000
  const std::pair<Address, Address> bases[] = {
      {0x401000, 0x400000}, {0x20001234, 0x10000000}, {0x30000010, 0}, {0x50000000, 0}};
  for (int round = 0; round < 2; ++round) {
    for (const auto& [address, base] : bases) {
      EXPECT_EQ(capture->GetFrameModuleBase(platform.process, address), base) << address;
    }
  }
  EXPECT_EQ(platform.regionQueries, 3) << "none for the handler's own modules";
  const std::vector<std::string> loaded = {"open C:\\game\\server.dll",
                                           "load 68 C:\\game\\server.dll 536870912", "close 68"};
  EXPECT_EQ(platform.fileEvents, loaded);
  platform.filesOpen = false;  // the handler then opens the file by its path
  platform.fileEvents.clear();
  EXPECT_EQ(capture->LoadFrameModule(platform.process, 0x20001234), 0x10000000u);
  EXPECT_EQ(platform.fileEvents,
            (std::vector<std::string>{"open C:\\game\\server.dll",
                                      "load 0 C:\\game\\server.dll 536870912"}));
}

#ifndef _WIN32
TEST(ProcessCallStackTest, WithoutASymbolHandlerTheCaptureGivesNothing) {
  char out[64] = "unchanged";
  EXPECT_EQ(CaptureCallStack(out, sizeof out, 10, 0), 0);
  EXPECT_STREQ(out, "unchanged");
}
#endif

}  // namespace
