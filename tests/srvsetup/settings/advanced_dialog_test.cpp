// The Advanced dialog on its real template, driven by clicks and typing, checked through the
// live record and the controls. What each control does to a record is pinned without a window;
// here the working copy and the dialog's own reading of its controls.
#include "srvsetup/settings/advanced_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

namespace {

bool SameRecord(const ServerSettings& a, const ServerSettings& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool IsCheckBox(HWND control) {
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  const LONG kind = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiA(className, "Button") == 0 && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX);
}

bool IsEdit(HWND control) {
  char className[16] = "";
  GetClassNameA(control, className, sizeof className);
  return lstrcmpiA(className, "Edit") == 0;
}

// Every control of the dialog with its text and check state, in window order.
std::string Shown(HWND dialog) {
  std::string shown;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    shown += std::to_string(GetDlgCtrlID(child)) + " [" + WindowText(child) + "]" +
             (IsCheckBox(child) && IsDlgButtonChecked(dialog, GetDlgCtrlID(child)) ? " checked\n" : "\n");
  }
  return shown;
}

// Types into every edit and clicks every check box.
void ChangeEveryField(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsEdit(child)) TypeText(dialog, GetDlgCtrlID(child), "7");
    if (IsCheckBox(child)) Click(dialog, GetDlgCtrlID(child));
  }
}

class AdvancedDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { g_settings.SetDefaults(); }
  void TearDown() override { g_settings.SetDefaults(); }
  ServerSettings before_;
};

TEST_F(AdvancedDialogTest, ShowsTheLiveRecordAndOkChangesNothingButTheGravityRounding) {
  g_settings.gravity = 800.123f;
  g_settings.pure = 1;
  g_settings.allowVoting = 0;
  g_settings.dmFlags = 0xC0000001u | DmNoFallingDamage | DmOldStyleSniperRifles;
  CopyTextField(g_settings.password, "s3cret");
  g_settings.gameType = Objective;
  CopyTextField(g_settings.startMap, "obj/bridge");
  before_ = g_settings;

  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ControlText(window, IDC_GRAVITY), "800.12");
  EXPECT_EQ(ControlText(window, IDC_NET_PORT), "12203");
  EXPECT_EQ(ControlText(window, IDC_PASSWORD), "s3cret");  // hidden on screen, plain in the control
  const std::pair<int, bool> boxes[] = {{IDC_PURE, true}, {IDC_ALLOW_VOTING, false}, {IDC_FLOOD_PROTECT, true},
                                        {IDC_NO_FALLING_DAMAGE, true}, {IDC_OLD_STYLE_SNIPER_RIFLES, true},
                                        {IDC_INFINITE_AMMO, false}, {IDC_AXIS_SHOTGUN, false}};
  for (const auto& [box, checked] : boxes) EXPECT_EQ(IsChecked(window, box), checked) << box;
  SaveScreenshot(window, "advanced-dialog");
  Click(window, IDOK);
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  before_.gravity = 800.12f;
  EXPECT_TRUE(SameRecord(g_settings, before_));
}

TEST_F(AdvancedDialogTest, OkAndReturnTakeTheWorkingCopyWhole) {
  g_settings.dmFlags = 0xC0000001u | DmLeanWhileRunning;
  for (bool byReturn : {false, true}) {
    ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
    HWND window = dialog.Window();
    ASSERT_NE(window, nullptr);
    TypeText(window, IDC_NET_PORT, byReturn ? "27962" : "27961");
    if (!byReturn) {
      TypeText(window, IDC_GRAVITY, "9.5");
      TypeText(window, IDC_TEAM_KILL_KICK, "12abc");
      TypeText(window, IDC_PRIVATE_CLIENTS, "");
      TypeText(window, IDC_PASSWORD, "p4ss word");
      TypeText(window, IDC_KEYWORDS, std::string(300, 'k'));
      for (int box : {IDC_NO_FALLING_DAMAGE, IDC_INFINITE_AMMO, IDC_LEAN_WHILE_RUNNING, IDC_OLD_STYLE_SNIPER_RIFLES,
                      IDC_AXIS_SHOTGUN}) {
        Click(window, box);
        Click(window, box);
      }
      for (int box : {IDC_LEAN_WHILE_RUNNING, IDC_INFINITE_AMMO, IDC_PURE, IDC_ALLOW_VOTING, IDC_FORCE_READY}) {
        Click(window, box);
      }
      Click(window, IDOK);
    } else {
      PostKey(window, VK_RETURN);
    }
    EXPECT_EQ(dialog.Result(), IDCANCEL);
  }
  EXPECT_EQ(g_settings.netPort, 27962);
  EXPECT_EQ(g_settings.gravity, 9.5f);
  EXPECT_EQ(g_settings.teamKillKick, 12);
  EXPECT_EQ(g_settings.privateClients, 0);
  EXPECT_STREQ(g_settings.password, "p4ss word");
  EXPECT_EQ(std::string(g_settings.keywords), std::string(255, 'k'));
  // Bits outside the five boxes survive any clicks.
  EXPECT_EQ(g_settings.dmFlags, 0xC0000001u | DmInfiniteAmmo);
  EXPECT_EQ(g_settings.pure, 1);
  EXPECT_EQ(g_settings.allowVoting, 0);
  EXPECT_EQ(g_settings.forceReady, 1);
  EXPECT_EQ(g_settings.floodProtect, 1);
}

TEST_F(AdvancedDialogTest, CancelEscapeAndTheCloseBoxLeaveTheLiveRecordAndTheNextOpeningAsBefore) {
  g_settings.gravity = 800.123f;  // not even rounded
  before_ = g_settings;
  std::string shownFirst;
  for (int way = 0; way < 4; ++way) {
    ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
    HWND window = dialog.Window();
    ASSERT_NE(window, nullptr);
    if (way == 0) shownFirst = Shown(window);
    EXPECT_EQ(Shown(window), shownFirst) << way;
    if (way == 3) break;
    ChangeEveryField(window);
    ASSERT_EQ(ControlText(window, IDC_NET_PORT), "7");
    if (way == 0) Click(window, IDCANCEL);
    if (way == 1) PostKey(window, VK_ESCAPE);
    if (way == 2) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(dialog.Result(), IDCANCEL) << way;
    EXPECT_TRUE(SameRecord(g_settings, before_)) << way;
  }
}

}  // namespace
