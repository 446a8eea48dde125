#include "srvsetup/launch/server_config.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "srvsetup/launch/game_paths.h"
#include "support/game_folder.h"

namespace {

namespace fs = std::filesystem;

class ServerScriptTest : public ::testing::Test {
 protected:
  void SetUp() override { folder.MakeDirectory("mainex"); }

  // Writes the script for the record and returns its bytes on disk.
  std::string Written(const ServerSettings& s) {
    EXPECT_TRUE(WriteServerConfig(s));
    return folder.ReadFile("mainex/server.cfg");
  }

  GameFolder folder;
  ServerSettings settings;
};

TEST_F(ServerScriptTest, DefaultsGiveTheExpectedScriptByteForByte) {
  const std::string expected = ReadBinaryFile(fs::path(TEST_DATA_DIR) / "server_defaults.cfg");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Written(settings), expected);
}

TEST_F(ServerScriptTest, EveryLineEndsInCrLfFromTheFirstCommentToTheRotation) {
  const std::string script = Written(settings);
  EXPECT_EQ(script.rfind("// Server Name\r\n// Name that", 0), 0u);
  const std::string last = "\r\n\r\n// Map Rotation List\r\nsv_maplist \"\"\r\n";
  ASSERT_GE(script.size(), last.size());
  EXPECT_EQ(script.substr(script.size() - last.size()), last);
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i] == '\n') {
      ASSERT_EQ(script[i - 1], '\r') << "at byte " << i;
    }
  }
}

TEST_F(ServerScriptTest, EachFieldFeedsItsOwnLine) {
  // Distinct values everywhere, so that a field written in another's place shows.
  CopyTextField(settings.serverName, "Name");
  settings.gameType = Objective;
  settings.healthDrop = 0;
  settings.realisticMode = 1;
  settings.fastRunSpeed = 0;
  settings.teamDamage = 1;
  settings.healRate = 5;
  CopyTextField(settings.startMap, "DM/harbour");
  CopyTextField(settings.mapRotation, "DM/harbour TOW/dam ");
  settings.maxPlayers = 101;
  settings.timeLimit = 102;
  settings.fragLimit = 103;
  settings.mapRotationTime = 104;
  settings.teamSpawnDelay = 105;
  settings.roundResetTime = 106;
  settings.inactiveSpectate = 107;
  settings.inactiveKick = 108;
  settings.useGamespy = 0;
  settings.pure = 1;
  settings.allowVoting = 0;
  settings.floodProtect = 0;
  settings.forceTeamSpectate = 0;
  settings.dmFlags = 0x80000008u;
  settings.forceReady = 1;
  settings.forceSpawn = 1;
  settings.invulnerableTime = 109;
  settings.teamKillWarning = 110;
  settings.teamKillKick = 111;
  settings.teamSwitchDelay = 112;
  settings.gravity = 9.5f;
  settings.allowJoinTime = 113;
  settings.privateClients = 114;
  CopyTextField(settings.password, "pw");
  CopyTextField(settings.keywords, "kw");
  settings.netPort = 115;
  settings.minPing = 116;
  settings.maxPing = 117;
  settings.maxRate = 118;

  const std::string script = Written(settings);
  std::string lines;  // the setting lines alone, in order
  std::size_t start = 0;
  while (start < script.size()) {
    const std::size_t end = script.find("\r\n", start);
    const std::string line = script.substr(start, end - start);
    if (!line.empty() && line.rfind("//", 0) != 0) lines += line + "|";
    start = end + 2;
  }
  EXPECT_EQ(lines,
            "sv_hostname \"Name\"|set g_gametype 4|set g_healthdrop 0|set g_realismmode 1|"
            "set sv_dmspeedmult 1.000000|set g_teamdamage 1|set g_healrate 5|set sv_maxclients 101|"
            "timelimit 102|fraglimit 103|maprotationtime 104|set sv_team_spawn_interval 105|"
            "roundlimit 106|set g_inactivespectate 107|set g_inactivekick 108|set sv_gamespy 0|"
            "set sv_pure 1|set g_allowvote 0|set sv_floodprotect 0|set g_forceteamspectate 0|"
            "set dmflags -2147483640|set g_forceready 1|set g_forcespawn 1|set sv_invulnerabletime 109|"
            "set g_teamkillwarn 110|set g_teamkillkick 111|set g_teamswitchdelay 112|"
            "set sv_gravity 9.500000|set g_allowjointime 113|set sv_privateclients 114|"
            "set sv_privatepassword \"pw\"|set sv_keywords \"kw\"|set net_port 115|set sv_minping 116|"
            "set sv_maxping 117|set sv_maxrate 118|map \"DM/harbour\"|sv_maplist \"DM/harbour TOW/dam \"|");
}

