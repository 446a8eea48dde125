// What the Advanced dialog's check boxes do to a record, apart from any window; its edits are
// rows of the one edit table (edit_field.h).
#pragma once

#include <cstdint>

#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/edit_field.h"
#include "srvsetup/settings/option_box.h"
#include "srvsetup/settings/server_settings.h"

// The six option boxes: a click inverts the flag.
inline constexpr OptionBox kAdvancedOptionBoxes[] = {
    {IDC_PURE, &ServerSettings::pure},
    {IDC_ALLOW_VOTING, &ServerSettings::allowVoting},
    {IDC_FLOOD_PROTECT, &ServerSettings::floodProtect},
    {IDC_FORCE_TEAM_SPECTATE, &ServerSettings::forceTeamSpectate},
    {IDC_FORCE_READY, &ServerSettings::forceReady},
    {IDC_FORCE_SPAWN, &ServerSettings::forceSpawn},
};

// The five DM Flags boxes: each owns one bit of dmFlags; no box touches the other bits.
struct DmFlagBox {
  int controlId;
  std::uint32_t bit;
};
inline constexpr DmFlagBox kDmFlagBoxes[] = {
    {IDC_NO_FALLING_DAMAGE, DmNoFallingDamage},
    {IDC_INFINITE_AMMO, DmInfiniteAmmo},
    {IDC_LEAN_WHILE_RUNNING, DmLeanWhileRunning},
    {IDC_OLD_STYLE_SNIPER_RIFLES, DmOldStyleSniperRifles},
    {IDC_AXIS_SHOTGUN, DmAxisShotgun},
};

// Sets or clears the bit of a DM Flags box; false for any other control.
bool SetDmFlagFromBox(ServerSettings& settings, int controlId, bool checked);
