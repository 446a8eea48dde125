#include "srvsetup/settings/server_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/full_disk.h"
#include "srvsetup/settings/distinct_settings.h"
#include "support/game_folder.h"

namespace {

std::string Bytes(const ServerSettings& s) { return std::string(reinterpret_cast<const char*>(&s), sizeof s); }

std::string Word(std::uint32_t value) {
  const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                         static_cast<char>(value >> 24)};
  return std::string(bytes, 4);
}

bool SameRecord(const ServerSettings& a, const ServerSettings& b) { return Bytes(a) == Bytes(b); }

// The same up to each text's terminator: copies into zeroed records leave the tails out.
bool SameFields(const ServerSettings& a, const ServerSettings& b) {
  ServerSettings x, y;
  x = a;
  y = b;
  return SameRecord(x, y);
}

// Loaded over a record that holds no default, so that a field left alone shows.
struct Loaded : DistinctSettings {
  explicit Loaded(const char* file) { Load(file); }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  GameFolder folder;
};

TEST_F(SettingsFileTest, DefaultsFileHasTheDocumentedBytes) {
  ServerSettings settings;
  settings.Save("settings.cfg");
  const std::string file = folder.ReadFile("settings.cfg");
  ASSERT_EQ(file.size(), kSettingsFileSize);
  EXPECT_EQ(file.substr(0, 8), Word(1) + Word(1));
  EXPECT_EQ(file.substr(8, 16), std::string("Nameless Battle\0", 16));
  EXPECT_EQ(file.substr(1632, 4), Word(12203));  // netPort
  EXPECT_EQ(file.substr(1108, 4), std::string("\0\0\x48\x44", 4));  // gravity 800.0
  EXPECT_EQ(file.substr(4), Bytes(settings));
  EXPECT_EQ(folder.Listing(), "settings.cfg\n");  // nothing written on the way is left
}

TEST_F(SettingsFileTest, EveryFieldRoundTripsAndBytesBeyondTheRecordAreNotRead) {
  const DistinctSettings written;
  written.Save("settings.cfg");
  ServerSettings read;
  read.Load("settings.cfg");
  EXPECT_TRUE(SameRecord(written, read));
  read.Save("again.cfg");
  EXPECT_EQ(folder.ReadFile("settings.cfg"), folder.ReadFile("again.cfg"));

  folder.WriteFile("settings.cfg", folder.ReadFile("again.cfg") + std::string(10 << 20, '\xFF'));
  EXPECT_TRUE(SameRecord(written, Loaded("settings.cfg")));
}

TEST_F(SettingsFileTest, UnusableFilesGiveTheDefaults) {
  const ServerSettings defaults;
  DistinctSettings().Save("valid.cfg");
  const std::string record = folder.ReadFile("valid.cfg").substr(4);
  const std::pair<const char*, std::string> cases[] = {
      {"empty file", ""},
      {"only the leading word", Word(1)},
      {"leading word 2 before a valid record", Word(2) + record},
      {"leading word 0", Word(0) + record},
      {"two bytes", std::string("\x01\x00", 2)},
  };
  for (const auto& [name, bytes] : cases) {
    folder.WriteFile("settings.cfg", bytes);
    EXPECT_TRUE(SameFields(Loaded("settings.cfg"), defaults)) << name;
  }
  EXPECT_TRUE(SameFields(Loaded("no-such-file.cfg"), defaults));
  EXPECT_FALSE(folder.Exists("no-such-file.cfg"));
}

TEST_F(SettingsFileTest, ShortFileKeepsWhatItHoldsAndDefaultsTheRest) {
  DistinctSettings().Save("full.cfg");
  // Cut right after the server name: leading word, version, 256 name bytes.
  folder.WriteFile("settings.cfg", folder.ReadFile("full.cfg").substr(0, 4 + 4 + 256));
  const Loaded loaded("settings.cfg");
  EXPECT_STREQ(loaded.serverName, "Name");
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
  folder.WriteFile("settings.cfg", Word(1) + Bytes(written));
  Loaded loaded("settings.cfg");
  EXPECT_EQ(loaded.version, 7u);
  EXPECT_STREQ(loaded.serverName, "Version Seven");
  loaded.Save("settings.cfg");
  EXPECT_EQ(folder.ReadFile("settings.cfg").substr(0, 8), Word(7) + Word(7));
  EXPECT_STREQ(Loaded("settings.cfg").serverName, "Nameless Battle");
}

