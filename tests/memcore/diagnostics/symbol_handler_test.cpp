// The capture with the real symbol handler, on this program's own frames.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/win32_symbol_platform.h"

namespace {

char captured[16384];
int capturedLength = 0;
int chainLines[3];  // the lines of the calls in ChainInner, ChainMiddle and ChainOuter

// A known chain of frames; not inlined, and each call returns to its caller.
[[gnu::noinline]] void ChainInner() {
  capturedLength = CaptureCallStack(captured, sizeof captured, 64, 0); chainLines[0] = __LINE__;
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ChainMiddle() {
  ChainInner(); chainLines[1] = __LINE__;
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ChainOuter() {
  ChainMiddle(); chainLines[2] = __LINE__;
  asm volatile("" ::: "memory");
}

// The frame texts of a capture: each starts a line that is not indented.
std::vector<std::string> SplitFrames(const std::string& text) {
  std::vector<std::string> frames;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    if (text.compare(start, 2, "\t\t") == 0 && !frames.empty()) {
      frames.back() += text.substr(start, end - start);
    } else {
      frames.push_back(text.substr(start, end - start));
    }
    start = end;
  }
  return frames;
}

bool HasAddressPrefix(const std::string& frame) {
  if (frame.size() < 12 || frame.compare(0, 2, "0x") != 0 || frame.compare(10, 2, ":\t") != 0) {
    return false;
  }
  for (std::size_t i = 2; i < 10; ++i) {
    if (!std::strchr("0123456789abcdef", frame[i])) return false;
  }
  return true;
}

TEST(SymbolHandlerTest, CaptureNamesTheChainInOrderWithFilesAndLines) {
  std::string text;
  for (int round = 0; round < 2; ++round) {  // the second from the frame-text table
    ChainOuter();
    ASSERT_GT(capturedLength, 0);
    const std::string previous = text;
    text.assign(captured, static_cast<std::size_t>(capturedLength));
    if (round == 1) {
      EXPECT_EQ(text, previous);
    }
  }
  ASSERT_EQ(std::strlen(captured), text.size());
  const std::vector<std::string> frames = SplitFrames(text);
  std::size_t next = 0;
  const char* const names[] = {"ChainInner", "ChainMiddle", "ChainOuter"};
  for (int i = 0; i < 3; ++i) {
    while (next < frames.size() && frames[next].find(names[i]) == std::string::npos) ++next;
    ASSERT_LT(next, frames.size()) << names[i] << " missing or out of order in\n" << text;
    const std::string where =
        "symbol_handler_test.cpp (" + std::to_string(chainLines[i]) + ")\n";
    EXPECT_NE(frames[next].find(where), std::string::npos) << frames[next];
  }
  for (const std::string& frame : frames) {
    EXPECT_TRUE(HasAddressPrefix(frame)) << frame;
    EXPECT_EQ(frame.back(), '\n') << frame;
  }
}

// Binding fails for good on a library that is missing or lacks the entry points.
TEST(SymbolHandlerTest, BindingNeedsTheLibraryAndAllItsEntryPoints) {
  for (const char* library : {"NO_SUCH_LIBRARY.DLL", "KERNEL32.DLL"}) {
    Win32SymbolPlatform platform(library);
    CallStackCapture capture(platform);
    char out[64] = "unchanged";
    EXPECT_EQ(capture.Capture(out, sizeof out, 8, 0), 0) << library;
    EXPECT_EQ(capture.state(), SymbolHandlerState::Failed) << library;
    EXPECT_STREQ(out, "unchanged");
  }
}

}  // namespace
