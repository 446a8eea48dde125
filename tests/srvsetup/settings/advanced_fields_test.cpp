// What the Advanced dialog's controls do to a record, without a window.
#include "srvsetup/settings/advanced_fields.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/resources/resource.h"

namespace {

std::string Shown(const ServerSettings& settings, int control) {
  char text[kTextFieldSize];
  EXPECT_TRUE(FormatEditText(settings, FindEdit(InAdvancedDialog, control), text));
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
  // Reading back what is shown rounds the gravity to two decimals.
  ASSERT_TRUE(ReadEditText(settings, FindEdit(InAdvancedDialog, IDC_GRAVITY), Shown(settings, IDC_GRAVITY).c_str()));
  EXPECT_EQ(settings.gravity, 800.12f);
  settings.gravity = 3.4e38f;  // the widest text a float gives
  EXPECT_EQ(Shown(settings, IDC_GRAVITY).size(), 42u);
}

TEST(AdvancedFields, EveryEditReachesItsOwnFieldAndNoOther) {
  ServerSettings settings;
  int value = 100;
  for (const EditField& edit : kEditFields) {
    if (edit.dialog != InAdvancedDialog) continue;
    ASSERT_TRUE(ReadEditText(settings, &edit, std::to_string(++value).c_str()));
  }
  // In the order the dialog fills its edits.
  const std::int32_t numbers[] = {settings.invulnerableTime, settings.teamKillWarning, settings.teamKillKick,
                                  settings.teamSwitchDelay,  settings.allowJoinTime,   settings.privateClients};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(numbers[i], 101 + i + (i >= 4)) << i;
  EXPECT_EQ(settings.gravity, 105.0f);
  EXPECT_STREQ(settings.password, "108");
  EXPECT_STREQ(settings.keywords, "109");
  const std::int32_t network[] = {settings.netPort, settings.minPing, settings.maxPing, settings.maxRate};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(network[i], 110 + i) << i;
  // The main dialog's fields stay as they were.
  ServerSettings defaults;
  EXPECT_EQ(std::memcmp(&settings, &defaults, offsetof(ServerSettings, pure)), 0);

  ReadEditText(settings, FindEdit(InAdvancedDialog, IDC_GRAVITY), "0.5");  // a real number, not a whole one
  EXPECT_EQ(settings.gravity, 0.5f);
  ASSERT_TRUE(ReadEditText(settings, FindEdit(InAdvancedDialog, IDC_KEYWORDS), std::string(300, 'k').c_str()));
  EXPECT_EQ(std::string(settings.keywords), std::string(255, 'k'));
  // Controls of the main dialog are refused and change nothing.
  EXPECT_FALSE(ReadEditText(settings, FindEdit(InAdvancedDialog, IDC_SERVER_NAME), "x"));
  EXPECT_FALSE(ToggleOptionBox(settings, kAdvancedOptionBoxes, IDC_HEALTH_DROP));
  EXPECT_FALSE(SetDmFlagFromBox(settings, IDC_PURE, true));
  EXPECT_EQ(FindEdit(InAdvancedDialog, IDC_START_MAP), nullptr);
  EXPECT_EQ(std::memcmp(&settings, &defaults, offsetof(ServerSettings, pure)), 0);
}

TEST(AdvancedFields, OptionBoxesInvertTheirFlagAndDmFlagBoxesOwnOneBitEach) {
  ServerSettings settings;
  ASSERT_TRUE(ToggleOptionBox(settings, kAdvancedOptionBoxes, IDC_PURE));
  EXPECT_EQ(settings.pure, 1);
  ToggleOptionBox(settings, kAdvancedOptionBoxes, IDC_PURE);
  EXPECT_EQ(settings.pure, 0);
  settings.forceSpawn = 7;  // from a file
  ToggleOptionBox(settings, kAdvancedOptionBoxes, IDC_FORCE_SPAWN);
  EXPECT_EQ(settings.forceSpawn, 0);

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
