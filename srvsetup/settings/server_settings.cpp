#include "srvsetup/settings/server_settings.h"

#include <cstdio>
#include <cstring>

#include "srvsetup/settings/file_replacement.h"

std::size_t TextFieldLength(const char (&field)[kTextFieldSize]) {
  return strnlen(field, kTextFieldSize);
}

void CopyTextField(char (&field)[kTextFieldSize], const char* text) {
  const std::size_t length = strnlen(text, kTextFieldSize - 1);
  std::memmove(field, text, length);
  field[length] = '\0';
}

ServerSettings::ServerSettings() {
  // The live record is static storage, zero-filled; a local one gets the same start so that
  // padding and text tails never carry stack garbage into a saved file.
  std::memset(static_cast<void*>(this), 0, sizeof *this);
  SetDefaults();
}

void ServerSettings::SetDefaults() {
  version = kSettingsVersion;
  CopyTextField(serverName, "Nameless Battle");
  gameType = FreeForAll;
  healthDrop = 1;
  realisticMode = 0;
  fastRunSpeed = 1;
  teamDamage = 0;
  healRate = 10;
  CopyTextField(startMap, "");
  CopyTextField(mapRotation, "");
  maxPlayers = 16;
  timeLimit = 0;
  fragLimit = 0;
  mapRotationTime = 0;
  teamSpawnDelay = 15;
  roundResetTime = 0;
  inactiveSpectate = 60;
  inactiveKick = 900;
  useGamespy = 1;
  CopyTextField(additionalSettings, "");
  pure = 0;
  allowVoting = 1;
  floodProtect = 1;
  forceTeamSpectate = 1;
  dmFlags = 0;
  forceReady = 0;
  forceSpawn = 0;
  invulnerableTime = 3;
  teamKillWarning = 3;
  teamKillKick = 5;
  teamSwitchDelay = 15;
  gravity = 800.0f;
  allowJoinTime = 30;
  privateClients = 0;
  CopyTextField(password, "");
  CopyTextField(keywords, "");
  netPort = 12203;
  minPing = 0;
  maxPing = 0;
  maxRate = 0;
}

ServerSettings& ServerSettings::operator=(const ServerSettings& other) {
  if (this == &other) return *this;
  version = other.version;
  CopyTextField(serverName, other.serverName);
  gameType = other.gameType;
  healthDrop = other.healthDrop;
  realisticMode = other.realisticMode;
  fastRunSpeed = other.fastRunSpeed;
  teamDamage = other.teamDamage;
  healRate = other.healRate;
  CopyTextField(startMap, other.startMap);
  CopyTextField(mapRotation, other.mapRotation);
  maxPlayers = other.maxPlayers;
  timeLimit = other.timeLimit;
  fragLimit = other.fragLimit;
  mapRotationTime = other.mapRotationTime;
  teamSpawnDelay = other.teamSpawnDelay;
  roundResetTime = other.roundResetTime;
  inactiveSpectate = other.inactiveSpectate;
  inactiveKick = other.inactiveKick;
  useGamespy = other.useGamespy;
  CopyTextField(additionalSettings, other.additionalSettings);
  pure = other.pure;
  allowVoting = other.allowVoting;
  floodProtect = other.floodProtect;
  forceTeamSpectate = other.forceTeamSpectate;
  dmFlags = other.dmFlags;
  forceReady = other.forceReady;
  forceSpawn = other.forceSpawn;
  invulnerableTime = other.invulnerableTime;
  teamKillWarning = other.teamKillWarning;
  teamKillKick = other.teamKillKick;
  teamSwitchDelay = other.teamSwitchDelay;
  gravity = other.gravity;
  allowJoinTime = other.allowJoinTime;
  privateClients = other.privateClients;
  CopyTextField(password, other.password);
  CopyTextField(keywords, other.keywords);
  netPort = other.netPort;
  minPing = other.minPing;
  maxPing = other.maxPing;
  maxRate = other.maxRate;
  return *this;
}

void ServerSettings::Load(const char* fileName) {
  ServerSettings scratch;
  std::FILE* file = std::fopen(fileName, "rb");
  if (file == nullptr) {
    SetDefaults();
    return;
  }
  // The file's leading word, read over the scratch record's own version. An empty file
  // leaves the default 1 in place and so loads as the defaults.
  unsigned char* bytes = reinterpret_cast<unsigned char*>(&scratch);
  std::size_t got = std::fread(bytes, 1, sizeof scratch.version, file);
  (void)got;
  if (scratch.version != kSettingsVersion) {
    SetDefaults();
    std::fclose(file);
    return;
  }
  // A short file replaces only the leading bytes; the rest keeps the defaults.
  got = std::fread(bytes, 1, sizeof scratch, file);
  *this = scratch;
  std::fclose(file);
}

bool ServerSettings::Save(const char* fileName) const {
  unsigned char file[kSettingsFileSize];
  std::memcpy(file, &version, sizeof version);
  std::memcpy(file + sizeof version, static_cast<const void*>(this), sizeof *this);
  return ReplaceFileContents(fileName, file, sizeof file);
}
