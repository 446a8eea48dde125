// The main dialog inside the real launcher (start-up, frame, message loop) in this process,
// over a game folder, driven through its controls and checked through the controls, the live
// record and "settings.cfg".
#include "srvsetup/settings/main_dialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/launch/server_config.h"
#include "srvsetup/resources/french_texts.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/distinct_settings.h"
#include "srvsetup/settings/main_fields.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_thread.h"

namespace {

std::vector<std::string> StringTable(int first, int last) {
  return std::vector<std::string>(kFrenchTexts + first, kFrenchTexts + last + 1);
}

// Enabled state of Team Damage, Map Rotation Time, Team Spawn Delay and Round Reset Time.
std::string Enabled(HWND dialog) {
  std::string enabled;
  for (int control : {IDC_TEAM_DAMAGE, IDC_MAP_ROTATION_TIME, IDC_TEAM_SPAWN_DELAY, IDC_ROUND_RESET_TIME}) {
    enabled += IsWindowEnabled(GetDlgItem(dialog, control)) ? '1' : '0';
  }
  return enabled;
}

class MainDialogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    launcher_.reset();
    g_settings.SetDefaults();
  }

  // Writes "settings.cfg" from a record that the caller changes first.
  void WriteSettings(void (*change)(ServerSettings&)) {
    ServerSettings settings;
    change(settings);
    settings.Save("settings.cfg");
    written_ = folder_.ReadFile("settings.cfg");
  }

  void Start() {
    launcher_ = std::make_unique<LauncherThread>();
    ASSERT_NE(launcher_->Frame(), nullptr);
    dialog_ = launcher_->MainDialog();
    ASSERT_NE(dialog_, nullptr);
  }

  // A modal dialog or message box that a posted click on `button` opened over the frame.
  HWND OpenModal(HWND owner, int button) {
    PostClick(owner, button);
    return WaitForDialog(launcher_->ThreadId(), launcher_->Frame());
  }
  void CloseModal(HWND modal, int button) {
    PostClick(modal, button);
    ASSERT_TRUE(WaitUntilDestroyed(modal));
    SendMessageA(dialog_, WM_NULL, 0, 0);
  }

  // "Run Server" without a mainex folder saves the settings and leaves the launcher open; the
  // record as "settings.cfg" then holds it.
  const ServerSettings& RunServerWithoutScript() {
    Click(dialog_, IDC_RUN_SERVER);
    EXPECT_TRUE(launcher_->StillRuns());
    saved_.Load("settings.cfg");
    return saved_;
  }

  GameFolder folder_;
  std::string written_;
  ServerSettings saved_;
  std::unique_ptr<LauncherThread> launcher_;
  HWND dialog_ = nullptr;
};

TEST_F(MainDialogTest, FirstStartShowsEveryDefaultAndGreysTheTeamControls) {
  Start();
  EXPECT_EQ(ComboItems(dialog_, IDC_GAME_TYPE), StringTable(IDS_GAME_TYPE_FREE_FOR_ALL, IDS_GAME_TYPE_TUG_OF_WAR));
  EXPECT_EQ(ComboItems(dialog_, IDC_HEAL_RATE), StringTable(IDS_HEAL_RATE_INSTANT, IDS_HEAL_RATE_20));
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), 0);
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), 2);
  for (int box : {IDC_HEALTH_DROP, IDC_REALISTIC_MODE, IDC_FAST_RUN_SPEED, IDC_TEAM_DAMAGE, IDC_USE_GAMESPY}) {
    EXPECT_EQ(IsChecked(dialog_, box), box == IDC_HEALTH_DROP || box == IDC_FAST_RUN_SPEED || box == IDC_USE_GAMESPY);
  }
  const std::pair<int, const char*> edits[] = {
      {IDC_SERVER_NAME, "Nameless Battle"}, {IDC_MAX_PLAYERS, "16"}, {IDC_TIME_LIMIT, "0"}, {IDC_FRAG_LIMIT, "0"},
      {IDC_MAP_ROTATION_TIME, "0"}, {IDC_TEAM_SPAWN_DELAY, "15"}, {IDC_ROUND_RESET_TIME, "0"},
      {IDC_INACTIVE_SPECTATE, "60"}, {IDC_INACTIVE_KICK, "900"}, {IDC_START_MAP, ""}, {IDC_MAP_ROTATION, ""},
      {IDC_ADDITIONAL_SETTINGS, ""},
  };
  for (const auto& [edit, shown] : edits) EXPECT_EQ(ControlText(dialog_, edit), shown) << edit;
  EXPECT_EQ(Enabled(dialog_), "0000");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, IDC_MAX_PLAYERS)));
  SaveScreenshot(launcher_->Frame(), "main-dialog-defaults");
  EXPECT_EQ(folder_.Listing(), "");  // showing the dialog saves nothing
}

