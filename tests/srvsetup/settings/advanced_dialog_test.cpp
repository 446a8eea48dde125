// The Advanced dialog on its real template, driven by clicks and typing, checked through the
// live record and the controls.
#include "srvsetup/settings/advanced_dialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

namespace {

bool SameRecord(const ServerSettings& a, const ServerSettings& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class AdvancedDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { g_settings.SetDefaults(); }
  void TearDown() override { g_settings.SetDefaults(); }

  // A snapshot of the live record, to compare against after the dialog.
  void Remember() { before_ = g_settings; }

  ServerSettings before_;
};

TEST_F(AdvancedDialogTest, ShowsTheLiveRecordAndOkChangesNothingButTheGravityRounding) {
  g_settings.gravity = 800.123f;
  g_settings.netPort = 27960;
  g_settings.pure = 1;
  g_settings.allowVoting = 0;
  g_settings.dmFlags = 0x80000000u | DmNoFallingDamage | DmOldStyleSniperRifles;
  CopyTextField(g_settings.password, "s3cret");
  CopyTextField(g_settings.keywords, "fr casual");
  g_settings.gameType = Objective;
  CopyTextField(g_settings.startMap, "obj/bridge");
  Remember();

  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(ControlText(window, IDC_GRAVITY), "800.12");
  EXPECT_EQ(ControlText(window, IDC_NET_PORT), "27960");
  EXPECT_EQ(ControlText(window, IDC_INVULNERABLE_TIME), "3");
  EXPECT_EQ(ControlText(window, IDC_ALLOW_JOIN_TIME), "30");
  EXPECT_EQ(ControlText(window, IDC_PASSWORD), "s3cret");  // hidden on screen, plain in the control
  EXPECT_EQ(ControlText(window, IDC_KEYWORDS), "fr casual");
  EXPECT_TRUE(IsChecked(window, IDC_PURE));
  EXPECT_FALSE(IsChecked(window, IDC_ALLOW_VOTING));
  EXPECT_TRUE(IsChecked(window, IDC_FLOOD_PROTECT));
  EXPECT_TRUE(IsChecked(window, IDC_NO_FALLING_DAMAGE));
  EXPECT_TRUE(IsChecked(window, IDC_OLD_STYLE_SNIPER_RIFLES));
  EXPECT_FALSE(IsChecked(window, IDC_INFINITE_AMMO));
  EXPECT_FALSE(IsChecked(window, IDC_AXIS_SHOTGUN));
  SaveScreenshot(window, "advanced-dialog");

  Click(window, IDOK);
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  before_.gravity = 800.12f;
  EXPECT_TRUE(SameRecord(g_settings, before_));
}

TEST_F(AdvancedDialogTest, OkTakesWhatWasTyped) {
  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  TypeText(window, IDC_GRAVITY, "9,81");
  TypeText(window, IDC_TEAM_KILL_KICK, "12abc");
  TypeText(window, IDC_PRIVATE_CLIENTS, "");
  TypeText(window, IDC_PASSWORD, "p4ss word");
  TypeText(window, IDC_KEYWORDS, std::string(300, 'k'));
  Click(window, IDOK);
  EXPECT_EQ(dialog.Result(), IDCANCEL);

  EXPECT_EQ(g_settings.gravity, 9.0f);
  EXPECT_EQ(g_settings.teamKillKick, 12);
  EXPECT_EQ(g_settings.privateClients, 0);
  EXPECT_STREQ(g_settings.password, "p4ss word");
  EXPECT_EQ(std::string(g_settings.keywords), std::string(255, 'k'));
  EXPECT_EQ(g_settings.netPort, 12203);
}

TEST_F(AdvancedDialogTest, CancelEscapeAndTheCloseBoxLeaveTheLiveRecord) {
  g_settings.gravity = 800.123f;  // not even rounded
  Remember();
  for (int way = 0; way < 3; ++way) {
    ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
    HWND window = dialog.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(window, IDC_NET_PORT), "12203") << way;
    TypeText(window, IDC_NET_PORT, "1234");
    Click(window, IDC_PURE);
    Click(window, IDC_INFINITE_AMMO);
    TypeText(window, IDC_PASSWORD, "lost");
    if (way == 0) Click(window, IDCANCEL);
    if (way == 1) PostKey(window, VK_ESCAPE);
    if (way == 2) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(dialog.Result(), IDCANCEL) << way;
    EXPECT_TRUE(SameRecord(g_settings, before_)) << way;
  }
}

TEST_F(AdvancedDialogTest, ReturnPressesOk) {
  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  TypeText(dialog.Window(), IDC_NET_PORT, "27961");
  PostKey(dialog.Window(), VK_RETURN);
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  EXPECT_EQ(g_settings.netPort, 27961);
}

TEST_F(AdvancedDialogTest, DmFlagBoxesSetAndClearOnlyTheirBits) {
  {
    ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
    ASSERT_NE(dialog.Window(), nullptr);
    Click(dialog.Window(), IDC_INFINITE_AMMO);
    Click(dialog.Window(), IDC_AXIS_SHOTGUN);
    Click(dialog.Window(), IDOK);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
  }
  EXPECT_EQ(g_settings.dmFlags, static_cast<std::uint32_t>(DmInfiniteAmmo | DmAxisShotgun));
  {
    ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_TRUE(IsChecked(dialog.Window(), IDC_INFINITE_AMMO));
    Click(dialog.Window(), IDC_INFINITE_AMMO);
    Click(dialog.Window(), IDOK);
    EXPECT_EQ(dialog.Result(), IDCANCEL);
  }
  EXPECT_EQ(g_settings.dmFlags, static_cast<std::uint32_t>(DmAxisShotgun));
}

TEST_F(AdvancedDialogTest, BitsOutsideTheFiveBoxesSurviveAnyClicks) {
  g_settings.dmFlags = 0xC0000001u | DmLeanWhileRunning;
  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  for (int box : {IDC_NO_FALLING_DAMAGE, IDC_INFINITE_AMMO, IDC_LEAN_WHILE_RUNNING, IDC_OLD_STYLE_SNIPER_RIFLES,
                  IDC_AXIS_SHOTGUN}) {
    Click(window, box);
    Click(window, box);
  }
  Click(window, IDC_LEAN_WHILE_RUNNING);
  Click(window, IDOK);
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  EXPECT_EQ(g_settings.dmFlags, 0xC0000001u);
}

TEST_F(AdvancedDialogTest, OptionBoxesInvertTheirFlagOnEachClick) {
  Remember();
  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  HWND window = dialog.Window();
  ASSERT_NE(window, nullptr);
  Click(window, IDC_PURE);
  Click(window, IDC_PURE);
  Click(window, IDC_ALLOW_VOTING);
  Click(window, IDC_FORCE_READY);
  Click(window, IDOK);
  EXPECT_EQ(dialog.Result(), IDCANCEL);
  EXPECT_EQ(g_settings.pure, 0);
  EXPECT_EQ(g_settings.allowVoting, 0);
  EXPECT_EQ(g_settings.forceReady, 1);
  EXPECT_EQ(g_settings.floodProtect, before_.floodProtect);
  EXPECT_EQ(g_settings.forceSpawn, before_.forceSpawn);
}

}  // namespace
