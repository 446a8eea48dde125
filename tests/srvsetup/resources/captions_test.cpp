// Every dialog, made from its real template, shows the string table's French texts after its
// caption pass, and keeps none of the template's English.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "french_texts.h"
#include "srvsetup/app/about_dialog.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/maps/map_dialogs.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_dialog.h"
#include "srvsetup/settings/main_dialog.h"
#include "support/dialog_driver.h"

namespace {

using Captions = std::vector<std::pair<int, int>>;  // control (kWindowTitle for the title), string id

void ExpectCaptions(HWND dialog, const Captions& captions) {
  for (const auto& [control, stringId] : captions) {
    const std::string shown = control == kWindowTitle ? WindowText(dialog) : ControlText(dialog, control);
    EXPECT_EQ(shown, kFrenchTexts[stringId]) << "control " << control << ", string " << stringId;
  }
}

BOOL CALLBACK CollectChild(HWND child, LPARAM context) {
  reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
  return TRUE;
}

// Labels, group boxes, buttons and check boxes that show a text not taken from the table.
std::vector<std::string> UntranslatedTexts(HWND dialog, const std::set<std::string>& allowed = {}) {
  std::set<std::string> french(allowed);
  for (int id = 1; id < kStringCount; ++id) {
    if (kFrenchTexts[id] != nullptr) french.insert(kFrenchTexts[id]);
  }
  std::vector<HWND> children;
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<std::string> left;
  for (HWND child : children) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    const std::string kind = className;
    if (kind != "Static" && kind != "Button") continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP && kind == "Static") continue;
    const std::string text = WindowText(child);
    if (!text.empty() && french.count(text) == 0) left.push_back(text);
  }
  return left;
}

// The main dialog is a child window: it needs a parent, as the frame is at start-up.
class MainDialogCaptions : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, nullptr, nullptr);
    dialog_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MAIN), parent_, MainDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
    ApplyMainDialogCaptions(dialog_, g_instance);
  }
  void TearDown() override { DestroyWindow(parent_); }

  HWND parent_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(MainDialogCaptions, EveryLabelledControlReadsItsFrenchText) {
  ExpectCaptions(dialog_, {
      {IDC_SERVER_NAME_LABEL, 1}, {IDC_GAME_OPTIONS_GROUP, 2}, {IDC_GAME_TYPE_LABEL, 3},
      {IDC_HEALTH_DROP, 4}, {IDC_REALISTIC_MODE, 5}, {IDC_FAST_RUN_SPEED, 6}, {IDC_TEAM_DAMAGE, 7},
      {IDC_HEAL_RATE_LABEL, 8}, {IDC_START_MAP_LABEL, 9}, {IDC_MAP_ROTATION_LABEL, 10}, {IDC_NOTICE, 11},
      {IDC_MAX_PLAYERS_LABEL, 12}, {IDC_TIME_LIMIT_LABEL, 13}, {IDC_FRAG_LIMIT_LABEL, 14},
      {IDC_MAP_ROTATION_TIME_LABEL, 15}, {IDC_ROUND_RESET_TIME_LABEL, 16}, {IDC_TEAM_SPAWN_DELAY_LABEL, 17},
      {IDC_INACTIVE_SPECTATE_LABEL, 18}, {IDC_INACTIVE_KICK_LABEL, 19}, {IDC_USE_GAMESPY, 20},
      {IDC_ADDITIONAL_SETTINGS_LABEL, 21}, {IDC_ADVANCED, 69}, {IDC_SET_DEFAULTS, 70}, {IDC_RUN_SERVER, 71},
      {IDCANCEL, 75}, {IDC_SELECT_MAP, 60}, {IDC_SETUP_ROTATION, 73}, {IDC_SERVER_OPTIONS_GROUP, 76},
  });
  EXPECT_EQ(UntranslatedTexts(dialog_), std::vector<std::string>{});
}

