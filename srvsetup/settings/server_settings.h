// The record of every dedicated-server option, its defaults and its file "settings.cfg".
//
// The record is stored byte for byte, so its layout is the file format: 1644 bytes, little-endian,
// laid out as the 32-bit x86 compiler lays it out. Every offset is pinned below so that the
// 64-bit test bed and the 32-bit product agree.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kTextFieldSize = 256;  // a text field: at most 255 characters and a NUL

// Position in the main dialog's game-type list; the script writes it plus one.
enum GameType : std::int32_t {
  NoGameType = -1,  // the game-type list has no selection
  FreeForAll = 0,
  TeamBased = 1,
  RoundBased = 2,
  Objective = 3,
  TugOfWar = 4,
};

// dmFlags bits that the Advanced dialog edits; every other bit travels unchanged.
enum DmFlag : std::uint32_t {
  DmNoFallingDamage = 0x8,
  DmInfiniteAmmo = 0x4000,
  DmLeanWhileRunning = 0x40000,
  DmOldStyleSniperRifles = 0x80000,
  DmAxisShotgun = 0x200000,
};

// Flags are single bytes, 0 or 1 when the program sets them; a loaded file may hold any byte,
// which is kept as it is.
struct ServerSettings {
  std::uint32_t version;
  char serverName[kTextFieldSize];
  std::int32_t gameType;  // a GameType
  std::uint8_t healthDrop;
  std::uint8_t realisticMode;
  std::uint8_t fastRunSpeed;
  std::uint8_t teamDamage;
  std::int32_t healRate;  // 0, 5, 10 or 20 from the dialog; a file may hold any value
  char startMap[kTextFieldSize];
  char mapRotation[kTextFieldSize];  // map names, each followed by one blank
  std::int32_t maxPlayers;
  std::int32_t timeLimit;
  std::int32_t fragLimit;
  std::int32_t mapRotationTime;
  std::int32_t teamSpawnDelay;
  std::int32_t roundResetTime;
  std::int32_t inactiveSpectate;
  std::int32_t inactiveKick;
  std::uint8_t useGamespy;
  char additionalSettings[kTextFieldSize];  // free console lines, separated by CR LF
  std::uint8_t pure;
  std::uint8_t allowVoting;
  std::uint8_t floodProtect;
  std::uint8_t forceTeamSpectate;
  std::uint32_t dmFlags;  // DmFlag bits and any others
  std::uint8_t forceReady;
  std::uint8_t forceSpawn;
  std::int32_t invulnerableTime;
  std::int32_t teamKillWarning;
  std::int32_t teamKillKick;
  std::int32_t teamSwitchDelay;
  float gravity;
  std::int32_t allowJoinTime;
  std::int32_t privateClients;
  char password[kTextFieldSize];
  char keywords[kTextFieldSize];
  std::int32_t netPort;
  std::int32_t minPing;
  std::int32_t maxPing;
  std::int32_t maxRate;

  // Zero-fills the whole record (padding and text tails included), then sets the defaults.
  ServerSettings();
  // Copies field by field; a text goes up to its terminator, and never past 255 characters.
  // Padding and the destination's bytes after each terminator stay as they were.
  ServerSettings& operator=(const ServerSettings& other);
  ServerSettings(const ServerSettings&) = delete;

  // Sets every field to its default; padding and text tails are left as they are.
  void SetDefaults();
  // Replaces the record with the file's content, or with the defaults. Never fails loudly.
  void Load(const char* fileName);
  // Writes the file (leading version word, then the record) whole, through a temporary file:
  // on any failure the old file stays as it was and false is returned, which the launcher does
  // not act on.
  bool Save(const char* fileName) const;
};

constexpr std::uint32_t kSettingsVersion = 1;
constexpr std::size_t kSettingsRecordSize = 1644;
constexpr std::size_t kSettingsFileSize = 4 + kSettingsRecordSize;

static_assert(sizeof(float) == 4, "gravity is IEEE single precision");
static_assert(sizeof(ServerSettings) == kSettingsRecordSize, "record size is part of the file format");
static_assert(offsetof(ServerSettings, version) == 0);
static_assert(offsetof(ServerSettings, serverName) == 4);
static_assert(offsetof(ServerSettings, gameType) == 260);
static_assert(offsetof(ServerSettings, healthDrop) == 264);
static_assert(offsetof(ServerSettings, realisticMode) == 265);
static_assert(offsetof(ServerSettings, fastRunSpeed) == 266);
static_assert(offsetof(ServerSettings, teamDamage) == 267);
static_assert(offsetof(ServerSettings, healRate) == 268);
static_assert(offsetof(ServerSettings, startMap) == 272);
static_assert(offsetof(ServerSettings, mapRotation) == 528);
static_assert(offsetof(ServerSettings, maxPlayers) == 784);
static_assert(offsetof(ServerSettings, timeLimit) == 788);
static_assert(offsetof(ServerSettings, fragLimit) == 792);
static_assert(offsetof(ServerSettings, mapRotationTime) == 796);
static_assert(offsetof(ServerSettings, teamSpawnDelay) == 800);
static_assert(offsetof(ServerSettings, roundResetTime) == 804);
static_assert(offsetof(ServerSettings, inactiveSpectate) == 808);
static_assert(offsetof(ServerSettings, inactiveKick) == 812);
static_assert(offsetof(ServerSettings, useGamespy) == 816);
static_assert(offsetof(ServerSettings, additionalSettings) == 817);
static_assert(offsetof(ServerSettings, pure) == 1073);
static_assert(offsetof(ServerSettings, allowVoting) == 1074);
static_assert(offsetof(ServerSettings, floodProtect) == 1075);
static_assert(offsetof(ServerSettings, forceTeamSpectate) == 1076);
static_assert(offsetof(ServerSettings, dmFlags) == 1080);
static_assert(offsetof(ServerSettings, forceReady) == 1084);
static_assert(offsetof(ServerSettings, forceSpawn) == 1085);
static_assert(offsetof(ServerSettings, invulnerableTime) == 1088);
static_assert(offsetof(ServerSettings, teamKillWarning) == 1092);
static_assert(offsetof(ServerSettings, teamKillKick) == 1096);
static_assert(offsetof(ServerSettings, teamSwitchDelay) == 1100);
static_assert(offsetof(ServerSettings, gravity) == 1104);
static_assert(offsetof(ServerSettings, allowJoinTime) == 1108);
static_assert(offsetof(ServerSettings, privateClients) == 1112);
static_assert(offsetof(ServerSettings, password) == 1116);
static_assert(offsetof(ServerSettings, keywords) == 1372);
static_assert(offsetof(ServerSettings, netPort) == 1628);
static_assert(offsetof(ServerSettings, minPing) == 1632);
static_assert(offsetof(ServerSettings, maxPing) == 1636);
static_assert(offsetof(ServerSettings, maxRate) == 1640);

// Copies a NUL-terminated text into a field: at most 255 characters and a terminator, the bytes
// after the terminator untouched. The source is read no further than 256 bytes.
void CopyTextField(char (&field)[kTextFieldSize], const char* text);

// Length of a field's text: up to its terminator, at most 256 if it has none.
std::size_t TextFieldLength(const char (&field)[kTextFieldSize]);
