#include "srvsetup/settings/main_fields.h"

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
