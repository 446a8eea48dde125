// The server start in this process: the script, the process with its fixed values (seen by a
// probe put in place of the server) and the close of the frame, over a game folder.
#include "srvsetup/launch/run_server.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "srvsetup/app/launcher_state.h"
#include "support/game_folder.h"
#include "support/launcher_process.h"

namespace {

int closeRequests = 0;

// Stands in for the frame: counts the closes and stays.
LRESULT CALLBACK CountingFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
  ++closeRequests;
  return 0;
}

class RunServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = CountingFrameProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.lpszClassName = "RunServerTestFrame";
    RegisterClassA(&frameClass);
    g_frame = CreateWindowA("RunServerTestFrame", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(g_frame, nullptr);
    closeRequests = 0;
    g_settings.SetDefaults();
    CopyTextField(g_settings.startMap, "dm/cellar");
  }

  void TearDown() override {
    // The server started has ended before the folder goes.
    EXPECT_TRUE(StartedServersEnded());
    DestroyWindow(g_frame);
    g_frame = nullptr;
    UnregisterClassA("RunServerTestFrame", GetModuleHandleA(nullptr));
    g_settings.SetDefaults();
  }

  void InstallProbe() {
    ASSERT_TRUE(CopyFileA(PROBE_EXE, (folder_.Path() / "zeb_brightfen_server.exe").string().c_str(), FALSE));
  }

  // Whether every server this process started has ended within the wait. A process that
  // CreateProcess has returned is listed until it ends, and the probe's log is complete by then.
  static bool StartedServersEnded() {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!DescendantProcesses(GetCurrentProcessId(), kServerExecutable).empty()) {
      if (GetTickCount64() >= deadline) return false;
      Sleep(20);
    }
    return true;
  }

  // The probe's log once it is complete; empty when none comes within the wait.
  std::string ProbeLog() {
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!folder_.Exists("start-probe.log") && GetTickCount64() < deadline) Sleep(20);
    return folder_.ReadFile("start-probe.log");
  }

  GameFolder folder_;
};

TEST_F(RunServerTest, StartsTheServerHereWithItsFixedValuesThenClosesTheFrame) {
  folder_.MakeDirectory("mainex");
  InstallProbe();
  SetEnvironmentVariableA("SRVSETUP_PROBE", "the launcher's own");
  RunServer(nullptr);
  SetEnvironmentVariableA("SRVSETUP_PROBE", nullptr);
  EXPECT_EQ(closeRequests, 1);
  EXPECT_EQ(folder_.ReadFile("mainex/server.cfg").rfind("// Server Name\r\n", 0), 0u);
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  EXPECT_EQ(ProbeLog(), std::string("command line: [ +exec server.cfg]\nworking directory: [") + directory +
                            "]\nstartup flags: 1\n"  // STARTF_USESHOWWINDOW
                            "show command: 5\n"      // SW_SHOW
                            "priority class: 0x20\nenvironment: [the launcher's own]\n");
}

TEST_F(RunServerTest, WithoutAScriptNothingStartsAndWithoutAServerTheFrameClosesAllTheSame) {
  InstallProbe();
  RunServer(nullptr);  // no mainex at all
  folder_.WriteFile("mainex", "a file where the folder should be");
  RunServer(nullptr);
  EXPECT_EQ(closeRequests, 0);
  ASSERT_TRUE(StartedServersEnded());
  EXPECT_FALSE(folder_.Exists("start-probe.log"));
  EXPECT_EQ(folder_.ReadFile("mainex"), "a file where the folder should be");

  ASSERT_TRUE(DeleteFileA("zeb_brightfen_server.exe") && DeleteFileA("mainex"));
  folder_.MakeDirectory("mainex");
  RunServer(nullptr);
  EXPECT_EQ(closeRequests, 1);
  EXPECT_TRUE(folder_.Exists("mainex/server.cfg"));
}

}  // namespace
