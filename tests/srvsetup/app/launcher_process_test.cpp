// The real srvsetup.exe, started as its own process in a game folder and driven through its
// windows from outside, as an operator's clicks would.
#include <gtest/gtest.h>

#include <windows.h>

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/french_texts.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_process.h"

namespace {

TEST(LauncherProcess, ShowsItsFrenchFrameAndAboutAndEndsWithTheCloseParameter) {
  GameFolder folder;
  // Options on the command line change nothing.
  LauncherProcess launcher(SRVSETUP_EXE, "--port 1 /quiet", folder.Path().string());
  ASSERT_TRUE(launcher.Started());
  HWND frame = launcher.WaitForWindow(kFrameClassName);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(WindowText(frame), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_EQ(ControlText(GetWindow(frame, GW_CHILD), IDC_USE_GAMESPY), kFrenchTexts[IDS_USE_GAMESPY]);

  PostMessageA(frame, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = launcher.WaitForWindow("#32770", frame);
  ASSERT_NE(about, nullptr);
  PostClick(about, IDOK);
  EXPECT_TRUE(WaitUntilDestroyed(about));

  PostMessageA(frame, WM_CLOSE, 5, 0);
  EXPECT_EQ(launcher.ExitCode(), 5);
  EXPECT_EQ(folder.Listing(), "");
}

}  // namespace
