// The capture with the real symbol handler, from inside a library built like memcore.dll.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/win32_symbol_platform.h"

namespace {

// Every frame text starts "0x", eight lower-case hex digits, a colon and a tab, its source line
// under it; the chain's functions come in order, each with the file and line of its call.
TEST(SymbolHandlerTest, CaptureNamesTheChainInOrderWithFilesAndLinesTheSameTwice) {
  const HMODULE probe = LoadLibraryA(DIAGNOSTICS_PROBE);
  ASSERT_NE(probe, nullptr);
  const auto capture = reinterpret_cast<int (*)(char*, std::size_t, int*)>(
      reinterpret_cast<void*>(GetProcAddress(probe, "ProbeCapture")));
  ASSERT_NE(capture, nullptr);
  static char out[16384];
  int lines[3] = {};
  std::string texts[2];  // from one call site; the second from the frame-text table
  for (std::string& text : texts) {
    const int length = capture(out, sizeof out, lines);
    ASSERT_GT(length, 0);
    ASSERT_EQ(std::strlen(out), static_cast<std::size_t>(length));
    text = out;
  }
  EXPECT_EQ(texts[1], texts[0]);
  const std::string& text = texts[0];
  EXPECT_EQ(text.back(), '\n');
  // Each line starts a frame text or is the source line under one.
  EXPECT_FALSE(std::regex_search(text, std::regex("(^|\n)(?!0x[0-9a-f]{8}:\t|\t\tin )[^\n]")));
  auto from = text.cbegin();
  const int* callLine = lines;
  for (const std::string name : {"ProbeInner", "ProbeMiddle", "ProbeOuter"}) {
    const std::regex frame(name + "[^\n]*\n\t\tin [^\n]*diagnostics_probe\\.cpp \\(" +
                           std::to_string(*callLine++) + "\\)\n");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(from, text.cend(), match, frame)) << name << " in\n" << text;
    from = match[0].second;
  }
}

// Binding fails for good on a library that is missing or lacks the entry points.
TEST(SymbolHandlerTest, BindingNeedsTheLibraryAndAllItsEntryPoints) {
  for (const char* library : {"NO_SUCH_LIBRARY.DLL", "KERNEL32.DLL"}) {
    Win32SymbolPlatform platform(library);
    CallStackCapture capture(platform);
    char text[64] = "unchanged";
    EXPECT_EQ(capture.Capture(text, sizeof text, 8, 0), 0) << library;
    EXPECT_EQ(capture.state(), SymbolHandlerState::Failed) << library;
    EXPECT_STREQ(text, "unchanged");
  }
}

}  // namespace
