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
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_thread.h"

namespace {

using Texts = std::vector<std::string>;

constexpr int kGameTypeControls[] = {IDC_TEAM_DAMAGE, IDC_MAP_ROTATION_TIME, IDC_TEAM_SPAWN_DELAY,
                                     IDC_ROUND_RESET_TIME};

Texts StringTable(int first, int last) {
  Texts texts;
  for (int id = first; id <= last; ++id) texts.push_back(kFrenchTexts[id]);
  return texts;
}

// Enabled state of Team Damage, Map Rotation Time, Team Spawn Delay and Round Reset Time.
std::vector<bool> Enabled(HWND dialog) {
  std::vector<bool> enabled;
  for (int control : kGameTypeControls) enabled.push_back(IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE);
  return enabled;
}

const std::vector<bool> kAllEnabled{true, true, true, true};
const std::vector<bool> kAllButRoundReset{true, true, true, false};
const std::vector<bool> kNoneEnabled{false, false, false, false};

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

  // A modal dialog or message box that a posted click opened over the frame.
  HWND WaitForModal() { return WaitForDialog(launcher_->ThreadId(), launcher_->Frame()); }

  // "Run Server" without a mainex folder: the settings are saved, no script can be written, and
  // the launcher stays open.
  void RunServerWithoutScript() {
    Click(dialog_, IDC_RUN_SERVER);
    ASSERT_FALSE(launcher_->Ended(0));
  }

  // The record as "settings.cfg" holds it now.
  const ServerSettings& Saved() {
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
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Nameless Battle");
  EXPECT_EQ(ComboItems(dialog_, IDC_GAME_TYPE), StringTable(IDS_GAME_TYPE_FREE_FOR_ALL, IDS_GAME_TYPE_TUG_OF_WAR));
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), 0);
  EXPECT_EQ(ControlText(dialog_, IDC_GAME_TYPE), "Libre");
  EXPECT_EQ(ComboItems(dialog_, IDC_HEAL_RATE), StringTable(IDS_HEAL_RATE_INSTANT, IDS_HEAL_RATE_20));
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), 2);
  EXPECT_EQ(ControlText(dialog_, IDC_HEAL_RATE), "10/sec.");
  EXPECT_TRUE(IsChecked(dialog_, IDC_HEALTH_DROP));
  EXPECT_FALSE(IsChecked(dialog_, IDC_REALISTIC_MODE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_FAST_RUN_SPEED));
  EXPECT_FALSE(IsChecked(dialog_, IDC_TEAM_DAMAGE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_USE_GAMESPY));
  const std::pair<int, const char*> numbers[] = {
      {IDC_MAX_PLAYERS, "16"},      {IDC_TIME_LIMIT, "0"},          {IDC_FRAG_LIMIT, "0"},
      {IDC_MAP_ROTATION_TIME, "0"}, {IDC_TEAM_SPAWN_DELAY, "15"},   {IDC_ROUND_RESET_TIME, "0"},
      {IDC_INACTIVE_SPECTATE, "60"}, {IDC_INACTIVE_KICK, "900"},
  };
  for (const auto& [edit, shown] : numbers) EXPECT_EQ(ControlText(dialog_, edit), shown) << edit;
  for (int edit : {IDC_START_MAP, IDC_MAP_ROTATION, IDC_ADDITIONAL_SETTINGS}) {
    EXPECT_EQ(ControlText(dialog_, edit), "") << edit;
  }
  EXPECT_EQ(Enabled(dialog_), kNoneEnabled);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, IDC_MAX_PLAYERS)));
  SaveScreenshot(launcher_->Frame(), "main-dialog-defaults");
  // Showing the dialog saves nothing.
  EXPECT_EQ(folder_.Listing(), "");
}

TEST_F(MainDialogTest, ShowsWhatTheFileHolds) {
  WriteSettings([](ServerSettings& s) {
    CopyTextField(s.serverName, "Chez R\xE9mi");
    s.gameType = TugOfWar;
    s.healthDrop = 0;
    s.realisticMode = 1;
    s.teamDamage = 1;
    s.useGamespy = 0;
    s.healRate = 0;
    CopyTextField(s.startMap, "obj/bridge");
    CopyTextField(s.mapRotation, "obj/bridge obj/radar ");
    s.maxPlayers = -3;
    s.inactiveKick = 2147483647;
    CopyTextField(s.additionalSettings, "set a 1\r\nset b 2");
  });
  Start();
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Chez R\xE9mi");
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), TugOfWar);
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), 0);
  EXPECT_FALSE(IsChecked(dialog_, IDC_HEALTH_DROP));
  EXPECT_TRUE(IsChecked(dialog_, IDC_REALISTIC_MODE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_TEAM_DAMAGE));
  EXPECT_FALSE(IsChecked(dialog_, IDC_USE_GAMESPY));
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "obj/bridge");
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "obj/bridge obj/radar ");
  EXPECT_EQ(ControlText(dialog_, IDC_MAX_PLAYERS), "-3");
  EXPECT_EQ(ControlText(dialog_, IDC_INACTIVE_KICK), "2147483647");
  EXPECT_EQ(ControlText(dialog_, IDC_ADDITIONAL_SETTINGS), "set a 1\r\nset b 2");
  EXPECT_EQ(Enabled(dialog_), kAllButRoundReset);
  EXPECT_EQ(g_settings.gameType, TugOfWar);
}