TEST_F(SettingsFileTest, LongTextsSurviveAndUnterminatedTextsStayInTheirField) {
  ServerSettings written;
  CopyTextField(written.keywords, std::string(400, 'k').c_str());
  EXPECT_EQ(TextFieldLength(written.keywords), 255u);
  EXPECT_EQ(written.password[0], '\0');
  written.Save("settings.cfg");
  EXPECT_EQ(std::string(Loaded("settings.cfg").keywords), std::string(255, 'k'));

  // 256 name bytes without a terminator, followed by game type 3.
  std::string file = folder.ReadFile("settings.cfg");
  file.replace(8, 256, std::string(256, 'N'));
  file.replace(264, 4, Word(3));
  folder.WriteFile("settings.cfg", file);
  const Loaded cut("settings.cfg");
  EXPECT_EQ(std::string(cut.serverName), std::string(255, 'N'));
  EXPECT_EQ(cut.gameType, Objective);
}

TEST_F(SettingsFileTest, ASaveThatCannotBeDoneFailsAndLeavesNothing) {
  folder.MakeDirectory("settings.cfg");  // a folder where the file should be
  ServerSettings settings;
  EXPECT_FALSE(settings.Save("settings.cfg"));
  EXPECT_FALSE(settings.Save("missing-folder/settings.cfg"));
  EXPECT_EQ(folder.Listing(), "settings.cfg\n");
}

// Writes refused for want of room: the old file stays whole, and one that was not there is not
// left behind empty.
TEST(SettingsFileOnAFullDisk, AFailedSaveKeepsTheOldFileWholeAndASuccessfulOneLeavesNothingElse) {
  FullDisk disk;
  if (!disk.Unavailable().empty()) GTEST_SKIP() << disk.Unavailable();
  ASSERT_TRUE(ServerSettings().Save("settings.cfg"));
  const std::string before = ReadBinaryFile("settings.cfg");
  ASSERT_TRUE(disk.Fill());
  const DistinctSettings changed;
  EXPECT_FALSE(changed.Save("settings.cfg"));
  EXPECT_EQ(ReadBinaryFile("settings.cfg"), before);
  EXPECT_FALSE(changed.Save("other.cfg"));
  EXPECT_EQ(disk.Listing(), "filler\nsettings.cfg\n");

  disk.Release();
  EXPECT_TRUE(changed.Save("settings.cfg"));
  EXPECT_EQ(disk.Listing(), "settings.cfg\n");
  EXPECT_TRUE(SameRecord(Loaded("settings.cfg"), changed));
}

TEST(ServerSettingsCopy, CopiesTextsUpToTheirTerminatorKeepingTailsAndPadding) {
  ServerSettings destination;
  CopyTextField(destination.serverName, "A much longer server name");
  DistinctSettings source;
  unsigned char* raw = reinterpret_cast<unsigned char*>(&source);
  raw[1077] = raw[1087] = 0x5A;  // padding after forceTeamSpectate and forceSpawn
  destination = source;
  EXPECT_STREQ(destination.serverName, "Name");
  EXPECT_STREQ(destination.serverName + 5, "h longer server name");  // the old name's tail
  const unsigned char* copied = reinterpret_cast<const unsigned char*>(&destination);
  EXPECT_EQ(copied[1077] | copied[1087], 0);
  std::memcpy(destination.serverName, source.serverName, kTextFieldSize);
  raw[1077] = raw[1087] = 0;
  EXPECT_TRUE(SameRecord(destination, source));
}

TEST(ServerSettingsDefaults, SetDefaultsRestoresEveryField) {
  DistinctSettings changed;
  changed.SetDefaults();
  EXPECT_TRUE(SameFields(changed, ServerSettings()));
}

}  // namespace