TEST_F(MainDialogTest, ShowsTheFileAndWritesAHealRateTheListDoesNotOfferUnchanged) {
  WriteSettings([](ServerSettings& s) {
    DistinctSettings::Fill(s);
    CopyTextField(s.serverName, "Chez R\xE9mi");
    s.gameType = TugOfWar;
    s.healRate = 7;
    s.maxPlayers = -3;
    s.inactiveKick = INT_MAX;
  });
  Start();
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Chez R\xE9mi");
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), TugOfWar);
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), CB_ERR);
  for (int box : {IDC_HEALTH_DROP, IDC_REALISTIC_MODE, IDC_FAST_RUN_SPEED, IDC_TEAM_DAMAGE, IDC_USE_GAMESPY}) {
    EXPECT_EQ(IsChecked(dialog_, box), box == IDC_REALISTIC_MODE || box == IDC_TEAM_DAMAGE) << box;
  }
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "DM/harbour TOW/dam ");
  EXPECT_EQ(ControlText(dialog_, IDC_MAX_PLAYERS), "-3");
  EXPECT_EQ(ControlText(dialog_, IDC_INACTIVE_KICK), "2147483647");
  EXPECT_EQ(ControlText(dialog_, IDC_ADDITIONAL_SETTINGS), "set a 1\r\nset b 2");
  EXPECT_EQ(Enabled(dialog_), "1110");
  // A command that leaves the list without a selection keeps the rate.
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_HEAL_RATE, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_HEAL_RATE)));
  EXPECT_EQ(RunServerWithoutScript().healRate, 7);
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  ChooseComboItem(dialog_, IDC_HEAL_RATE, 3);
  EXPECT_EQ(g_settings.healRate, 20);
}

TEST_F(MainDialogTest, EachGameTypeEnablesItsControls) {
  Start();
  const char* const expected[] = {"0000", "1110", "1111", "1110", "1110"};
  for (int type : {2, 1, 0, 3, 4, 2}) {
    ChooseComboItem(dialog_, IDC_GAME_TYPE, type);
    EXPECT_EQ(g_settings.gameType, type);
    EXPECT_EQ(Enabled(dialog_), expected[type]) << type;
  }
  // A list without a selection stores -1 and counts as Free for All.
  ChooseComboItem(dialog_, IDC_GAME_TYPE, -1);
  EXPECT_EQ(g_settings.gameType, NoGameType);
  EXPECT_EQ(Enabled(dialog_), "0000");
}

TEST_F(MainDialogTest, AStoredGameTypeOutsideTheListEnablesAtStartAndShowsNoSelection) {
  WriteSettings([](ServerSettings& s) { s.gameType = NoGameType; });
  Start();
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), CB_ERR);
  EXPECT_EQ(Enabled(dialog_), "1110");
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_GAME_TYPE, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_GAME_TYPE)));
  EXPECT_EQ(Enabled(dialog_), "0000");
  EXPECT_EQ(g_settings.gameType, NoGameType);
}

