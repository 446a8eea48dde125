// What the main dialog's controls do to a record, without a window.
#include "srvsetup/settings/main_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "srvsetup/resources/resource.h"

namespace {

std::string Shown(const ServerSettings& settings, int control) {
  char text[kTextFieldSize];
  EXPECT_TRUE(FormatMainEdit(settings, control, text)) << control;
  return text;
}

TEST(MainFields, EveryEditShowsAndReadsItsOwnField) {
  ServerSettings settings;
  EXPECT_EQ(Shown(settings, IDC_SERVER_NAME), "Nameless Battle");
  EXPECT_EQ(Shown(settings, IDC_INACTIVE_KICK), "900");
  int value = -100;
  for (int edit : kMainEdits) {
    ASSERT_TRUE(ReadMainEdit(settings, edit, std::to_string(--value).c_str())) << edit;
  }
  value = -100;
  for (int edit : kMainEdits) EXPECT_EQ(Shown(settings, edit), std::to_string(--value)) << edit;
  EXPECT_EQ(settings.maxPlayers, -104);  // numbers as numbers
  EXPECT_EQ(kMainEdits[0], IDC_START_MAP);  // read first: an empty map stops "Run Server"

  ReadMainEdit(settings, IDC_FRAG_LIMIT, "12abc");
  EXPECT_EQ(settings.fragLimit, 12);
  const std::string longName(400, 'x');
  ReadMainEdit(settings, IDC_SERVER_NAME, longName.c_str());
  EXPECT_EQ(std::string(settings.serverName), longName.substr(0, 255));
  // Controls that are not main-dialog edits change nothing.
  char text[kTextFieldSize] = "stale";
  EXPECT_FALSE(FormatMainEdit(settings, IDC_USE_GAMESPY, text));
  EXPECT_STREQ(text, "");
  EXPECT_FALSE(ReadMainEdit(settings, IDC_NET_PORT, "1"));
  EXPECT_EQ(settings.netPort, 12203);
}

TEST(MainFields, OptionBoxesInvertOnlyTheirOwnFlag) {
  ServerSettings settings;
  settings.realisticMode = 7;  // a byte from a file: set, so a click clears it
  ASSERT_TRUE(ToggleMainOption(settings, IDC_REALISTIC_MODE));
  EXPECT_EQ(settings.realisticMode, 0);
  ToggleMainOption(settings, IDC_HEALTH_DROP);
  ToggleMainOption(settings, IDC_TEAM_DAMAGE);
  ToggleMainOption(settings, IDC_TEAM_DAMAGE);
  ToggleMainOption(settings, IDC_FAST_RUN_SPEED);
  EXPECT_EQ(settings.healthDrop, 0);
  EXPECT_EQ(settings.teamDamage, 0);
  EXPECT_EQ(settings.fastRunSpeed, 0);
  EXPECT_FALSE(ToggleMainOption(settings, IDC_USE_GAMESPY));
  EXPECT_EQ(settings.useGamespy, 1);
}

TEST(MainFields, HealRateListMapsFourPositionsAndNothingElse) {
  EXPECT_EQ(HealRatePosition(0), 0);
  EXPECT_EQ(HealRatePosition(5), 1);
  EXPECT_EQ(HealRatePosition(10), 2);
  EXPECT_EQ(HealRatePosition(20), 3);
  for (int other : {7, -1, 1, 15, 21}) EXPECT_EQ(HealRatePosition(other), -1) << other;

  ServerSettings settings;
  settings.healRate = 7;
  for (int position : {-1, 4, 100}) {
    EXPECT_FALSE(SetHealRateFromPosition(settings, position));
    EXPECT_EQ(settings.healRate, 7);
  }
  EXPECT_TRUE(SetHealRateFromPosition(settings, 3));
  EXPECT_EQ(settings.healRate, 20);
  EXPECT_TRUE(SetHealRateFromPosition(settings, 0));
  EXPECT_EQ(settings.healRate, 0);
}

TEST(MainFields, GameTypeSelectsItsPositionOrNothing) {
  for (int type = 0; type < 5; ++type) EXPECT_EQ(GameTypePosition(type), type);
  for (int other : {-1, 5, INT_MIN, INT_MAX}) EXPECT_EQ(GameTypePosition(other), -1) << other;
}

TEST(MainFields, EnablingRuleDiffersOnlyForNoSelection) {
  auto same = [](GameTypeEnabling a, GameTypeEnabling b) {
    return a.teamControls == b.teamControls && a.roundReset == b.roundReset;
  };
  const GameTypeEnabling none{false, false}, team{true, false}, round{true, true};
  EXPECT_TRUE(same(EnablingForStoredGameType(FreeForAll), none));
  EXPECT_TRUE(same(EnablingForStoredGameType(RoundBased), round));
  for (int type : {1, 3, 4, 7}) {  // TeamBased, Objective, TugOfWar and a value from a file
    EXPECT_TRUE(same(EnablingForStoredGameType(type), team)) << type;
    EXPECT_TRUE(same(EnablingForSelection(type), team)) << type;
  }
  EXPECT_TRUE(same(EnablingForSelection(FreeForAll), none));
  EXPECT_TRUE(same(EnablingForSelection(RoundBased), round));
  // No selection: enabled when it comes from the file, disabled when it comes from the list.
  EXPECT_TRUE(same(EnablingForStoredGameType(NoGameType), team));
  EXPECT_TRUE(same(EnablingForSelection(-1), none));
}

}  // namespace