TEST_F(MainDialogTest, EachGameTypeEnablesItsControls) {
  Start();
  const std::vector<bool> expected[] = {kNoneEnabled, kAllButRoundReset, kAllEnabled, kAllButRoundReset,
                                        kAllButRoundReset};
  for (int type : {2, 1, 0, 3, 4, 2}) {
    ChooseComboItem(dialog_, IDC_GAME_TYPE, type);
    EXPECT_EQ(g_settings.gameType, type);
    EXPECT_EQ(Enabled(dialog_), expected[type]) << type;
  }
  // A list without a selection stores -1 and counts as Free for All.
  ChooseComboItem(dialog_, IDC_GAME_TYPE, -1);
  EXPECT_EQ(g_settings.gameType, NoGameType);
  EXPECT_EQ(Enabled(dialog_), kNoneEnabled);
}

TEST_F(MainDialogTest, AStoredGameTypeOutsideTheListEnablesAtStartAndShowsNoSelection) {
  // At start only a stored 0 disables; after a command from the list, no selection does too.
  WriteSettings([](ServerSettings& s) { s.gameType = NoGameType; });
  Start();
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), CB_ERR);
  EXPECT_EQ(Enabled(dialog_), kAllButRoundReset);
  EXPECT_EQ(g_settings.gameType, NoGameType);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_GAME_TYPE, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_GAME_TYPE)));
  EXPECT_EQ(Enabled(dialog_), kNoneEnabled);
  EXPECT_EQ(g_settings.gameType, NoGameType);
}

TEST_F(MainDialogTest, ChangingTheGameTypeEmptiesTheMapsAndRunServerThenWarns) {
  WriteSettings([](ServerSettings& s) {
    CopyTextField(s.startMap, "DM/harbour");
    CopyTextField(s.mapRotation, "DM/harbour DM/quarry ");
  });
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, TeamBased);
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "");
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "");
  EXPECT_STREQ(g_settings.startMap, "DM/harbour");  // only the edits are emptied

  PostClick(dialog_, IDC_RUN_SERVER);
  HWND warning = WaitForModal();
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(WindowText(warning), kFrenchTexts[IDS_WARNING_TITLE]);
  EXPECT_TRUE(HasControlWithText(warning, "Veuillez s\xE9lectionner une carte\xA0!"));
  // MB_OK | MB_ICONEXCLAMATION: the warning icon and one visible button, OK.
  HWND ok = GetDlgItem(warning, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(IsWindowVisible(ok));
  for (int other : {IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    HWND button = GetDlgItem(warning, other);
    EXPECT_TRUE(button == nullptr || !IsWindowVisible(button)) << other;
  }
  bool warningIcon = false;
  for (HWND child = GetWindow(warning, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    if (icon != nullptr && icon == LoadIconA(nullptr, IDI_EXCLAMATION)) warningIcon = true;
  }
  EXPECT_TRUE(warningIcon);
  SaveScreenshot(warning, "main-dialog-no-map-warning");
  Click(warning, IDOK);
  EXPECT_TRUE(WaitUntilDestroyed(warning));

  // Nothing was saved or started; the dialog is as it was.
  EXPECT_FALSE(launcher_->Ended(0));
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  EXPECT_EQ(g_settings.gameType, TeamBased);
  EXPECT_EQ(g_settings.startMap[0], '\0');
}

TEST_F(MainDialogTest, AHealRateTheListDoesNotOfferShowsNoSelectionAndIsWrittenUnchanged) {
  WriteSettings([](ServerSettings& s) {
    s.healRate = 7;
    CopyTextField(s.startMap, "dm/cellar");
  });
  Start();
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), CB_ERR);
  // A command that leaves the list without a selection keeps the rate.
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_HEAL_RATE, CBN_SETFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_HEAL_RATE)));
  RunServerWithoutScript();
  EXPECT_EQ(Saved().healRate, 7);

  const std::int32_t rates[] = {0, 5, 10, 20};
  for (int position : {3, 0, 1, 2}) {
    ChooseComboItem(dialog_, IDC_HEAL_RATE, position);
    EXPECT_EQ(g_settings.healRate, rates[position]);
  }
}

