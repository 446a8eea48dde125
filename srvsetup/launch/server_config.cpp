#include "srvsetup/launch/server_config.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "srvsetup/launch/game_paths.h"
#include "srvsetup/settings/file_replacement.h"

namespace {

void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AppendFormat(std::string& out, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length > 0) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&out[start], static_cast<std::size_t>(length) + 1, format, args);
    out.resize(start + static_cast<std::size_t>(length));
  }
  va_end(args);
}

// A text field as a printf argument pair: never read past the field, terminated or not.
#define FIELD(text) static_cast<int>(TextFieldLength(text)), text

std::int32_t Signed(std::uint32_t value) { return static_cast<std::int32_t>(value); }

}  // namespace

std::string FormatServerConfig(const ServerSettings& s) {
  std::string out;
  out.reserve(4096);
  AppendFormat(out, "// Server Name\n// Name that will appear on the server browser\n");
  AppendFormat(out, "sv_hostname \"%.*s\"\n", FIELD(s.serverName));
  AppendFormat(out, "\n// Game Type\n// 1 Free for All\n// 2 Team Based\n// 3 Round Based\n// 4 Objective\n// 5 Tug Of War\n");
  // Wrapping arithmetic: a hostile file's INT32_MAX must not overflow.
  AppendFormat(out, "set g_gametype %d\n", Signed(static_cast<std::uint32_t>(s.gameType) + 1u));
  AppendFormat(out, "\n// Health Drop\n// When enabled players will drop a health pack when killed\n");
  AppendFormat(out, "set g_healthdrop %d\n", s.healthDrop);
  AppendFormat(out, "\n// Realism\n// Toggles reaslistic mode\n");
  AppendFormat(out, "set g_realismmode %d\n", s.realisticMode);
  AppendFormat(out, "\n// Fast Run Speed\n// When checked, the speed at which players can run through levels is increased. \n// Leaving it unchecked defaults to Grauwerk's original run speed\n");
  AppendFormat(out, "set sv_dmspeedmult %f\n", static_cast<double>(s.fastRunSpeed ? 1.1f : 1.0f));
  AppendFormat(out, "\n// Team Damage\n// Toggles friendly fire\n");
  AppendFormat(out, "set g_teamdamage %d\n", s.teamDamage);
  AppendFormat(out, "\n// Heal Rate\n// Determines how fast players heal when they use a health pickup\n");
  AppendFormat(out, "set g_healrate %d\n", s.healRate);
  AppendFormat(out, "\n// Max Players\n");
  AppendFormat(out, "set sv_maxclients %d\n", s.maxPlayers);
  AppendFormat(out, "\n// Time Limit\n// This sets the elapsed time at which the game ends, the winner being the player with the highest score at that time.\n");
  AppendFormat(out, "timelimit %d\n", s.timeLimit);
  AppendFormat(out, "\n// Frag Limit\n// The score at which the player or team will win the current map\n");
  AppendFormat(out, "fraglimit %d\n", s.fragLimit);
  AppendFormat(out, "\n// Map Rotation Time\n// This sets the maximum amount of time in minutes players will spend in a particular map.\n");
  AppendFormat(out, "maprotationtime %d\n", s.mapRotationTime);
  AppendFormat(out, "\n// Team Spawn Delay\n// This sets a delay in seconds between spawns. This is useful if you would like the \n// player spawned in batches, rather than one at a time\n");
  AppendFormat(out, "set sv_team_spawn_interval %d\n", s.teamSpawnDelay);
  AppendFormat(out, "\n// Round Reset Time\n// This sets how long each round will take, in minutes. This can be smaller than the map rotation time, but not larger.\n");
  AppendFormat(out, "roundlimit %d\n", s.roundResetTime);
  AppendFormat(out, "\n// Inactive Spectate\n// This sets the time in seconds after which an inactive player becomes a spectator. To save server bandwidth, 60 seconds is default.\n");
  AppendFormat(out, "set g_inactivespectate %d\n", s.inactiveSpectate);
  AppendFormat(out, "\n// Inactive Kick\n// This sets the time in seconds after which an inactive player is kicked out of the game. 900 (15 minutes) seconds is default.\n");
  AppendFormat(out, "set g_inactivekick %d\n", s.inactiveKick);
  AppendFormat(out, "\n// Use Gamespy\n// To use GameSpy gaming service for internet-based multiplayer games.\n");
  AppendFormat(out, "set sv_gamespy %d\n", s.useGamespy);
  AppendFormat(out, "%.*s\n", FIELD(s.additionalSettings));
  AppendFormat(out, "\n// Pure\n// Verifies that the files on the client are the same as those on the server.\n");
  AppendFormat(out, "set sv_pure %d\n", s.pure);
  AppendFormat(out, "\n// Allow Vote\n// Enables players to call a vote.\n");
  AppendFormat(out, "set g_allowvote %d\n", s.allowVoting);
  AppendFormat(out, "\n// Flood Protect\n// Limits amount of text a player can type\n");
  AppendFormat(out, "set sv_floodprotect %d\n", s.floodProtect);
  AppendFormat(out, "\n// Force Team Spectate\n");
  AppendFormat(out, "set g_forceteamspectate %d\n", s.forceTeamSpectate);
  AppendFormat(out, "set dmflags %d\n", Signed(s.dmFlags));
  AppendFormat(out, "set g_forceready %d\n", s.forceReady);
  AppendFormat(out, "set g_forcespawn %d\n", s.forceSpawn);
  AppendFormat(out, "\n// Invulnerable Time\n// Amount of time a player is invulnerable for after spawning\n");
  AppendFormat(out, "set sv_invulnerabletime %d\n", s.invulnerableTime);
  AppendFormat(out, "\n// Team Kill Warning\n// Amount of team kills before the player is warned\n");
  AppendFormat(out, "set g_teamkillwarn %d\n", s.teamKillWarning);
  AppendFormat(out, "\n// Team Kill Kick\n// Amount of team kills before the player is kicked off the server.\n");
  AppendFormat(out, "set g_teamkillkick %d\n", s.teamKillKick);
  AppendFormat(out, "\n// Team Switch Delay\n// Frequency at which you can switch teams\n");
  AppendFormat(out, "set g_teamswitchdelay %d\n", s.teamSwitchDelay);
  AppendFormat(out, "\n// Gravity\n");
  AppendFormat(out, "set sv_gravity %f\n", static_cast<double>(s.gravity));
  AppendFormat(out, "\n// Allow Join Time\n");
  AppendFormat(out, "set g_allowjointime %d\n", s.allowJoinTime);
  AppendFormat(out, "\n// Private Clients\n// Clients that require a password to join\n");
  AppendFormat(out, "set sv_privateclients %d\n", s.privateClients);
  AppendFormat(out, "\n// Password\n// Allows you to set a password for the server\n");
  AppendFormat(out, "set sv_privatepassword \"%.*s\"\n", FIELD(s.password));
  AppendFormat(out, "\n// Keywords\n// Keywords which allow browsers to filter servers.\n");
  AppendFormat(out, "set sv_keywords \"%.*s\"\n", FIELD(s.keywords));
  AppendFormat(out, "\n// Net Port\n");
  AppendFormat(out, "set net_port %d\n", s.netPort);
  AppendFormat(out, "\n// Minimum Ping\n");
  AppendFormat(out, "set sv_minping %d\n", s.minPing);
  AppendFormat(out, "\n// Maximum Ping\n");
  AppendFormat(out, "set sv_maxping %d\n", s.maxPing);
  AppendFormat(out, "\n// Maximum Rate\n");
  AppendFormat(out, "set sv_maxrate %d\n", s.maxRate);
  AppendFormat(out, "\n// Map\n// Starting map on the rotation.\n");
  AppendFormat(out, "map \"%.*s\"\n", FIELD(s.startMap));
  AppendFormat(out, "\n// Map Rotation List\n");
  AppendFormat(out, "sv_maplist \"%.*s\"\n", FIELD(s.mapRotation));
  return out;
}

bool WriteServerConfig(const ServerSettings& settings) {
  char path[kPathSize];
  if (!JoinCurrentDirectory(path, {"mainex", "server.cfg"})) return false;

  // Binary mode with the text-mode translation done here, so every platform writes the bytes
  // that a Windows text-mode stream writes.
  const std::string script = FormatServerConfig(settings);
  std::string bytes;
  bytes.reserve(script.size() + script.size() / 16);
  for (char c : script) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  // Whole or not at all: the server must never start on a cut script.
  return ReplaceFileContents(path, bytes.data(), bytes.size());
}
