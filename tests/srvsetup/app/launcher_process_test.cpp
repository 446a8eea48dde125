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
#include "support/launcher_process.h"

namespace {

TEST(LauncherProcess, ShowsItsFrenchFrameAndAboutAndQuitsWithZero) {
  GameFolder folder;
  // Options on the command line change nothing.
  LauncherProcess launcher(SRVSETUP_EXE, "--port 1 /quiet", folder.Path().string());
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
  LauncherProcess launcher(SRVSETUP_EXE, "", folder.Path().string());
  ASSERT_TRUE(launcher.Started());
  HWND frame = launcher.WaitForWindow(kFrameClassName);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_CLOSE, 5, 0);
  EXPECT_EQ(launcher.ExitCode(), 5);
}

}  // namespace