TEST_F(MainDialogCaptions, HasNoOkControlForTheOkStepToReach) {
  EXPECT_EQ(GetDlgItem(dialog_, IDOK), nullptr);
}

TEST(AdvancedDialogCaptions, TitleAndEveryControlReadTheirFrenchTexts) {
  ModalDialog dialog(IDD_ADVANCED, AdvancedDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  ExpectCaptions(dialog.Window(), {
      {kWindowTitle, 49}, {IDC_INVULNERABLE_TIME_LABEL, 22}, {IDC_TEAM_KILL_WARNING_LABEL, 23},
      {IDC_TEAM_KILL_KICK_LABEL, 24}, {IDC_TEAM_SWITCH_DELAY_LABEL, 25}, {IDC_GRAVITY_LABEL, 27},
      {IDC_ALLOW_JOIN_TIME_LABEL, 26}, {IDC_PRIVATE_CLIENTS_LABEL, 28}, {IDC_PASSWORD_LABEL, 29},
      {IDC_KEYWORDS_LABEL, 30}, {IDC_NET_PORT_LABEL, 31}, {IDC_MIN_PING_LABEL, 32}, {IDC_MAX_PING_LABEL, 33},
      {IDC_MAX_RATE_LABEL, 34}, {IDC_PURE, 35}, {IDC_ALLOW_VOTING, 36}, {IDC_FLOOD_PROTECT, 37},
      {IDC_FORCE_TEAM_SPECTATE, 38}, {IDC_FORCE_READY, 39}, {IDC_FORCE_SPAWN, 40}, {IDC_NO_FALLING_DAMAGE, 41},
      {IDC_INFINITE_AMMO, 42}, {IDC_LEAN_WHILE_RUNNING, 43}, {IDC_OLD_STYLE_SNIPER_RIFLES, 44},
      {IDC_AXIS_SHOTGUN, 45}, {IDC_NETWORK_GROUP, 46}, {IDC_DM_FLAGS_GROUP, 47},
      {IDC_ADVANCED_OPTIONS_GROUP, 48}, {IDOK, 74}, {IDCANCEL, 75},
  });
  EXPECT_EQ(UntranslatedTexts(dialog.Window()), std::vector<std::string>{});
}

TEST(AboutDialogCaptions, TitleAndLinesReadTheirFrenchTexts) {
  ModalDialog dialog(IDD_ABOUT, AboutDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  ExpectCaptions(dialog.Window(), {
      {kWindowTitle, 50}, {IDC_ABOUT_TITLE, 50}, {IDC_CREATED_BY, 66}, {IDC_CREDIT_LINE, 67},
      {IDC_ABOUT_NOTICE, 11}, {IDOK, 74},
  });
  // The second credit line is the template's own, in French already.
  EXPECT_EQ(UntranslatedTexts(dialog.Window(), {"l'\xE9quipe"}), std::vector<std::string>{});
}

TEST(SelectMapDialogCaptions, TitleAndButtonsReadTheirFrenchTexts) {
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  ExpectCaptions(dialog.Window(), {{kWindowTitle, 60}, {IDOK, 74}, {IDCANCEL, 75}});
  EXPECT_EQ(UntranslatedTexts(dialog.Window()), std::vector<std::string>{});
}

TEST(MapRotationDialogCaptions, TitleLabelsAndButtonsReadTheirFrenchTexts) {
  ModalDialog dialog(IDD_MAP_ROTATION, MapRotationDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  ExpectCaptions(dialog.Window(), {
      {kWindowTitle, 62}, {IDC_MAP_LIST_LABEL, 61}, {IDC_ROTATION_LIST_LABEL, 63}, {IDC_MOVE_UP, 64},
      {IDC_MOVE_DOWN, 65}, {IDC_APPLY, 72}, {IDCANCEL, 75},
  });
  // The arrows keep their template texts.
  EXPECT_EQ(UntranslatedTexts(dialog.Window(), {"-->", "<--"}), std::vector<std::string>{});
}

}  // namespace
