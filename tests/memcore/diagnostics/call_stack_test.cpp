#include "memcore/diagnostics/call_stack.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "fake_symbol_platform.h"

namespace {

constexpr char kSentinel = '#';
constexpr Address kModule = 0x00400000;

class CallStackCaptureTest : public ::testing::Test {
 protected:
  // Captures into a buffer of sentinels and returns the text, checked against the result.
  std::string Capture(int maxFrames, int skipFrames, std::size_t size = sizeof buffer) {
    std::memset(buffer, kSentinel, sizeof buffer);
    result = capture.Capture(buffer, size, maxFrames, skipFrames);
    if (result == 0) return std::string();
    EXPECT_EQ(std::strlen(buffer), static_cast<std::size_t>(result));
    return std::string(buffer, static_cast<std::size_t>(result));
  }
  bool UntouchedFrom(std::size_t offset) const {
    for (std::size_t i = offset; i < sizeof buffer; ++i) {
      if (buffer[i] != kSentinel) return false;
    }
    return true;
  }
  // A frame in a module that the symbol handler has loaded; a name of "" has no symbol.
  void Push(Address pc, const std::string& name, const char* file = nullptr, int line = 0) {
    platform.stack.push_back({pc, {}});
    platform.loadedModules[pc] = kModule;
    if (!name.empty()) platform.names[pc] = name;
    if (file != nullptr) platform.lines[pc] = {file, static_cast<std::uint32_t>(line)};
  }
  void PushChain() {
    Push(0x401000, "First");
    Push(0x402000, "Second");
    Push(0x403000, "Third");
  }