TEST_F(MainDialogTest, ChangingTheGameTypeEmptiesTheMapsAndRunServerThenWarns) {
  WriteSettings([](ServerSettings& s) { DistinctSettings::Fill(s); });
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, TeamBased);
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "");
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "");
  EXPECT_STREQ(g_settings.startMap, "DM/harbour");  // only the edits are emptied

  HWND warning = OpenModal(dialog_, IDC_RUN_SERVER);
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(WindowText(warning), kFrenchTexts[IDS_WARNING_TITLE]);
  EXPECT_TRUE(HasControlWithText(warning, "Veuillez s\xE9lectionner une carte\xA0!"));
  // MB_OK | MB_ICONEXCLAMATION: one visible button, OK, and the warning icon.
  for (int button : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    EXPECT_EQ(IsWindowVisible(GetDlgItem(warning, button)) != FALSE, button == IDOK) << button;
  }
  bool warningIcon = false;
  for (HWND child = GetWindow(warning, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    warningIcon |= reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == LoadIconA(nullptr, IDI_EXCLAMATION);
  }
  EXPECT_TRUE(warningIcon);
  SaveScreenshot(warning, "main-dialog-no-map-warning");
  CloseModal(warning, IDOK);
  // Nothing was saved or started.
  EXPECT_TRUE(launcher_->StillRuns());
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  EXPECT_EQ(g_settings.startMap[0], '\0');
}

TEST_F(MainDialogTest, RunServerReadsTheEditsLikeStrtolAndSavesThem) {
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/not_installed");  // taken as typed, never checked
  TypeText(dialog_, IDC_SERVER_NAME, std::string(300, 'n'));
  TypeText(dialog_, IDC_MAX_PLAYERS, "12abc");
  TypeText(dialog_, IDC_TIME_LIMIT, "letters");
  TypeText(dialog_, IDC_FRAG_LIMIT, "-5");
  TypeText(dialog_, IDC_INACTIVE_KICK, "");
  // Greyed controls are still read.
  SetDlgItemTextA(dialog_, IDC_ROUND_RESET_TIME, "45");
  SetDlgItemTextA(dialog_, IDC_ADDITIONAL_SETTINGS, "set g_motd \"salut\"\r\nset sv_fps 20");
  Click(dialog_, IDC_USE_GAMESPY);
  EXPECT_EQ(g_settings.useGamespy, 1);  // Use Gamespy waits for "Run Server"
  const ServerSettings& saved = RunServerWithoutScript();
  EXPECT_STREQ(saved.startMap, "dm/not_installed");
  EXPECT_EQ(std::string(saved.serverName), std::string(255, 'n'));
  EXPECT_EQ(saved.maxPlayers, 12);
  EXPECT_EQ(saved.timeLimit, 0);
  EXPECT_EQ(saved.fragLimit, -5);
  EXPECT_EQ(saved.inactiveKick, 0);
  EXPECT_EQ(saved.roundResetTime, 45);
  EXPECT_STREQ(saved.additionalSettings, "set g_motd \"salut\"\r\nset sv_fps 20");
  EXPECT_EQ(saved.useGamespy, 0);
  EXPECT_EQ(folder_.ReadFile("settings.cfg").size(), kSettingsFileSize);
}

