#include "srvsetup/settings/advanced_fields.h"

#include <cstdio>

#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/number_text.h"

namespace {

struct NumberEdit {
  int controlId;
  std::int32_t ServerSettings::*field;
};

const NumberEdit kNumberEdits[] = {
    {IDC_INVULNERABLE_TIME, &ServerSettings::invulnerableTime},
    {IDC_TEAM_KILL_WARNING, &ServerSettings::teamKillWarning},
    {IDC_TEAM_KILL_KICK, &ServerSettings::teamKillKick},
    {IDC_TEAM_SWITCH_DELAY, &ServerSettings::teamSwitchDelay},
    {IDC_ALLOW_JOIN_TIME, &ServerSettings::allowJoinTime},
    {IDC_PRIVATE_CLIENTS, &ServerSettings::privateClients},
    {IDC_NET_PORT, &ServerSettings::netPort},
    {IDC_MIN_PING, &ServerSettings::minPing},
    {IDC_MAX_PING, &ServerSettings::maxPing},
    {IDC_MAX_RATE, &ServerSettings::maxRate},
};

// Both lookups serve a record and a const record alike.
template <typename Record>
auto NumberField(Record& settings, int controlId) -> decltype(&settings.netPort) {
  for (const NumberEdit& edit : kNumberEdits) {
    if (edit.controlId == controlId) return &(settings.*edit.field);
  }
  return nullptr;
}

template <typename Record>
auto TextField(Record& settings, int controlId) -> decltype(&settings.password) {
  if (controlId == IDC_PASSWORD) return &settings.password;
  if (controlId == IDC_KEYWORDS) return &settings.keywords;
  return nullptr;
}

}  // namespace

const int kAdvancedEdits[kAdvancedEditCount] = {
    IDC_INVULNERABLE_TIME, IDC_TEAM_KILL_WARNING, IDC_TEAM_KILL_KICK, IDC_TEAM_SWITCH_DELAY, IDC_GRAVITY,
    IDC_ALLOW_JOIN_TIME,   IDC_PRIVATE_CLIENTS,   IDC_PASSWORD,       IDC_KEYWORDS,          IDC_NET_PORT,
    IDC_MIN_PING,          IDC_MAX_PING,          IDC_MAX_RATE,
};

const OptionBox kAdvancedOptionBoxes[kAdvancedOptionCount] = {
    {IDC_PURE, &ServerSettings::pure},
    {IDC_ALLOW_VOTING, &ServerSettings::allowVoting},
    {IDC_FLOOD_PROTECT, &ServerSettings::floodProtect},
    {IDC_FORCE_TEAM_SPECTATE, &ServerSettings::forceTeamSpectate},
    {IDC_FORCE_READY, &ServerSettings::forceReady},
    {IDC_FORCE_SPAWN, &ServerSettings::forceSpawn},
};

const DmFlagBox kDmFlagBoxes[kDmFlagBoxCount] = {
    {IDC_NO_FALLING_DAMAGE, DmNoFallingDamage},
    {IDC_INFINITE_AMMO, DmInfiniteAmmo},
    {IDC_LEAN_WHILE_RUNNING, DmLeanWhileRunning},
    {IDC_OLD_STYLE_SNIPER_RIFLES, DmOldStyleSniperRifles},
    {IDC_AXIS_SHOTGUN, DmAxisShotgun},
};

bool IsAdvancedEdit(int controlId) {
  for (int edit : kAdvancedEdits) {
    if (edit == controlId) return true;
  }
  return false;
}

bool FormatAdvancedEdit(const ServerSettings& settings, int controlId, char (&text)[kTextFieldSize]) {
  text[0] = '\0';
  if (const std::int32_t* number = NumberField(settings, controlId)) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(*number));
    return true;
  }
  if (controlId == IDC_GRAVITY) {
    // Even the largest float fits: 39 digits, the point and two decimals.
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(settings.gravity));
    return true;
  }
  if (const auto field = TextField(settings, controlId)) {
    CopyTextField(text, *field);
    return true;
  }
  return false;
}

bool ReadAdvancedEdit(ServerSettings& settings, int controlId, const char* text) {
  if (std::int32_t* number = NumberField(settings, controlId)) {
    *number = ParseDecimal(text);
    return true;
  }
  if (controlId == IDC_GRAVITY) {
    settings.gravity = ParseGravity(text);
    return true;
  }
  if (const auto field = TextField(settings, controlId)) {
    CopyTextField(*field, text);
    return true;
  }
  return false;
}

bool ToggleAdvancedOption(ServerSettings& settings, int controlId) {
  return ToggleOptionBox(settings, kAdvancedOptionBoxes, controlId);
}

bool SetDmFlagFromBox(ServerSettings& settings, int controlId, bool checked) {
  for (const DmFlagBox& box : kDmFlagBoxes) {
    if (box.controlId == controlId) {
      if (checked) {
        settings.dmFlags |= box.bit;
      } else {
        settings.dmFlags &= ~box.bit;
      }
      return true;
    }
  }
  return false;
}
