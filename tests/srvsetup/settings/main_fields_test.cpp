// What the main dialog's controls do to a record, without a window.
#include "srvsetup/settings/main_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "srvsetup/resources/resource.h"

namespace {

std::string Shown(const ServerSettings& settings, int control) {
  char text[kTextFieldSize];
  EXPECT_TRUE(FormatEditText(settings, FindEdit(InMainDialog, control), text)) << control;
  return text;
}

TEST(MainFields, EveryEditShowsAndReadsItsOwnField) {
  ServerSettings settings;
  EXPECT_EQ(Shown(settings, IDC_INACTIVE_KICK), "900");
  int value = -100;
  for (const EditField& edit : kEditFields) {
    if (edit.dialog != InMainDialog) continue;
    ASSERT_TRUE(ReadEditText(settings, &edit, std::to_string(--value).c_str()));
  }
  value = -100;
  for (const EditField& edit : kEditFields) {
    if (edit.dialog != InMainDialog) continue;
    EXPECT_EQ(Shown(settings, edit.controlId), std::to_string(--value));
  }
  EXPECT_EQ(settings.maxPlayers, -104);  // numbers as numbers
  EXPECT_EQ(kEditFields[0].controlId, IDC_START_MAP);  // read first: an empty map stops "Run Server"
  ReadEditText(settings, FindEdit(InMainDialog, IDC_SERVER_NAME), std::string(400, 'x').c_str());
  EXPECT_EQ(std::string(settings.serverName), std::string(255, 'x'));
  // Controls that are not main-dialog edits change nothing.
  char text[kTextFieldSize] = "stale";
  EXPECT_FALSE(FormatEditText(settings, FindEdit(InMainDialog, IDC_USE_GAMESPY), text));
  EXPECT_STREQ(text, "");
  EXPECT_FALSE(ReadEditText(settings, FindEdit(InMainDialog, IDC_NET_PORT), "1"));
  EXPECT_EQ(settings.netPort, 12203);
}

TEST(MainFields, OptionBoxesInvertOnlyTheirOwnFlag) {
  ServerSettings settings;
  auto toggle = [&settings](int box) { return ToggleOptionBox(settings, kMainOptionBoxes, box); };
  settings.realisticMode = 7;  // a byte from a file: set, so a click clears it
  ASSERT_TRUE(toggle(IDC_REALISTIC_MODE));
  EXPECT_EQ(settings.realisticMode, 0);
  for (int box : {IDC_HEALTH_DROP, IDC_TEAM_DAMAGE, IDC_TEAM_DAMAGE, IDC_FAST_RUN_SPEED}) toggle(box);
  EXPECT_EQ(settings.healthDrop + settings.teamDamage + settings.fastRunSpeed, 0);
  EXPECT_FALSE(toggle(IDC_USE_GAMESPY));
  EXPECT_EQ(settings.useGamespy, 1);
}

TEST(MainFields, ListsMapTheirPositionsAndNothingElse) {
  const int rates[] = {0, 5, 10, 20};
  for (int position = 0; position < 4; ++position) EXPECT_EQ(HealRatePosition(rates[position]), position);
  for (int other : {7, -1, 1, 15, 21}) EXPECT_EQ(HealRatePosition(other), -1) << other;
  ServerSettings settings;
  settings.healRate = 7;
  for (int position : {-1, 4, 100}) EXPECT_FALSE(SetHealRateFromPosition(settings, position));
  EXPECT_EQ(settings.healRate, 7);
  EXPECT_TRUE(SetHealRateFromPosition(settings, 3));
  EXPECT_EQ(settings.healRate, 20);

  for (int type = 0; type < 5; ++type) EXPECT_EQ(GameTypePosition(type), type);
  for (int other : {-1, 5, INT_MIN, INT_MAX}) EXPECT_EQ(GameTypePosition(other), -1) << other;
}

TEST(MainFields, EnablingRuleDiffersOnlyForNoSelection) {
  auto shown = [](GameTypeEnabling e) { return std::to_string(e.teamControls) + std::to_string(e.roundReset); };
  for (int type : {0, 1, 2, 3, 4, 7, -1}) {
    const char* expected = type == RoundBased ? "11" : type == FreeForAll ? "00" : "10";
    EXPECT_EQ(shown(EnablingForStoredGameType(type)), expected) << type;
    // No selection: enabled when it comes from the file, disabled when it comes from the list.
    EXPECT_EQ(shown(EnablingForSelection(type)), type == NoGameType ? "00" : expected) << type;
  }
}

}  // namespace