TEST_F(ServerScriptTest, AdditionalSettingsAreCopiedWithTextModeLineBreaks) {
  std::string script = Written(settings);
  EXPECT_NE(script.find("set sv_gamespy 1\r\n\r\n\r\n// Pure\r\n"), std::string::npos)
      << "an empty text still gives its own empty line";

  CopyTextField(settings.additionalSettings, "set a 1\r\nset b 2");
  script = Written(settings);
  EXPECT_NE(script.find("set sv_gamespy 1\r\nset a 1\r\r\nset b 2\r\n\r\n// Pure\r\n"), std::string::npos);
}

TEST_F(ServerScriptTest, ValuesAreWrittenUnescapedAndUnchecked) {
  CopyTextField(settings.serverName, "Bad \"name");
  settings.gameType = NoGameType;
  const std::string script = Written(settings);
  EXPECT_NE(script.find("sv_hostname \"Bad \"name\"\r\n"), std::string::npos);
  EXPECT_NE(script.find("set g_gametype 0\r\n"), std::string::npos);
}

TEST_F(ServerScriptTest, HostileRecordsAreWrittenWithinTheirFields) {
  settings.gameType = INT32_MAX;  // wraps instead of overflowing
  std::memset(settings.serverName, 'Q', kTextFieldSize);  // no terminator at all
  settings.gravity = -1e30f;
  const std::string script = Written(settings);
  EXPECT_NE(script.find("set g_gametype -2147483648\r\n"), std::string::npos);
  EXPECT_NE(script.find("sv_hostname \"" + std::string(256, 'Q') + "\"\r\n"), std::string::npos);
  EXPECT_NE(script.find("set sv_gravity -1000000015047466219876688855040.000000\r\n"), std::string::npos);
}

TEST_F(ServerScriptTest, RewritingReplacesTheWholeFile) {
  CopyTextField(settings.additionalSettings, std::string(200, 'x').c_str());
  const std::size_t longer = Written(settings).size();
  settings.SetDefaults();
  EXPECT_LT(Written(settings).size(), longer);
}

TEST(ServerScriptPlacement, MissingMainexWritesNothing) {
  GameFolder folder;
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  EXPECT_EQ(folder.Listing(), "");
}

TEST(ServerScriptPlacement, AMainexThatIsAFileWritesNothing) {
  GameFolder folder;
  folder.WriteFile("mainex", "not a folder");
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  EXPECT_EQ(folder.ReadFile("mainex"), "not a folder");
}

// Makes the current directory exactly `length` characters long, with a mainex inside.
bool EnterDirectoryOfLength(const GameFolder& folder, std::size_t length) {
  std::string base = folder.Path().string();
  if (base.size() + 2 > length) return false;
  fs::path deep = folder.Path();
  std::size_t current = base.size();
  while (current < length) {
    const std::size_t room = length - current - 1;  // one separator per level
    const std::size_t name = room > 100 ? 100 : room;
    if (name == 0) return false;
    deep /= std::string(name, 'd');
    current += 1 + name;
  }
  fs::create_directories(deep / "mainex");
  fs::current_path(deep);
  char cwd[kPathSize];
  return GetCurrentDirectoryPath(cwd) && std::strlen(cwd) == length;
}

TEST(ServerScriptPlacement, APathOverTheBufferIsRefusedNotCut) {
  const std::size_t suffix = std::strlen("/mainex/server.cfg");
  {
    GameFolder folder;
    ASSERT_TRUE(EnterDirectoryOfLength(folder, kPathSize - 1 - suffix));
    EXPECT_TRUE(WriteServerConfig(ServerSettings())) << "259 characters fit";
    EXPECT_TRUE(fs::exists("mainex/server.cfg"));
  }
  {
    GameFolder folder;
    ASSERT_TRUE(EnterDirectoryOfLength(folder, kPathSize - suffix));
    EXPECT_FALSE(WriteServerConfig(ServerSettings())) << "260 characters do not";
    EXPECT_FALSE(fs::exists("mainex/server.cfg"));
    EXPECT_FALSE(fs::exists("mainex/server.cf"));
  }
}

}  // namespace