  FakeSymbolPlatform platform;
  CallStackCapture capture{platform};
  char buffer[512];
  int result = 0;
};

TEST_F(CallStackCaptureTest, FirstCaptureBindsOnceAddingUndecoratedNamesAndLines) {
  PushChain();
  EXPECT_EQ(Capture(0, 0), "");
  EXPECT_EQ(Capture(-3, 1), "");
  EXPECT_TRUE(UntouchedFrom(0));
  EXPECT_EQ(capture.state(), SymbolHandlerState::Ready);
  EXPECT_EQ(platform.options, 0x10212u);
  EXPECT_EQ(platform.bindCalls, 1);
  EXPECT_EQ(platform.initializeCalls, 1);
  EXPECT_EQ(platform.walkSteps, 0);
}

TEST_F(CallStackCaptureTest, BindingFailureSwitchesTheCaptureOffForGood) {
  PushChain();
  platform.binds = false;
  EXPECT_EQ(Capture(3, 0), "");
  EXPECT_EQ(Capture(3, 0), "");
  EXPECT_TRUE(UntouchedFrom(0));
  EXPECT_EQ(capture.state(), SymbolHandlerState::Failed);
  EXPECT_EQ(platform.bindCalls, 1);
  EXPECT_EQ(platform.initializeCalls, 0);
}

TEST_F(CallStackCaptureTest, InitializeFailureWritesItsLineOnceThenNothing) {
  PushChain();
  platform.initializes = false;
  EXPECT_EQ(Capture(0, 0), "failed, SymInitialize() == 0\n");
  EXPECT_EQ(result, 29);
  EXPECT_EQ(Capture(3, 0), "");
  EXPECT_TRUE(UntouchedFrom(0));
  EXPECT_EQ(platform.bindCalls, 1);
  EXPECT_EQ(platform.initializeCalls, 1);
  EXPECT_EQ(platform.walkSteps, 0);
}

TEST_F(CallStackCaptureTest, MissingContextGivesNothingAndTheNextCaptureTriesAgain) {
  PushChain();
  platform.hasContext = false;
  EXPECT_EQ(Capture(3, 0), "");
  EXPECT_TRUE(UntouchedFrom(0));
  EXPECT_EQ(capture.state(), SymbolHandlerState::Ready);
  platform.hasContext = true;
  EXPECT_EQ(Capture(1, 0), "0x00401000:\tFirst\n");
}

TEST_F(CallStackCaptureTest, SkippedStepsWriteNothingAndTheLimitBoundsTheWalk) {
  PushChain();
  Push(0x404000, "Fourth");
  EXPECT_EQ(Capture(2, 1), "0x00402000:\tSecond\n0x00403000:\tThird\n");
  EXPECT_EQ(platform.walkSteps, 3);
  // A negative skip lowers the step limit and skips nothing.
  EXPECT_EQ(Capture(3, -1), "0x00401000:\tFirst\n0x00402000:\tSecond\n");
  // Counts whose sum leaves 32 bits walk the whole stack.
  EXPECT_EQ(Capture(INT_MAX, 3), "0x00404000:\tFourth\n");
}

TEST_F(CallStackCaptureTest, SkippingTheWholeWalkLeavesOutUntouched) {
  PushChain();
  EXPECT_EQ(Capture(4, 3), "");
  EXPECT_EQ(Capture(1, 10), "");
  EXPECT_TRUE(UntouchedFrom(0));
}

TEST_F(CallStackCaptureTest, ZeroProgramCountersUseUpStepsWithoutText) {
  platform.stack.push_back({0, {}});
  Push(0x401000, "First");
  platform.stack.push_back({0, {}});
  Push(0x402000, "Second");
  EXPECT_EQ(Capture(2, 0), "0x00401000:\tFirst\n");
  EXPECT_EQ(Capture(2, 1), "0x00401000:\tFirst\n");
  EXPECT_EQ(Capture(4, 0), "0x00401000:\tFirst\n0x00402000:\tSecond\n");
}

TEST_F(CallStackCaptureTest, FrameTextsHaveTheirThreeFormsByteForByte) {
  Push(0x0040a1b2, "ChainInner", "C:\\src\\chain.cpp", 42);
  Push(0x00000abc, "ChainMiddle");
  Push(0xfedcba98, "");
  platform.stack.push_back({0x7fff0000, {}});  // in no module the handler has
  EXPECT_EQ(Capture(4, 0),
            "0x0040a1b2:\tChainInner\n\t\tin C:\\src\\chain.cpp (42)\n"
            "0x00000abc:\tChainMiddle\n"
            "0xfedcba98:\tname unavailable - SymGetSymFromAddr() failed\n"
            "0x7fff0000:\tname unavailable - SymGetModuleInfo() failed\n");
}

TEST_F(CallStackCaptureTest, RepeatedCapturesCopyTheStoredTextsFailuresIncluded) {
  Push(0x401000, "First", "a.cpp", 7);
  Push(0x402000, "");
  const std::string first = Capture(2, 0);
  const int lookups = platform.nameLookups;
  platform.names[0x401000] = "Renamed";
  platform.names[0x402000] = "NowKnown";
  EXPECT_EQ(Capture(2, 0), first);
  EXPECT_EQ(platform.nameLookups, lookups);
  // The table is keyed by process as well as by address.
  platform.process = 0x1234;
  EXPECT_EQ(Capture(1, 0), "0x00401000:\tRenamed\n\t\tin a.cpp (7)\n");
}

TEST_F(CallStackCaptureTest, TextEndsAtTheLastWholeFrameThatFits) {
  PushChain();  // frame texts of 18, 19 and 18 characters
  for (int round = 0; round < 2; ++round) {  // formatted, then from the table
    SCOPED_TRACE(round);
    EXPECT_EQ(Capture(3, 0, 38), "0x00401000:\tFirst\n0x00402000:\tSecond\n");
    EXPECT_TRUE(UntouchedFrom(38));
    EXPECT_EQ(Capture(3, 0, 37), "0x00401000:\tFirst\n");
    EXPECT_TRUE(UntouchedFrom(37));
    EXPECT_EQ(Capture(3, 0, 18), "");
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_TRUE(UntouchedFrom(18));
    EXPECT_EQ(Capture(3, 0, 0), "");
    EXPECT_TRUE(UntouchedFrom(0));
  }
  EXPECT_EQ(capture.Capture(nullptr, 100, 3, 0), 0);
}

TEST_F(CallStackCaptureTest, InitializeFailureLineIsNotCut) {
  platform.initializes = false;
  EXPECT_EQ(Capture(1, 0, 29), "");
  EXPECT_TRUE(UntouchedFrom(0));
}

TEST_F(CallStackCaptureTest, ModuleIsFoundInTheHandlerOrLoadedFromItsFileClosedAfterwards) {
  platform.loadedModules[0x401234] = kModule;
  EXPECT_EQ(capture.GetFrameModuleBase(platform.process, 0x401234), kModule);
  EXPECT_EQ(platform.regionQueries, 0);
  platform.allocationBases[0x20001234] = 0x20000000;
  platform.modulePaths[0x20000000] = "C:\\game\\server.dll";
  EXPECT_EQ(capture.GetFrameModuleBase(platform.process, 0x20001234), platform.loadedBase);
  EXPECT_EQ(platform.fileEvents,
            (std::vector<std::string>{"open C:\\game\\server.dll",
                                      "load 68 C:\\game\\server.dll 536870912", "close 68"}));
  // A file that cannot be opened is left to the handler to open by its path.
  platform.filesOpen = false;
  platform.fileEvents.clear();
  EXPECT_EQ(capture.LoadFrameModule(platform.process, 0x20001234), platform.loadedBase);
  EXPECT_EQ(platform.fileEvents,
            (std::vector<std::string>{"open C:\\game\\server.dll",
                                      "load 0 C:\\game\\server.dll 536870912"}));
}

TEST_F(CallStackCaptureTest, ModuleBasesAreAskedOncePerAddressZeroIncluded) {
  platform.allocationBases[0x30000010] = 0x30000000;  // a region with no module file
  platform.stack.push_back({0x401000, {0x30000010, 0x50000000, 0x30000010}});
  platform.stack.push_back({0x402000, {0x50000000}});
  Capture(2, 0);
  Capture(2, 0);
  EXPECT_EQ(platform.basesSeenByWalk, std::vector<Address>(8, 0));
  EXPECT_EQ(platform.regionQueries, 2);
  EXPECT_TRUE(platform.fileEvents.empty());
}

#ifndef _WIN32
TEST(ProcessCallStackTest, WithoutASymbolHandlerTheCaptureGivesNothing) {
  char out[64] = "unchanged";
  EXPECT_EQ(CaptureCallStack(out, sizeof out, 10, 0), 0);
  EXPECT_STREQ(out, "unchanged");
}
#endif

}  // namespace