TEST_F(MainDialogTest, RunServerReadsTheEditsLikeStrtolAndSavesThem) {
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/not_installed");  // taken as typed, never checked
  TypeText(dialog_, IDC_SERVER_NAME, std::string(300, 'n'));
  TypeText(dialog_, IDC_MAX_PLAYERS, "12abc");
  TypeText(dialog_, IDC_TIME_LIMIT, "letters");
  TypeText(dialog_, IDC_FRAG_LIMIT, "-5");
  TypeText(dialog_, IDC_MAP_ROTATION_TIME, "  +30");
  TypeText(dialog_, IDC_INACTIVE_SPECTATE, "99999999999");
  TypeText(dialog_, IDC_INACTIVE_KICK, "");
  TypeText(dialog_, IDC_MAP_ROTATION, "dm/a dm/b ");
  // Greyed controls are still read.
  SetDlgItemTextA(dialog_, IDC_ROUND_RESET_TIME, "45");
  SetDlgItemTextA(dialog_, IDC_ADDITIONAL_SETTINGS, "set g_motd \"salut\"\r\nset sv_fps 20");
  Click(dialog_, IDC_USE_GAMESPY);
  RunServerWithoutScript();

  const ServerSettings& saved = Saved();
  EXPECT_STREQ(saved.startMap, "dm/not_installed");
  EXPECT_EQ(std::string(saved.serverName), std::string(255, 'n'));
  EXPECT_EQ(saved.maxPlayers, 12);
  EXPECT_EQ(saved.timeLimit, 0);
  EXPECT_EQ(saved.fragLimit, -5);
  EXPECT_EQ(saved.mapRotationTime, 30);
  EXPECT_EQ(saved.inactiveSpectate, INT_MAX);
  EXPECT_EQ(saved.inactiveKick, 0);
  EXPECT_EQ(saved.roundResetTime, 45);
  EXPECT_EQ(saved.teamSpawnDelay, 15);
  EXPECT_STREQ(saved.mapRotation, "dm/a dm/b ");
  EXPECT_STREQ(saved.additionalSettings, "set g_motd \"salut\"\r\nset sv_fps 20");
  EXPECT_EQ(saved.useGamespy, 0);
  EXPECT_EQ(folder_.ReadFile("settings.cfg").size(), kSettingsFileSize);
}

TEST_F(MainDialogTest, OptionBoxesToggleTheLiveRecordAtOnce) {
  Start();
  Click(dialog_, IDC_HEALTH_DROP);
  Click(dialog_, IDC_REALISTIC_MODE);
  Click(dialog_, IDC_FAST_RUN_SPEED);
  Click(dialog_, IDC_FAST_RUN_SPEED);
  EXPECT_EQ(g_settings.healthDrop, 0);
  EXPECT_EQ(g_settings.realisticMode, 1);
  EXPECT_EQ(g_settings.fastRunSpeed, 1);
  EXPECT_EQ(g_settings.teamDamage, 0);
  ChooseComboItem(dialog_, IDC_GAME_TYPE, RoundBased);
  Click(dialog_, IDC_TEAM_DAMAGE);
  EXPECT_EQ(g_settings.teamDamage, 1);
  EXPECT_TRUE(IsChecked(dialog_, IDC_TEAM_DAMAGE));
  // Use Gamespy waits for "Run Server".
  Click(dialog_, IDC_USE_GAMESPY);
  EXPECT_EQ(g_settings.useGamespy, 1);
}

