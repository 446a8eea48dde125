#include "srvsetup/launch/server_config.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "srvsetup/full_disk.h"
#include "srvsetup/launch/game_paths.h"
#include "srvsetup/settings/distinct_settings.h"
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
  EXPECT_EQ(folder.Listing(), "mainex\nmainex/server.cfg\n");  // nothing written on the way is left
}

TEST_F(ServerScriptTest, EachFieldFeedsItsOwnLineAndAdditionalSettingsGetTextModeBreaks) {
  const std::string script = Written(DistinctSettings());
  std::string lines;  // the setting lines alone, in order
  for (std::size_t start = 0, end; start < script.size(); start = end + 2) {
    end = script.find("\r\n", start);
    const std::string line = script.substr(start, end - start);
    if (!line.empty() && line.rfind("//", 0) != 0) lines += line + "|";
  }
  EXPECT_EQ(lines,
            "sv_hostname \"Name\"|set g_gametype 4|set g_healthdrop 0|set g_realismmode 1|"
            "set sv_dmspeedmult 1.000000|set g_teamdamage 1|set g_healrate 5|set sv_maxclients 101|"
            "timelimit 102|fraglimit 103|maprotationtime 104|set sv_team_spawn_interval 105|"
            "roundlimit 106|set g_inactivespectate 107|set g_inactivekick 108|set sv_gamespy 0|"
            "set a 1\r|set b 2|"
            "set sv_pure 1|set g_allowvote 0|set sv_floodprotect 0|set g_forceteamspectate 0|"
            "set dmflags -2147483640|set g_forceready 1|set g_forcespawn 1|set sv_invulnerabletime 109|"
            "set g_teamkillwarn 110|set g_teamkillkick 111|set g_teamswitchdelay 112|"
            "set sv_gravity 9.500000|set g_allowjointime 113|set sv_privateclients 114|"
            "set sv_privatepassword \"pw\"|set sv_keywords \"kw\"|set net_port 115|set sv_minping 116|"
            "set sv_maxping 117|set sv_maxrate 118|map \"DM/harbour\"|sv_maplist \"DM/harbour TOW/dam \"|");
  EXPECT_NE(script.find("set sv_gamespy 0\r\nset a 1\r\r\nset b 2\r\n\r\n// Pure\r\n"), std::string::npos);
}

TEST_F(ServerScriptTest, HostileRecordsAreWrittenUnescapedWithinTheirFields) {
  CopyTextField(settings.keywords, "Bad \"kw");
  settings.gameType = NoGameType;
  EXPECT_NE(Written(settings).find("set sv_keywords \"Bad \"kw\"\r\n"), std::string::npos);
  EXPECT_NE(Written(settings).find("set g_gametype 0\r\n"), std::string::npos);
  settings.gameType = INT32_MAX;  // wraps instead of overflowing
  std::memset(settings.serverName, 'Q', kTextFieldSize);  // no terminator at all
  settings.gravity = -1e30f;
  const std::string script = Written(settings);
  EXPECT_NE(script.find("set g_gametype -2147483648\r\n"), std::string::npos);
  EXPECT_NE(script.find("sv_hostname \"" + std::string(256, 'Q') + "\"\r\n"), std::string::npos);
  EXPECT_NE(script.find("set sv_gravity -1000000015047466219876688855040.000000\r\n"), std::string::npos);
  // Rewriting replaces the whole file.
  settings.SetDefaults();
  EXPECT_LT(Written(settings).size(), script.size());
}

TEST(ServerScriptPlacement, MissingMainexOrAFileInItsPlaceWritesNothing) {
  GameFolder folder;
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  EXPECT_EQ(folder.Listing(), "");
  folder.WriteFile("mainex", "not a folder");
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  EXPECT_EQ(folder.ReadFile("mainex"), "not a folder");
}

// Writes refused for want of room, at once or part-way: the server must never start on a cut
// script, so the old one stays whole and the launcher is told.
TEST(ServerScriptOnAFullDisk, AWriteThatFailsKeepsTheOldScriptWholeAndASuccessfulOneLeavesNothingElse) {
  FullDisk disk;
  if (!disk.Unavailable().empty()) GTEST_SKIP() << disk.Unavailable();
  const std::string old = "// an older, shorter script\r\n";  // one page; the new script needs two
  disk.WriteFile("mainex/server.cfg", old);
  ServerSettings settings;
  const std::string rotation(255, 'r');
  for (char* text : {settings.serverName, settings.password, settings.keywords}) std::memset(text, 't', 255);
  CopyTextField(settings.mapRotation, rotation.c_str());
  ASSERT_GT(FormatServerConfig(settings).size(), FullDisk::kPage);
  for (std::uintmax_t pagesLeft : {0, 1}) {
    ASSERT_TRUE(disk.Fill(pagesLeft));
    EXPECT_FALSE(WriteServerConfig(settings)) << pagesLeft;
    EXPECT_EQ(ReadBinaryFile("mainex/server.cfg"), old) << pagesLeft;
    EXPECT_EQ(disk.Listing(), "filler\nmainex\nmainex/server.cfg\n") << pagesLeft;
    disk.Release();
  }
  EXPECT_TRUE(WriteServerConfig(settings));
  const std::string script = ReadBinaryFile("mainex/server.cfg");
  const std::string lastLine = "sv_maplist \"" + rotation + "\"\r\n";
  EXPECT_GT(script.size(), FullDisk::kPage);
  EXPECT_EQ(script.substr(script.size() - std::min(script.size(), lastLine.size())), lastLine);
  EXPECT_EQ(disk.Listing(), "mainex\nmainex/server.cfg\n");
}

#ifdef _WIN32
// Held open without sharing, or read-only: the old script stays and nothing is left beside it.
TEST(ServerScriptPlacement, ALockedOrReadOnlyScriptIsKept) {
  GameFolder folder;
  folder.WriteFile("mainex/server.cfg", "old");
  HANDLE held = CreateFileA("mainex\\server.cfg", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  CloseHandle(held);
  ASSERT_TRUE(SetFileAttributesA("mainex\\server.cfg", FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteServerConfig(ServerSettings()));
  SetFileAttributesA("mainex\\server.cfg", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(folder.ReadFile("mainex/server.cfg"), "old");
  EXPECT_EQ(folder.Listing(), "mainex\nmainex/server.cfg\n");
}
#endif

// Makes the current directory exactly `length` characters long, with a mainex inside.
bool EnterDirectoryOfLength(const GameFolder& folder, std::size_t length) {
  fs::path deep = folder.Path();
  for (std::size_t current = deep.string().size(); current < length;) {
    const std::size_t name = std::min<std::size_t>(length - current - 1, 100);  // one separator per level
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
  for (std::size_t length : {kPathSize - 1, kPathSize}) {  // 259 characters fit, 260 do not
    GameFolder folder;
    ASSERT_TRUE(EnterDirectoryOfLength(folder, length - suffix));
    const bool fits = length < kPathSize;
    EXPECT_EQ(WriteServerConfig(ServerSettings()), fits) << length;
    EXPECT_EQ(fs::exists("mainex/server.cfg"), fits) << length;
    EXPECT_FALSE(fs::exists("mainex/server.cf")) << length;
  }
}

}  // namespace
