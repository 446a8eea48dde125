// The capture with the real symbol handler, on this program's own frames.
#include <gtest/gtest.h>

#include <cstdint>
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

// Checks a capture: the three functions named in this order, each with the file and line of its
// call, and every frame text in its form.
void ExpectChain(const std::string& text, const char* const (&names)[3], const std::string& file,
                 const int (&lines)[3]) {
  const std::vector<std::string> frames = SplitFrames(text);
  std::size_t next = 0;
  for (int i = 0; i < 3; ++i) {
    while (next < frames.size() && frames[next].find(names[i]) == std::string::npos) ++next;
    ASSERT_LT(next, frames.size()) << names[i] << " missing or out of order in\n" << text;
    const std::string where = file + " (" + std::to_string(lines[i]) + ")\n";
    EXPECT_NE(frames[next].find(where), std::string::npos) << frames[next];
  }
  for (const std::string& frame : frames) {
    EXPECT_TRUE(HasAddressPrefix(frame)) << frame;
    EXPECT_EQ(frame.back(), '\n') << frame;
  }
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
  ExpectChain(text, {"ChainInner", "ChainMiddle", "ChainOuter"}, "symbol_handler_test.cpp",
              chainLines);
}

#ifdef DIAGNOSTICS_PROBE
// From inside a library built like memcore.dll, whose tables come from its own pools.
TEST(SymbolHandlerTest, CaptureFromInsideTheLibraryNamesItsFramesFromPooledTables) {
  const HMODULE probe = LoadLibraryA(DIAGNOSTICS_PROBE);
  ASSERT_NE(probe, nullptr);
  const auto capture = reinterpret_cast<int (*)(char*, std::size_t, int*)>(
      reinterpret_cast<void*>(GetProcAddress(probe, "ProbeCapture")));
  const auto intern = reinterpret_cast<const char* (*)(const char*)>(
      reinterpret_cast<void*>(GetProcAddress(probe, "ProbeIntern")));
  const auto memoryUsed = reinterpret_cast<std::uint32_t (*)()>(
      reinterpret_cast<void*>(GetProcAddress(probe, "ProbeMemoryUsed")));
  ASSERT_TRUE(capture && intern && memoryUsed);

  int lines[3] = {};
  std::uint32_t before = memoryUsed();
  const int length = capture(captured, sizeof captured, lines);
  EXPECT_GT(memoryUsed(), before);
  ASSERT_GT(length, 0);
  ExpectChain(std::string(captured, static_cast<std::size_t>(length)),
              {"ProbeInner", "ProbeMiddle", "ProbeOuter"}, "diagnostics_probe.cpp", lines);

  const std::string text(100, 'p');
  before = memoryUsed();
  const char* stored = intern(text.c_str());
  EXPECT_GE(memoryUsed() - before, 2u * (101 + 4));  // key and value in large blocks
  EXPECT_EQ(intern(std::string(text).c_str()), stored);
}
#endif

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