TEST_F(MainDialogTest, SetDefaultsRestoresEveryFieldWithoutTouchingTheFile) {
  WriteSettings([](ServerSettings& s) {
    CopyTextField(s.serverName, "Loaded");
    s.gameType = RoundBased;
    s.healthDrop = 0;
    s.teamDamage = 1;
    s.healRate = 20;
    CopyTextField(s.startMap, "dm/cellar");
    CopyTextField(s.mapRotation, "dm/cellar dm/quarry ");
    s.maxPlayers = 32;
    s.useGamespy = 0;
    CopyTextField(s.additionalSettings, "set x 1");
    s.netPort = 27960;
    s.gravity = 600.0f;
    s.dmFlags = DmInfiniteAmmo;
    CopyTextField(s.password, "secret");
  });
  Start();
  ASSERT_EQ(g_settings.netPort, 27960);
  TypeText(dialog_, IDC_FRAG_LIMIT, "50");
  Click(dialog_, IDC_SET_DEFAULTS);

  const ServerSettings defaults;
  EXPECT_EQ(FormatServerConfig(g_settings), FormatServerConfig(defaults));
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Nameless Battle");
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "");
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "");
  EXPECT_EQ(ControlText(dialog_, IDC_FRAG_LIMIT), "0");
  EXPECT_EQ(ControlText(dialog_, IDC_MAX_PLAYERS), "16");
  EXPECT_EQ(ControlText(dialog_, IDC_ADDITIONAL_SETTINGS), "");
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), 0);
  EXPECT_EQ(ComboItems(dialog_, IDC_GAME_TYPE).size(), 5u);  // filled afresh, not appended
  EXPECT_EQ(ComboSelection(dialog_, IDC_HEAL_RATE), 2);
  EXPECT_TRUE(IsChecked(dialog_, IDC_HEALTH_DROP));
  EXPECT_FALSE(IsChecked(dialog_, IDC_TEAM_DAMAGE));
  EXPECT_TRUE(IsChecked(dialog_, IDC_USE_GAMESPY));
  EXPECT_EQ(Enabled(dialog_), kNoneEnabled);
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == written_);
  // The boxes and the record are in step again.
  Click(dialog_, IDC_HEALTH_DROP);
  EXPECT_EQ(g_settings.healthDrop, 0);
}

TEST_F(MainDialogTest, CancelEndsTheRunAndLeavesTheFileByteIdentical) {
  WriteSettings([](ServerSettings& s) {
    CopyTextField(s.serverName, "Kept");
    CopyTextField(s.startMap, "dm/cellar");
    s.healRate = 5;
  });
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, Objective);
  Click(dialog_, IDC_REALISTIC_MODE);
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

  PostClick(dialog_, IDC_SELECT_MAP);
  HWND select = WaitForModal();
  ASSERT_NE(select, nullptr);
  PostClick(select, IDCANCEL);
  ASSERT_TRUE(WaitUntilDestroyed(select));
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "typed/by_hand");

  PostClick(dialog_, IDC_SELECT_MAP);
  select = WaitForModal();
  ASSERT_NE(select, nullptr);
  ClickListItem(GetDlgItem(select, IDC_MAP_CHOICES), 1);
  PostClick(select, IDOK);
  ASSERT_TRUE(WaitUntilDestroyed(select));
  SendMessageA(dialog_, WM_NULL, 0, 0);
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "dm/cellar");

  PostClick(dialog_, IDC_SETUP_ROTATION);
  HWND rotation = WaitForModal();
  ASSERT_NE(rotation, nullptr);
  DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 0);
  DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 1);
  PostClick(rotation, IDCANCEL);
  ASSERT_TRUE(WaitUntilDestroyed(rotation));
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "");

  PostClick(dialog_, IDC_SETUP_ROTATION);
  rotation = WaitForModal();
  ASSERT_NE(rotation, nullptr);
  DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 1);
  DoubleClickListItem(GetDlgItem(rotation, IDC_MAP_LIST), 0);
  PostClick(rotation, IDC_APPLY);
  ASSERT_TRUE(WaitUntilDestroyed(rotation));
  SendMessageA(dialog_, WM_NULL, 0, 0);
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), "dm/cellar dm/lighthouse ");
}

TEST_F(MainDialogTest, AdvancedOkKeepsTheNewGameTypeAndItsOwnChanges) {
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, Objective);
  PostClick(dialog_, IDC_ADVANCED);
  HWND advanced = WaitForModal();
  ASSERT_NE(advanced, nullptr);
  TypeText(advanced, IDC_NET_PORT, "27961");
  PostClick(advanced, IDOK);
  ASSERT_TRUE(WaitUntilDestroyed(advanced));
  SendMessageA(dialog_, WM_NULL, 0, 0);
  EXPECT_EQ(g_settings.gameType, Objective);
  EXPECT_EQ(g_settings.netPort, 27961);
  EXPECT_EQ(ComboSelection(dialog_, IDC_GAME_TYPE), Objective);
}

TEST_F(MainDialogTest, RunServerWithAScriptClosesTheLauncher) {
  // No server executable here: the start fails, and the launcher closes all the same.
  folder_.MakeDirectory("mainex");
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/cellar");
  HWND frame = launcher_->Frame();
  Click(dialog_, IDC_RUN_SERVER);
  ASSERT_TRUE(launcher_->Ended(5000));
  EXPECT_EQ(launcher_->ExitCode(), 0);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(Saved().startMap, std::string("dm/cellar"));
  EXPECT_NE(folder_.ReadFile("mainex/server.cfg").find("map \"dm/cellar\"\r\n"), std::string::npos);
}

}  // namespace
