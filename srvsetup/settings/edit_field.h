// The edits of both settings dialogs in one table: for each, the dialog and control that show it,
// the record field it holds, and so how the field is shown and read.
#pragma once

#include <cstdint>

#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/server_settings.h"

enum SettingsDialog { InMainDialog, InAdvancedDialog };

enum class EditForm {
  Decimal,  // shown as a signed decimal, read like strtol (ParseDecimal)
  Text,     // shown as it is, read up to 255 characters
  Gravity,  // shown with "%.2f", read like strtod and narrowed to a float (ParseGravity)
};

// Exactly the member that belongs to the form is set; the builders below keep it so.
struct EditField {
  SettingsDialog dialog;
  int controlId;
  EditForm form;
  std::int32_t ServerSettings::*number;
  char (ServerSettings::*text)[kTextFieldSize];
  float ServerSettings::*real;
};

constexpr EditField DecimalEdit(SettingsDialog dialog, int controlId, std::int32_t ServerSettings::*field) {
  return EditField{dialog, controlId, EditForm::Decimal, field, nullptr, nullptr};
}
constexpr EditField TextEdit(SettingsDialog dialog, int controlId, char (ServerSettings::*field)[kTextFieldSize]) {
  return EditField{dialog, controlId, EditForm::Text, nullptr, field, nullptr};
}
constexpr EditField GravityEdit(SettingsDialog dialog, int controlId, float ServerSettings::*field) {
  return EditField{dialog, controlId, EditForm::Gravity, nullptr, nullptr, field};
}

// Each dialog's edits in its own order: the main dialog reads them in this order on "Run Server",
// the starting map first; the Advanced dialog fills them in this order.
inline constexpr EditField kEditFields[] = {
    TextEdit(InMainDialog, IDC_START_MAP, &ServerSettings::startMap),
    TextEdit(InMainDialog, IDC_SERVER_NAME, &ServerSettings::serverName),
    TextEdit(InMainDialog, IDC_MAP_ROTATION, &ServerSettings::mapRotation),
    DecimalEdit(InMainDialog, IDC_MAX_PLAYERS, &ServerSettings::maxPlayers),
    DecimalEdit(InMainDialog, IDC_TIME_LIMIT, &ServerSettings::timeLimit),
    DecimalEdit(InMainDialog, IDC_FRAG_LIMIT, &ServerSettings::fragLimit),
    DecimalEdit(InMainDialog, IDC_MAP_ROTATION_TIME, &ServerSettings::mapRotationTime),
    DecimalEdit(InMainDialog, IDC_TEAM_SPAWN_DELAY, &ServerSettings::teamSpawnDelay),
    DecimalEdit(InMainDialog, IDC_ROUND_RESET_TIME, &ServerSettings::roundResetTime),
    DecimalEdit(InMainDialog, IDC_INACTIVE_SPECTATE, &ServerSettings::inactiveSpectate),
    DecimalEdit(InMainDialog, IDC_INACTIVE_KICK, &ServerSettings::inactiveKick),
    TextEdit(InMainDialog, IDC_ADDITIONAL_SETTINGS, &ServerSettings::additionalSettings),
    DecimalEdit(InAdvancedDialog, IDC_INVULNERABLE_TIME, &ServerSettings::invulnerableTime),
    DecimalEdit(InAdvancedDialog, IDC_TEAM_KILL_WARNING, &ServerSettings::teamKillWarning),
    DecimalEdit(InAdvancedDialog, IDC_TEAM_KILL_KICK, &ServerSettings::teamKillKick),
    DecimalEdit(InAdvancedDialog, IDC_TEAM_SWITCH_DELAY, &ServerSettings::teamSwitchDelay),
    GravityEdit(InAdvancedDialog, IDC_GRAVITY, &ServerSettings::gravity),
    DecimalEdit(InAdvancedDialog, IDC_ALLOW_JOIN_TIME, &ServerSettings::allowJoinTime),
    DecimalEdit(InAdvancedDialog, IDC_PRIVATE_CLIENTS, &ServerSettings::privateClients),
    TextEdit(InAdvancedDialog, IDC_PASSWORD, &ServerSettings::password),
    TextEdit(InAdvancedDialog, IDC_KEYWORDS, &ServerSettings::keywords),
    DecimalEdit(InAdvancedDialog, IDC_NET_PORT, &ServerSettings::netPort),
    DecimalEdit(InAdvancedDialog, IDC_MIN_PING, &ServerSettings::minPing),
    DecimalEdit(InAdvancedDialog, IDC_MAX_PING, &ServerSettings::maxPing),
    DecimalEdit(InAdvancedDialog, IDC_MAX_RATE, &ServerSettings::maxRate),
};

// The row of a dialog's edit; nullptr when the dialog has no such edit.
constexpr const EditField* FindEdit(SettingsDialog dialog, int controlId) {
  for (const EditField& edit : kEditFields) {
    if (edit.dialog == dialog && edit.controlId == controlId) return &edit;
  }
  return nullptr;
}

// The text the edit shows for the record. False, with text empty, for no edit (nullptr).
bool FormatEditText(const ServerSettings& settings, const EditField* edit, char (&text)[kTextFieldSize]);

// Stores an edit's text into its field as its form reads it. False, nothing changed, for no edit.
bool ReadEditText(ServerSettings& settings, const EditField* edit, const char* text);
