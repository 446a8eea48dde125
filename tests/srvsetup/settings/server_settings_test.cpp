#include "srvsetup/settings/server_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/game_folder.h"

namespace {

std::string Bytes(const void* data, std::size_t size) {
  return std::string(static_cast<const char*>(data), size);
}

std::string Word(std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                         static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
  return std::string(bytes, 4);
}

// A record whose every field differs from its default.
void FillNonDefaults(ServerSettings& s) {
  CopyTextField(s.serverName, "Harbour Nights");
  s.gameType = TugOfWar;
  s.healthDrop = 0;
  s.realisticMode = 1;
  s.fastRunSpeed = 0;
  s.teamDamage = 1;
  s.healRate = 20;
  CopyTextField(s.startMap, "DM/harbour");
  CopyTextField(s.mapRotation, "DM/harbour DM/quarry ");
  s.maxPlayers = 32;
  s.timeLimit = 20;
  s.fragLimit = 50;
  s.mapRotationTime = 30;
  s.teamSpawnDelay = 7;
  s.roundResetTime = 5;
  s.inactiveSpectate = 61;
  s.inactiveKick = 901;
  s.useGamespy = 0;
  CopyTextField(s.additionalSettings, "set a 1\r\nset b 2");
  s.pure = 1;
  s.allowVoting = 0;
  s.floodProtect = 0;
  s.forceTeamSpectate = 0;
  s.dmFlags = 0x80000008u;
  s.forceReady = 1;
  s.forceSpawn = 1;
  s.invulnerableTime = 4;
  s.teamKillWarning = 6;
  s.teamKillKick = 8;
  s.teamSwitchDelay = 16;
  s.gravity = 9.5f;
  s.allowJoinTime = 31;
  s.privateClients = 2;
  CopyTextField(s.password, "secret");
  CopyTextField(s.keywords, "fr casual");
  s.netPort = 27960;
  s.minPing = 10;
  s.maxPing = 400;
  s.maxRate = 25000;
}

bool SameRecord(const ServerSettings& a, const ServerSettings& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Field by field: texts up to their terminators, so tails after them do not count.
bool SameFields(const ServerSettings& a, const ServerSettings& b) {
  const char* const textsA[] = {a.serverName, a.startMap, a.mapRotation, a.additionalSettings, a.password, a.keywords};
  const char* const textsB[] = {b.serverName, b.startMap, b.mapRotation, b.additionalSettings, b.password, b.keywords};
  for (int i = 0; i < 6; ++i) {
    if (std::strcmp(textsA[i], textsB[i]) != 0) return false;
  }
  ServerSettings numbersA;
  ServerSettings numbersB;
  numbersA = a;
  numbersB = b;
  for (ServerSettings* s : {&numbersA, &numbersB}) {
    for (char* text : {s->serverName, s->startMap, s->mapRotation, s->additionalSettings, s->password, s->keywords}) {
      std::memset(text, 0, kTextFieldSize);
    }
  }
  return SameRecord(numbersA, numbersB);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  GameFolder folder;
};

TEST_F(SettingsFileTest, DefaultsFileHasTheDocumentedBytes) {
  ServerSettings settings;
  settings.Save("settings.cfg");
  const std::string file = folder.ReadFile("settings.cfg");
  ASSERT_EQ(file.size(), kSettingsFileSize);
  EXPECT_EQ(file.substr(0, 8), std::string("\x01\0\0\0\x01\0\0\0", 8));
  EXPECT_EQ(file.substr(8, 16), std::string("Nameless Battle\0", 16));
  EXPECT_EQ(file.substr(1632, 4), std::string("\xAB\x2F\0\0", 4));  // netPort 12203
  EXPECT_EQ(file.substr(1108, 4), std::string("\0\0\x48\x44", 4));   // gravity 800.0
  EXPECT_EQ(file.substr(4), Bytes(&settings, sizeof settings));
}

TEST_F(SettingsFileTest, EveryFieldRoundTripsAndSavingTwiceGivesTheSameFile) {
  ServerSettings written;
  FillNonDefaults(written);
  written.Save("settings.cfg");
  ServerSettings read;
  read.Load("settings.cfg");
  EXPECT_TRUE(SameRecord(written, read));
  read.Save("again.cfg");
  EXPECT_EQ(folder.ReadFile("settings.cfg"), folder.ReadFile("again.cfg"));
}

TEST_F(SettingsFileTest, UnusableFilesGiveTheDefaults) {
  const ServerSettings defaults;
  ServerSettings valid;
  FillNonDefaults(valid);
  valid.Save("valid.cfg");
  const std::string record = folder.ReadFile("valid.cfg").substr(4);

  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"only the leading word", Word(1)},
      {"leading word 2 before a valid record", Word(2) + record},
      {"leading word 0", Word(0) + record},
      {"two bytes", std::string("\x01\x00", 2)},
  };
  for (const Case& c : cases) {
    folder.WriteFile("settings.cfg", c.bytes);
    ServerSettings loaded;
    FillNonDefaults(loaded);
    loaded.Load("settings.cfg");
    EXPECT_EQ(loaded.serverName, std::string("Nameless Battle")) << c.name;
    EXPECT_EQ(loaded.netPort, 12203) << c.name;
    EXPECT_EQ(loaded.gravity, 800.0f) << c.name;
    EXPECT_EQ(loaded.dmFlags, 0u) << c.name;
    EXPECT_EQ(loaded.mapRotation, std::string()) << c.name;
  }