TEST_F(MainDialogTest, SetDefaultsRestoresEveryFieldWithoutTouchingTheFile) {
  WriteSettings([](ServerSettings& s) {
    DistinctSettings::Fill(s);
    s.gameType = RoundBased;
  });
  Start();
  TypeText(dialog_, IDC_FRAG_LIMIT, "50");
  Click(dialog_, IDC_SET_DEFAULTS);
  const ServerSettings defaults;
  EXPECT_EQ(FormatServerConfig(g_settings), FormatServerConfig(defaults));
  for (int edit : {IDC_SERVER_NAME, IDC_START_MAP, IDC_MAP_ROTATION, IDC_FRAG_LIMIT, IDC_MAX_PLAYERS,
                   IDC_ADDITIONAL_SETTINGS}) {
    char shown[kTextFieldSize];
    FormatEditText(defaults, FindEdit(InMainDialog, edit), shown);
    EXPECT_EQ(ControlText(dialog_, edit), shown) << edit;
  }
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), 0);
  EXPECT_EQ(ComboItems(dialog_, IDC_GAME_TYPE).size(), 5u);  // filled afresh, not appended
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), 2);
  EXPECT_TRUE(IsChecked(dialog_, IDC_HEALTH_DROP));
  EXPECT_FALSE(IsChecked(dialog_, IDC_TEAM_DAMAGE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_USE_GAMESPY));
  EXPECT_EQ(Enabled(dialog_), "0000");
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  // The boxes and the record are in step again.
  Click(dialog_, IDC_HEALTH_DROP);
  EXPECT_EQ(g_settings.healthDrop, 0);
}

TEST_F(MainDialogTest, CancelEndsTheRunAndLeavesTheFileByteIdentical) {
  WriteSettings([](ServerSettings& s) { DistinctSettings::Fill(s); });
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, RoundBased);
  // Option boxes toggle the live record at once.
  for (int box : {IDC_REALISTIC_MODE, IDC_TEAM_DAMAGE, IDC_HEALTH_DROP, IDC_FAST_RUN_SPEED, IDC_FAST_RUN_SPEED}) {
    Click(dialog_, box);
  }
  EXPECT_EQ(g_settings.realisticMode, 0);
  EXPECT_EQ(g_settings.teamDamage, 0);
  EXPECT_EQ(g_settings.healthDrop, 1);
  EXPECT_EQ(g_settings.fastRunSpeed, 0);
  TypeText(dialog_, IDC_SERVER_NAME, "Changed");
  Click(dialog_, IDC_SET_DEFAULTS);
  Click(dialog_, IDCANCEL);
  ASSERT_TRUE(launcher_->Ended(5000));
  EXPECT_EQ(launcher_->ExitCode(), 0);
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  EXPECT_EQ(folder_.Listing(), "settings.cfg\n");
}

TEST_F(MainDialogTest, MapDialogsFillTheirEditsOnlyWhenTheyEndWithOne) {
  folder_.WriteFile("mainex/maps/dm/lighthouse.bsp", "bsp");
  folder_.WriteFile("main/maps/dm/cellar.bsp", "bsp");
  Start();
  TypeText(dialog_, IDC_START_MAP, "typed/by_hand");
  for (int button : {IDCANCEL, IDOK}) {
    HWND select = OpenModal(dialog_, IDC_SELECT_MAP);
    ASSERT_NE(select, nullptr);
    ClickListItem(GetDlgItem(select, IDC_MAP_CHOICES), 1);
    CloseModal(select, button);
    EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), button == IDOK ? "dm/cellar" : "typed/by_hand");
  }
  for (int button : {IDCANCEL, IDC_APPLY}) {
    HWND rotation = OpenModal(dialog_, IDC_SETUP_ROTATION);
    ASSERT_NE(rotation, nullptr);
    DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 1);
    DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 0);
    CloseModal(rotation, button);
    EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), button == IDC_APPLY ? "dm/cellar dm/lighthouse " : "");
  }
  // No Objective maps here: OK on the empty list shows the record's map over one typed by hand.
  ChooseComboItem(dialog_, IDC_GAME_TYPE, Objective);
  TypeText(dialog_, IDC_START_MAP, "typed/by_hand");
  HWND select = OpenModal(dialog_, IDC_SELECT_MAP);
  ASSERT_NE(select, nullptr);
  EXPECT_EQ(ListItems(GetDlgItem(select, IDC_MAP_CHOICES)).size(), 0u);
  CloseModal(select, IDOK);
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "dm/cellar");
}

}  // namespace
