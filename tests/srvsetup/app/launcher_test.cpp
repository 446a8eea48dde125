// Start-up, the frame and its menu, the About box and the message loop, run in this process on
// a thread of their own and driven from the test thread through real messages.
#include "srvsetup/app/launcher.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "srvsetup/app/about_dialog.h"
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
  }

  GameFolder folder_;
  LauncherThread launcher_;
  HWND frame_ = nullptr;
  HWND mainDialog_ = nullptr;
};

TEST_F(LauncherTest, FrenchFrameWithAFixedBorderSizedToTheMainDialogInside) {
  EXPECT_EQ(WindowText(frame_), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_EQ(GetClassLongA(frame_, GCL_STYLE), CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(frame_, GCLP_HBRBACKGROUND)), GetStockObject(BLACK_BRUSH));
  EXPECT_NE(GetClassLongPtrA(frame_, GCLP_HICON), 0);
  EXPECT_NE(GetClassLongPtrA(frame_, GCLP_HICONSM), 0);
  EXPECT_EQ(GetWindowLongA(frame_, GWL_STYLE) & (WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_POPUP | WS_MINIMIZEBOX);
  EXPECT_NE(GetMenu(frame_), nullptr);

  EXPECT_EQ(GetParent(mainDialog_), frame_);
  EXPECT_TRUE(IsWindowVisible(mainDialog_));
  EXPECT_EQ(ControlText(mainDialog_, IDC_RUN_SERVER), "Lancer serveur");
  EXPECT_EQ(ControlText(mainDialog_, IDC_GAME_OPTIONS_GROUP), "Options partie ");
  SaveScreenshot(frame_, "main-window");

  RECT frame = {}, dialog = {};
  GetWindowRect(frame_, &frame);
  GetWindowRect(mainDialog_, &dialog);
  POINT origin = {0, 0};  // the dialog starts at the frame's client origin
  ClientToScreen(frame_, &origin);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right, dialog.right);
  EXPECT_EQ(frame.bottom, dialog.bottom);
  EXPECT_EQ(dialog.left, origin.x);
  EXPECT_EQ(dialog.top, origin.y);
  EXPECT_FALSE(frame.right == 640 && frame.bottom == 480);
}

TEST_F(LauncherTest, AboutOpensFromTheMenuAndClosesOnOk) {
  PostMessageA(frame_, WM_COMMAND, IDM_ABOUT, 0);
  HWND about = WaitForDialog(launcher_.ThreadId(), frame_);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), kFrenchTexts[IDS_APP_TITLE]);
  EXPECT_EQ(ControlText(about, IDC_CREATED_BY), kFrenchTexts[IDS_CREATED_BY]);
  SaveScreenshot(about, "about-dialog");
  Click(about, IDOK);
  EXPECT_TRUE(WaitUntilDestroyed(about));
  EXPECT_TRUE(launcher_.StillRuns());
}

TEST_F(LauncherTest, KeysReachTheMainDialogsControlsWithoutTheDialogManager) {
  HWND name = GetDlgItem(mainDialog_, IDC_SERVER_NAME);
  // A click gives the edit the focus, as the operator's would.
  PostMessageA(name, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(name, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  // Escape would be Cancel and end the run, Return would press the default button, Tab would
  // move the focus on: without dialog-message handling each is only a key for the edit.
  for (UINT key : {VK_ESCAPE, VK_RETURN, VK_TAB}) PostKey(name, key);
  // The characters the loop makes of the keys may be queued behind the first marker; the second
  // shows once they too have been handled.
  for (char marker : {'x', 'y'}) {
    PostMessageA(name, WM_CHAR, static_cast<WPARAM>(marker), 1);
    for (int i = 0; i < 200 && WindowText(name).find(marker) == std::string::npos; ++i) Sleep(10);
    EXPECT_NE(WindowText(name).find(marker), std::string::npos);
  }
  GUITHREADINFO focus = {};
  focus.cbSize = sizeof focus;
  ASSERT_TRUE(GetGUIThreadInfo(launcher_.ThreadId(), &focus));
  EXPECT_EQ(focus.hwndFocus, name);
  EXPECT_TRUE(launcher_.StillRuns());
}

// Quit, the system menu's Close and the main dialog's Cancel end the run with 0 and take the
// windows with them; a WM_CLOSE posted to the frame ends the loop with its word parameter.
TEST(LauncherEnd, EveryWayOutEndsTheLoopWithItsExitCode) {
  GameFolder folder;
  for (int way = 0; way < 4; ++way) {
    LauncherThread launcher;
    HWND frame = launcher.Frame();
    ASSERT_NE(frame, nullptr);
    if (way == 0) PostMessageA(frame, WM_COMMAND, IDM_QUIT, 0);
    if (way == 1) PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (way == 2) Click(launcher.MainDialog(), IDCANCEL);
    if (way == 3) PostMessageA(frame, WM_CLOSE, 7, 0);
    ASSERT_TRUE(launcher.Ended(5000)) << way;
    EXPECT_EQ(launcher.ExitCode(), way == 3 ? 7 : 0) << way;
    if (way >= 2) continue;  // a quit message or a posted close ends the loop before the frame
    EXPECT_FALSE(IsWindow(frame)) << way;
    EXPECT_FALSE(IsWindow(launcher.MainDialog())) << way;
  }
  EXPECT_EQ(folder.Listing(), "");  // nothing is saved on the way out
}

TEST(AboutDialog, EndsWithTwoOnOkAndOnEscape) {
  for (bool escape : {false, true}) {
    ModalDialog about(IDD_ABOUT, AboutDialogProc);
    ASSERT_NE(about.Window(), nullptr);
    if (escape) PostKey(about.Window(), VK_ESCAPE);
    else Click(about.Window(), IDOK);
    EXPECT_EQ(about.Result(), IDCANCEL);
  }
}

}  // namespace
