// The real srvsetup.exe, started as its own process in a game folder and driven through its
// windows from outside, as an operator's clicks would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/french_texts.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (processId != search.processId || lstrcmpA(className, search.className) != 0 || !IsWindowVisible(window)) {
    return TRUE;
  }
  if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  search.found = window;
  return FALSE;
}

class LauncherProcess {
 public:
  explicit LauncherProcess(const std::string& arguments, const std::string& directory) {
    std::string commandLine = "\"" SRVSETUP_EXE "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(SRVSETUP_EXE, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              directory.c_str(), &startup, &process_);
  }
  ~LauncherProcess() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  bool Started() const { return started_; }

  HWND WaitForWindow(const char* className, HWND owner = nullptr) const {
    WindowSearch search{process_.dwProcessId, className, owner, nullptr};
    for (int i = 0; i < 1000 && search.found == nullptr; ++i) {
      EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
      if (search.found == nullptr) Sleep(10);
    }
    return search.found;
  }

  // The exit code, or -1 when the process is still running after the wait.
  int ExitCode(DWORD milliseconds = 10000) const {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  PROCESS_INFORMATION process_ = {};
  bool started_ = false;
};

TEST(LauncherProcess, ShowsItsFrenchFrameAndAboutAndQuitsWithZero) {
  GameFolder folder;
  // Options on the command line change nothing.
  LauncherProcess launcher("--port 1 /quiet", folder.Path().string());
  ASSERT_TRUE(launcher.Started());
  HWND frame = launcher.WaitForWindow(kFrameClassName);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WindowText(frame), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_NE(GetMenu(frame), nullptr);
  HWND mainDialog = GetWindow(frame, GW_CHILD);
  ASSERT_NE(mainDialog, nullptr);
  EXPECT_EQ(ControlText(mainDialog, IDC_RUN_SERVER), kFrenchTexts[IDS_RUN_SERVER]);
  EXPECT_EQ(ControlText(mainDialog, IDC_USE_GAMESPY), kFrenchTexts[IDS_USE_GAMESPY]);

  PostMessageA(frame, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = launcher.WaitForWindow("#32770", frame);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), kFrenchTexts[IDS_APP_TITLE]);
  PostClick(about, IDOK);
  EXPECT_TRUE(WaitUntilDestroyed(about));

  PostMessageA(frame, WM_COMMAND, IDM_QUIT, 0);
  EXPECT_EQ(launcher.ExitCode(), 0);
  // Nothing is saved on Quit.
  EXPECT_EQ(folder.Listing(), "");
}

TEST(LauncherProcess, APostedCloseGivesItsWordParameterAsTheExitCode) {
  GameFolder folder;
  LauncherProcess launcher("", folder.Path().string());
  ASSERT_TRUE(launcher.Started());
  HWND frame = launcher.WaitForWindow(kFrameClassName);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_CLOSE, 5, 0);
  EXPECT_EQ(launcher.ExitCode(), 5);
}

}  // namespace