  ServerSettings missing;
  FillNonDefaults(missing);
  missing.Load("no-such-file.cfg");
  EXPECT_EQ(missing.gameType, FreeForAll);
  EXPECT_EQ(missing.maxPlayers, 16);
  EXPECT_FALSE(folder.Exists("no-such-file.cfg"));
}

TEST_F(SettingsFileTest, ShortFileKeepsWhatItHoldsAndDefaultsTheRest) {
  ServerSettings written;
  FillNonDefaults(written);
  written.Save("full.cfg");
  // Cut right after the server name: leading word, version, 256 name bytes.
  folder.WriteFile("settings.cfg", folder.ReadFile("full.cfg").substr(0, 4 + 4 + 256));
  ServerSettings loaded;
  FillNonDefaults(loaded);
  loaded.Load("settings.cfg");
  EXPECT_STREQ(loaded.serverName, "Harbour Nights");
  EXPECT_EQ(loaded.gameType, FreeForAll);
  EXPECT_EQ(loaded.healthDrop, 1);
  EXPECT_STREQ(loaded.startMap, "");
  EXPECT_EQ(loaded.netPort, 12203);
  EXPECT_EQ(loaded.maxRate, 0);
}

TEST_F(SettingsFileTest, RecordVersionIsTakenAsReadAndRefusedNextTime) {
  ServerSettings written;
  CopyTextField(written.serverName, "Version Seven");
  written.version = 7;
  folder.WriteFile("settings.cfg", Word(1) + Bytes(&written, sizeof written));

  ServerSettings loaded;
  loaded.Load("settings.cfg");
  EXPECT_EQ(loaded.version, 7u);
  EXPECT_STREQ(loaded.serverName, "Version Seven");
  loaded.Save("settings.cfg");
  EXPECT_EQ(folder.ReadFile("settings.cfg").substr(0, 8), Word(7) + Word(7));

  ServerSettings again;
  again.Load("settings.cfg");
  EXPECT_STREQ(again.serverName, "Nameless Battle");
}

TEST_F(SettingsFileTest, LongTextsSurviveAndUnterminatedTextsStayInTheirField) {
  ServerSettings written;
  const std::string longest(255, 'k');
  CopyTextField(written.keywords, longest.c_str());
  written.Save("settings.cfg");
  ServerSettings loaded;
  loaded.Load("settings.cfg");
  EXPECT_EQ(std::string(loaded.keywords), longest);

  // 256 name bytes without a terminator, followed by game type 3.
  std::string file = folder.ReadFile("settings.cfg");
  file.replace(8, 256, std::string(256, 'N'));
  file.replace(264, 4, Word(3));
  folder.WriteFile("settings.cfg", file);
  ServerSettings cut;
  cut.Load("settings.cfg");
  EXPECT_EQ(TextFieldLength(cut.serverName), 255u);
  EXPECT_EQ(std::string(cut.serverName), std::string(255, 'N'));
  EXPECT_EQ(cut.gameType, Objective);
}

TEST_F(SettingsFileTest, BytesBeyondTheRecordAreNotRead) {
  ServerSettings written;
  FillNonDefaults(written);
  written.Save("settings.cfg");
  folder.WriteFile("settings.cfg", folder.ReadFile("settings.cfg") + std::string(10 << 20, '\xFF'));
  ServerSettings loaded;
  loaded.Load("settings.cfg");
  EXPECT_TRUE(SameRecord(written, loaded));
}

TEST_F(SettingsFileTest, SaveToAnUncreatableFileIsSilent) {
  folder.MakeDirectory("settings.cfg");  // a folder where the file should be
  ServerSettings settings;
  settings.Save("settings.cfg");
  settings.Save("missing-folder/settings.cfg");
  EXPECT_FALSE(folder.Exists("missing-folder"));
}

TEST(ServerSettingsCopy, CopiesTextsUpToTheirTerminatorAndKeepsTails) {
  ServerSettings destination;
  CopyTextField(destination.serverName, "A much longer server name");
  ServerSettings source;
  FillNonDefaults(source);
  CopyTextField(source.serverName, "Short");
  destination = source;
  EXPECT_STREQ(destination.serverName, "Short");
  // The bytes after the new terminator are the old name's.
  EXPECT_STREQ(destination.serverName + 6, " longer server name");
  EXPECT_EQ(destination.dmFlags, 0x80000008u);
  EXPECT_EQ(destination.gravity, 9.5f);
  EXPECT_STREQ(destination.additionalSettings, "set a 1\r\nset b 2");
}

TEST(ServerSettingsCopy, LeavesPaddingAlone) {
  ServerSettings destination;
  ServerSettings source;
  unsigned char* raw = reinterpret_cast<unsigned char*>(&source);
  raw[1077] = raw[1078] = raw[1079] = 0x5A;  // after forceTeamSpectate
  raw[1086] = raw[1087] = 0x5A;              // after forceSpawn
  destination = source;
  const unsigned char* copied = reinterpret_cast<const unsigned char*>(&destination);
  EXPECT_EQ(copied[1077], 0);
  EXPECT_EQ(copied[1087], 0);
}

TEST(ServerSettingsDefaults, SetDefaultsRestoresEveryField) {
  ServerSettings changed;
  FillNonDefaults(changed);
  changed.SetDefaults();
  const ServerSettings fresh;
  EXPECT_TRUE(SameFields(changed, fresh));
}

TEST(ServerSettingsDefaults, CopyTextFieldCutsAt255) {
  ServerSettings s;
  const std::string tooLong(400, 'x');
  CopyTextField(s.password, tooLong.c_str());
  EXPECT_EQ(TextFieldLength(s.password), 255u);
  EXPECT_EQ(s.keywords[0], '\0');
}

}  // namespace
