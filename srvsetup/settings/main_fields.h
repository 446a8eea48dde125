// What the main dialog's controls do to a record, apart from any window (its edits are rows of
// the one edit table, edit_field.h): which field each check box holds, how the two lists map to
// their fields, and which controls the game type enables.
#pragma once

#include <cstdint>
#include <iterator>

#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/edit_field.h"
#include "srvsetup/settings/option_box.h"
#include "srvsetup/settings/server_settings.h"

// The four option boxes that a click inverts at once; Use Gamespy is read on "Run Server" only.
inline constexpr OptionBox kMainOptionBoxes[] = {
    {IDC_HEALTH_DROP, &ServerSettings::healthDrop},
    {IDC_REALISTIC_MODE, &ServerSettings::realisticMode},
    {IDC_FAST_RUN_SPEED, &ServerSettings::fastRunSpeed},
    {IDC_TEAM_DAMAGE, &ServerSettings::teamDamage},
};

// Heal-rate list: the rate each position stands for, per second.
inline constexpr std::int32_t kHealRates[] = {0, 5, 10, 20};
constexpr int kHealRatePositions = static_cast<int>(std::size(kHealRates));
// The position that shows a rate; -1 for a rate the list does not offer.
int HealRatePosition(std::int32_t healRate);
// Takes a list position into the record; false, healRate unchanged, for any other position
// (-1 when the list has no selection).
bool SetHealRateFromPosition(ServerSettings& settings, int position);

// Game-type list: position = GameType value.
constexpr int kGameTypePositions = 5;
// The position to select for a stored game type; -1 (no selection) outside 0 to 4.
int GameTypePosition(std::int32_t gameType);

// Which game-type dependent controls are enabled: Team Damage, Map Rotation Time and Team Spawn
// Delay together, Round Reset Time on its own.
struct GameTypeEnabling {
  bool teamControls;
  bool roundReset;
};
// The rule at initialisation, from the stored value: only exactly FreeForAll disables.
GameTypeEnabling EnablingForStoredGameType(std::int32_t gameType);
// The rule after a change of the list, from its selection: 0 or less (no selection too) disables.
GameTypeEnabling EnablingForSelection(int position);
