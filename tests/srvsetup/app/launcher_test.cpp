// Start-up, the frame and its menu, the About box and the message loop, run in this process on
// a thread of their own and driven from the test thread through real messages.
#include "srvsetup/app/launcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "srvsetup/app/about_dialog.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/french_texts.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_thread.h"

namespace {

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_ = launcher_.Frame();
    ASSERT_NE(frame_, nullptr);
    mainDialog_ = launcher_.MainDialog();
    ASSERT_NE(mainDialog_, nullptr);
    threadId_ = launcher_.ThreadId();
  }

  bool Ended(DWORD milliseconds) { return launcher_.Ended(milliseconds); }

  GameFolder folder_;
  LauncherThread launcher_;
  DWORD threadId_ = 0;
  HWND frame_ = nullptr;
  HWND mainDialog_ = nullptr;
};

TEST_F(LauncherTest, FrameHasTheFrenchTitleItsClassAndAFixedBorder) {
  EXPECT_EQ(WindowText(frame_), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_EQ(GetClassLongA(frame_, GCL_STYLE), CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(frame_, GCLP_HBRBACKGROUND)), GetStockObject(BLACK_BRUSH));
  EXPECT_NE(GetClassLongPtrA(frame_, GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrA(frame_, GCLP_HICONSM), 0);
  const LONG style = GetWindowLongA(frame_, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_NE(GetMenu(frame_), nullptr);
}

TEST_F(LauncherTest, MainDialogSitsInsideTheFrameWithItsFrenchCaptions) {
  EXPECT_EQ(GetParent(mainDialog_), frame_);
  EXPECT_TRUE(IsWindowVisible(mainDialog_));
  EXPECT_EQ(ControlText(mainDialog_, IDC_RUN_SERVER), "Lancer serveur");
  EXPECT_EQ(ControlText(mainDialog_, IDCANCEL), "Annuler");
  EXPECT_EQ(ControlText(mainDialog_, IDC_GAME_OPTIONS_GROUP), "Options partie ");
  EXPECT_EQ(GetDlgItem(mainDialog_, IDOK), nullptr);
  SaveScreenshot(frame_, "main-window");
}

TEST_F(LauncherTest, FrameSizeFollowsTheMainDialog) {
  RECT frame = {};
  RECT dialog = {};
  GetWindowRect(frame_, &frame);
  GetWindowRect(mainDialog_, &dialog);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right, dialog.right);
  EXPECT_EQ(frame.bottom, dialog.bottom);
  EXPECT_FALSE(frame.right == 640 && frame.bottom == 480);
  // The dialog starts at the frame's client origin.
  POINT origin = {0, 0};
  ClientToScreen(frame_, &origin);
  EXPECT_EQ(dialog.left, origin.x);
  EXPECT_EQ(dialog.top, origin.y);
}

TEST_F(LauncherTest, AboutOpensFromTheMenuAndClosesOnOk) {
  PostMessageA(frame_, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForDialog(threadId_, frame_);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_EQ(ControlText(about, IDC_CREATED_BY), kFrenchTexts[IDS_CREATED_BY]);
  SaveScreenshot(about, "about-dialog");
  Click(about, IDOK);
  EXPECT_TRUE(WaitUntilDestroyed(about));
  EXPECT_TRUE(IsWindow(frame_));
  EXPECT_FALSE(Ended(0));
}

TEST_F(LauncherTest, QuitClosesTheFrameWithTheDialogAndEndsWithZero) {
  PostMessageA(frame_, WM_COMMAND, IDM_QUIT, 0);
  ASSERT_TRUE(Ended(5000));
  EXPECT_EQ(launcher_.ExitCode(), 0);
  EXPECT_FALSE(IsWindow(frame_));
  EXPECT_FALSE(IsWindow(mainDialog_));
}

TEST_F(LauncherTest, SystemMenuCloseTakesTheSamePath) {
  PostMessageA(frame_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Ended(5000));
  EXPECT_EQ(launcher_.ExitCode(), 0);
  EXPECT_FALSE(IsWindow(frame_));
}

TEST_F(LauncherTest, APostedCloseEndsTheLoopWithItsWordParameter) {
  PostMessageA(frame_, WM_CLOSE, 7, 0);
  ASSERT_TRUE(Ended(5000));
  EXPECT_EQ(launcher_.ExitCode(), 7);
}

TEST_F(LauncherTest, MainDialogCancelPostsTheQuitMessage) {
  Click(mainDialog_, IDCANCEL);
  ASSERT_TRUE(Ended(5000));
  EXPECT_EQ(launcher_.ExitCode(), 0);
}

TEST_F(LauncherTest, KeysReachTheMainDialogsControlsWithoutTheDialogManager) {
  HWND name = GetDlgItem(mainDialog_, IDC_SERVER_NAME);
  // A click gives the edit the focus, as the operator's would.
  PostMessageA(name, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(name, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  // Escape would be Cancel and end the run, Return would press the default button, Tab would
  // move the focus on: without dialog-message handling each is only a key for the edit.
  for (UINT key : {VK_ESCAPE, VK_RETURN, VK_TAB}) PostKey(name, key);
  PostMessageA(name, WM_CHAR, 'x', 1);
  for (int i = 0; i < 200 && WindowText(name).find('x') == std::string::npos; ++i) Sleep(10);
  EXPECT_NE(WindowText(name).find('x'), std::string::npos);
  GUITHREADINFO focus = {};
  focus.cbSize = sizeof focus;
  ASSERT_TRUE(GetGUIThreadInfo(threadId_, &focus));
  EXPECT_EQ(focus.hwndFocus, name);
  EXPECT_FALSE(Ended(300));
}

TEST(AboutDialog, EndsWithTwoOnOkAndOnEscape) {
  {
    ModalDialog about(IDD_ABOUT, AboutDialogProc);
    ASSERT_NE(about.Window(), nullptr);
    Click(about.Window(), IDOK);
    EXPECT_EQ(about.Result(), IDCANCEL);
  }
  {
    ModalDialog about(IDD_ABOUT, AboutDialogProc);
    ASSERT_NE(about.Window(), nullptr);
    PostKey(about.Window(), VK_ESCAPE);
    EXPECT_EQ(about.Result(), IDCANCEL);
  }
}

}  // namespace
