// What the Advanced dialog's controls do to a record, without a window.
#include "srvsetup/settings/advanced_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/resources/resource.h"

namespace {

std::string Shown(const ServerSettings& settings, int control) {
  char text[kTextFieldSize];
  EXPECT_TRUE(FormatAdvancedEdit(settings, control, text));
  return text;
}

TEST(AdvancedFields, EditsShowDecimalsGravityWithTwoDecimalsAndTextsAsTheyAre) {
  ServerSettings settings;
  settings.netPort = -27960;
  settings.gravity = 800.123f;
  CopyTextField(settings.password, "s3cret word");
  EXPECT_EQ(Shown(settings, IDC_NET_PORT), "-27960");
  EXPECT_EQ(Shown(settings, IDC_GRAVITY), "800.12");
  EXPECT_EQ(Shown(settings, IDC_PASSWORD), "s3cret word");
  EXPECT_EQ(Shown(settings, IDC_TEAM_KILL_KICK), "5");
  settings.gravity = 3.4e38f;  // the widest text a float gives
  EXPECT_EQ(Shown(settings, IDC_GRAVITY).size(), 42u);
}

TEST(AdvancedFields, ReadingBackTheShownGravityRoundsItToTwoDecimals) {
  ServerSettings settings;
  settings.gravity = 800.123f;
  ASSERT_TRUE(ReadAdvancedEdit(settings, IDC_GRAVITY, Shown(settings, IDC_GRAVITY).c_str()));
  EXPECT_EQ(settings.gravity, 800.12f);
}

TEST(AdvancedFields, EditsReadNumbersLikeStrtolAndGravityLikeStrtod) {
  ServerSettings settings;
  ReadAdvancedEdit(settings, IDC_MAX_RATE, "  12abc");
  EXPECT_EQ(settings.maxRate, 12);
  ReadAdvancedEdit(settings, IDC_MIN_PING, "-5");
  EXPECT_EQ(settings.minPing, -5);
  ReadAdvancedEdit(settings, IDC_MAX_PING, "letters");
  EXPECT_EQ(settings.maxPing, 0);
  ReadAdvancedEdit(settings, IDC_PRIVATE_CLIENTS, "99999999999");
  EXPECT_EQ(settings.privateClients, INT32_MAX);
  ReadAdvancedEdit(settings, IDC_GRAVITY, "0.5");
  EXPECT_EQ(settings.gravity, 0.5f);
  ReadAdvancedEdit(settings, IDC_GRAVITY, "9,81");  // a comma ends the number
  EXPECT_EQ(settings.gravity, 9.0f);
}

TEST(AdvancedFields, EveryEditReachesItsOwnField) {
  ServerSettings settings;
  int value = 100;
  for (int edit : kAdvancedEdits) {
    ASSERT_TRUE(ReadAdvancedEdit(settings, edit, std::to_string(++value).c_str())) << edit;
  }
  // In the order the dialog fills its edits.
  EXPECT_EQ(settings.invulnerableTime, 101);
  EXPECT_EQ(settings.teamKillWarning, 102);
  EXPECT_EQ(settings.teamKillKick, 103);
  EXPECT_EQ(settings.teamSwitchDelay, 104);
  EXPECT_EQ(settings.gravity, 105.0f);
  EXPECT_EQ(settings.allowJoinTime, 106);
  EXPECT_EQ(settings.privateClients, 107);
  EXPECT_STREQ(settings.password, "108");
  EXPECT_STREQ(settings.keywords, "109");
  EXPECT_EQ(settings.netPort, 110);
  EXPECT_EQ(settings.minPing, 111);
  EXPECT_EQ(settings.maxPing, 112);
  EXPECT_EQ(settings.maxRate, 113);
  // And the main dialog's fields stay as they were.
  ServerSettings defaults;
  EXPECT_EQ(std::memcmp(&settings, &defaults, offsetof(ServerSettings, pure)), 0);
}

TEST(AdvancedFields, TextsAreCutTo255CharactersAndOtherControlsAreRefused) {
  ServerSettings settings;
  const std::string longText(300, 'k');
  ASSERT_TRUE(ReadAdvancedEdit(settings, IDC_KEYWORDS, longText.c_str()));
  EXPECT_EQ(std::string(settings.keywords), longText.substr(0, 255));
  ServerSettings before;
  EXPECT_FALSE(ReadAdvancedEdit(settings, IDC_SERVER_NAME, "x"));
  EXPECT_FALSE(ToggleAdvancedOption(settings, IDC_HEALTH_DROP));
  EXPECT_FALSE(SetDmFlagFromBox(settings, IDC_PURE, true));
  char text[kTextFieldSize] = "stale";
  EXPECT_FALSE(FormatAdvancedEdit(settings, IDC_START_MAP, text));
  EXPECT_STREQ(text, "");
  EXPECT_STREQ(settings.serverName, before.serverName);
  EXPECT_EQ(settings.healthDrop, before.healthDrop);
  EXPECT_EQ(settings.dmFlags, before.dmFlags);
}

TEST(AdvancedFields, OptionBoxesInvertTheirFlagEvenFromAForeignByte) {
  ServerSettings settings;
  ASSERT_TRUE(ToggleAdvancedOption(settings, IDC_PURE));
  EXPECT_EQ(settings.pure, 1);
  ToggleAdvancedOption(settings, IDC_PURE);
  EXPECT_EQ(settings.pure, 0);
  settings.forceSpawn = 7;  // from a file
  ToggleAdvancedOption(settings, IDC_FORCE_SPAWN);
  EXPECT_EQ(settings.forceSpawn, 0);
}

TEST(AdvancedFields, DmFlagBoxesOwnOneBitEachAndLeaveTheOthers) {
  ServerSettings settings;
  settings.dmFlags = 0x80000001u;
  SetDmFlagFromBox(settings, IDC_INFINITE_AMMO, true);
  SetDmFlagFromBox(settings, IDC_AXIS_SHOTGUN, true);
  EXPECT_EQ(settings.dmFlags, 0x80000001u | DmInfiniteAmmo | DmAxisShotgun);
  SetDmFlagFromBox(settings, IDC_INFINITE_AMMO, false);
  EXPECT_EQ(settings.dmFlags, 0x80000001u | DmAxisShotgun);
  std::uint32_t all = 0;
  for (const DmFlagBox& box : kDmFlagBoxes) {
    SetDmFlagFromBox(settings, box.controlId, false);
    all |= box.bit;
  }
  EXPECT_EQ(settings.dmFlags, 0x80000001u);
  EXPECT_EQ(all, static_cast<std::uint32_t>(DmNoFallingDamage | DmInfiniteAmmo | DmLeanWhileRunning |
                                            DmOldStyleSniperRifles | DmAxisShotgun));
}

}  // namespace
