// A record whose every field differs from its default and from every other field, so that a
// field lost, defaulted or written in another's place shows.
#pragma once

#include "srvsetup/settings/server_settings.h"

struct DistinctSettings : ServerSettings {
  DistinctSettings() { Fill(*this); }
  static void Fill(ServerSettings& s) {
    CopyTextField(s.serverName, "Name");
    s.gameType = Objective;
    s.healthDrop = 0;
    s.realisticMode = 1;
    s.fastRunSpeed = 0;
    s.teamDamage = 1;
    s.healRate = 5;
    CopyTextField(s.startMap, "DM/harbour");
    CopyTextField(s.mapRotation, "DM/harbour TOW/dam ");
    std::int32_t* const numbers[] = {&s.maxPlayers, &s.timeLimit, &s.fragLimit, &s.mapRotationTime,
                                     &s.teamSpawnDelay, &s.roundResetTime, &s.inactiveSpectate, &s.inactiveKick,
                                     &s.invulnerableTime, &s.teamKillWarning, &s.teamKillKick, &s.teamSwitchDelay,
                                     &s.allowJoinTime, &s.privateClients, &s.netPort, &s.minPing, &s.maxPing,
                                     &s.maxRate};
    std::int32_t next = 100;
    for (std::int32_t* number : numbers) *number = ++next;
    s.useGamespy = 0;
    CopyTextField(s.additionalSettings, "set a 1\r\nset b 2");
    s.pure = 1;
    s.allowVoting = 0;
    s.floodProtect = 0;
    s.forceTeamSpectate = 0;
    s.dmFlags = 0x80000008u;
    s.forceReady = 1;
    s.forceSpawn = 1;
    s.gravity = 9.5f;
    CopyTextField(s.password, "pw");
    CopyTextField(s.keywords, "kw");
  }
};
