// A file named like the symbol handler lies beside this program; the capture must bind the
// system's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/win32_symbol_platform.h"

namespace {

bool PlantedLibraryLoaded() { return GetEnvironmentVariableA("PLANTED_LIBRARY_LOADED", nullptr, 0) != 0; }

TEST(PlantedLibraryTest, TheSymbolHandlerComesFromTheSystemFolder) {
  Win32SymbolPlatform platform;
  CallStackCapture capture(platform);
  char text[4096];
  EXPECT_GT(capture.Capture(text, sizeof text, 4, 0), 0);
  EXPECT_EQ(capture.state(), SymbolHandlerState::Ready);
  EXPECT_FALSE(PlantedLibraryLoaded());

  // The planted file is really there, beside this program.
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  ASSERT_GT(length, 0u);
  std::string planted(path, length);
  planted.replace(planted.find_last_of('\\') + 1, std::string::npos, "IMAGEHLP.DLL");
  EXPECT_NE(GetFileAttributesA(planted.c_str()), INVALID_FILE_ATTRIBUTES) << planted;
}

}  // namespace
