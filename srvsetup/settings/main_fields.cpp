#include "srvsetup/settings/main_fields.h"

#include <cstdio>

#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/number_text.h"

namespace {

struct NumberEdit {
  int controlId;
  std::int32_t ServerSettings::*field;
};

const NumberEdit kNumberEdits[] = {
    {IDC_MAX_PLAYERS, &ServerSettings::maxPlayers},
    {IDC_TIME_LIMIT, &ServerSettings::timeLimit},
    {IDC_FRAG_LIMIT, &ServerSettings::fragLimit},
    {IDC_MAP_ROTATION_TIME, &ServerSettings::mapRotationTime},
    {IDC_TEAM_SPAWN_DELAY, &ServerSettings::teamSpawnDelay},
    {IDC_ROUND_RESET_TIME, &ServerSettings::roundResetTime},
    {IDC_INACTIVE_SPECTATE, &ServerSettings::inactiveSpectate},
    {IDC_INACTIVE_KICK, &ServerSettings::inactiveKick},
};

const std::int32_t kHealRates[kHealRatePositions] = {0, 5, 10, 20};

// Both lookups serve a record and a const record alike.
template <typename Record>
auto NumberField(Record& settings, int controlId) -> decltype(&settings.maxPlayers) {
  for (const NumberEdit& edit : kNumberEdits) {
    if (edit.controlId == controlId) return &(settings.*edit.field);
  }
  return nullptr;
}

template <typename Record>
auto TextField(Record& settings, int controlId) -> decltype(&settings.serverName) {
  switch (controlId) {
    case IDC_SERVER_NAME:
      return &settings.serverName;
    case IDC_START_MAP:
      return &settings.startMap;
    case IDC_MAP_ROTATION:
      return &settings.mapRotation;
    case IDC_ADDITIONAL_SETTINGS:
      return &settings.additionalSettings;
  }
  return nullptr;
}

}  // namespace

const int kMainEdits[kMainEditCount] = {
    IDC_START_MAP,        IDC_SERVER_NAME,       IDC_MAP_ROTATION,      IDC_MAX_PLAYERS,
    IDC_TIME_LIMIT,       IDC_FRAG_LIMIT,        IDC_MAP_ROTATION_TIME, IDC_TEAM_SPAWN_DELAY,
    IDC_ROUND_RESET_TIME, IDC_INACTIVE_SPECTATE, IDC_INACTIVE_KICK,     IDC_ADDITIONAL_SETTINGS,
};

const OptionBox kMainOptionBoxes[kMainOptionCount] = {
    {IDC_HEALTH_DROP, &ServerSettings::healthDrop},
    {IDC_REALISTIC_MODE, &ServerSettings::realisticMode},
    {IDC_FAST_RUN_SPEED, &ServerSettings::fastRunSpeed},
    {IDC_TEAM_DAMAGE, &ServerSettings::teamDamage},
};

bool FormatMainEdit(const ServerSettings& settings, int controlId, char (&text)[kTextFieldSize]) {
  text[0] = '\0';
  if (const std::int32_t* number = NumberField(settings, controlId)) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(*number));
    return true;
  }
  if (const auto field = TextField(settings, controlId)) {
    CopyTextField(text, *field);
    return true;
  }
  return false;
}

bool ReadMainEdit(ServerSettings& settings, int controlId, const char* text) {
  if (std::int32_t* number = NumberField(settings, controlId)) {
    *number = ParseDecimal(text);
    return true;
  }
  if (const auto field = TextField(settings, controlId)) {
    CopyTextField(*field, text);
    return true;
  }
  return false;
}

bool ToggleMainOption(ServerSettings& settings, int controlId) {
  return ToggleOptionBox(settings, kMainOptionBoxes, controlId);
}

int HealRatePosition(std::int32_t healRate) {
  for (int position = 0; position < kHealRatePositions; ++position) {
    if (kHealRates[position] == healRate) return position;
  }
  return -1;
}

bool SetHealRateFromPosition(ServerSettings& settings, int position) {
  if (position < 0 || position >= kHealRatePositions) return false;
  settings.healRate = kHealRates[position];
  return true;
}

int GameTypePosition(std::int32_t gameType) {
  return gameType >= 0 && gameType < kGameTypePositions ? static_cast<int>(gameType) : -1;
}

GameTypeEnabling EnablingForStoredGameType(std::int32_t gameType) {
  return GameTypeEnabling{gameType != FreeForAll, gameType == RoundBased};
}

GameTypeEnabling EnablingForSelection(int position) {
  return GameTypeEnabling{position > FreeForAll, position == RoundBased};
}
