#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "map_test_folder.h"
#include "srvsetup/settings/server_settings.h"

namespace {

class ArchiveScanTest : public ::testing::Test {
 protected:
  Names Scanned(std::int32_t gameType) {
    OrderedCatalogue catalogue;
    ScanArchiveMaps(catalogue, gameType);
    return catalogue.Items();
  }

  GameFolder folder;
};

TEST_F(ArchiveScanTest, EachGameTypeTakesItsFamiliesInEntryOrder) {
  Archive("main/maps.pk3", {"maps/DM/a.bsp", "maps/obj/b.bsp", "maps/obj/c_TOW.bsp", "maps/DM/d.bsp"});
  for (std::int32_t deathmatch : {FreeForAll, TeamBased, RoundBased}) {
    EXPECT_EQ(Scanned(deathmatch), (Names{"DM/a", "obj/c_TOW", "DM/d"})) << deathmatch;
  }
  EXPECT_EQ(Scanned(Objective), (Names{"obj/b"}));
  EXPECT_EQ(Scanned(TugOfWar), (Names{"obj/c_TOW"}));
}

TEST_F(ArchiveScanTest, FamilyMarkersAreCaseSensitive) {
  Archive("main/maps.pk3", {"maps/dm/a.bsp", "Maps/DM/b.bsp", "maps/obj/c_tow.bsp", "maps/OBJ/d_TOW.bsp",
                            "maps/DM/e.BSP"});
  EXPECT_EQ(Scanned(FreeForAll), Names{});
  EXPECT_EQ(Scanned(Objective), (Names{"obj/c_tow"}));  // lower-case "tow" is not tug of war
  EXPECT_EQ(Scanned(TugOfWar), Names{});
}

TEST_F(ArchiveScanTest, FamiliesAreSubstringsAnywhereAndTheNameFollowsTheFirstSlash) {
  Archive("main/maps.pk3", {
                               "maps/DM/readme.bsp.txt",     // DM/readme.bsp
                               "base/maps/DM/a.bsp",         // maps/DM/a
                               "maps/DM/",                   // no ".bsp": nothing
                               "xmaps/DM/b.bspx",            // DM/b.
                               "maps/obj/TOWER.bsp",         // "TOW" anywhere: tug of war
                               ".bspmaps/DM/",               // "DM/" is too short to drop ".bsp"
                           });
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/readme.bsp", "maps/DM/a", "DM/b.", "obj/TOWER"}));
}

TEST_F(ArchiveScanTest, EntryNamesOfAFullBufferAreSkippedAndTheWalkGoesOn) {
  const std::string longest = "maps/DM/" + std::string(243, 'x') + ".bsp";  // 255 bytes
  const std::string filled = "maps/DM/" + std::string(244, 'y') + ".bsp";   // 256 bytes
  const std::string longer = "maps/DM/" + std::string(400, 'z') + ".bsp";
  Archive("main/maps.pk3", {filled, longer, longest, "maps/DM/after.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/" + std::string(243, 'x'), "DM/after"}));
}

TEST_F(ArchiveScanTest, BackslashesAreOrdinaryNameCharacters) {
  // Names are stored with "/" separators; a backslash separates nothing.
  Archive("main/maps.pk3", {"maps\\DM\\slashed.bsp", "maps/DM/sub\\inner.bsp", "a\\b/maps/DM/c.bsp",
                            "maps/DM/" + std::string(300, '\\') + ".bsp", "maps/DM/after.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/sub\\inner", "maps/DM/c", "DM/after"}));
}

TEST_F(ArchiveScanTest, DuplicatesWithinAndAcrossArchivesAreListedOnceAtMainsPlace) {
  // mainex's archive sorts first by name; main's archives are still scanned before it.
  Archive("mainex/a.pk3", {"maps/DM/m.bsp", "maps/DM/z.bsp", "maps/DM/n.bsp"});
  Archive("main/z.pk3", {"maps/DM/n.bsp", "maps/DM/n.bsp", "maps/DM/m.bsp", "maps/obj/n_TOW.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/n", "DM/m", "obj/n_TOW", "DM/z"}));
}

TEST_F(ArchiveScanTest, NamesDifferingInCaseAreDifferentMaps) {
  Archive("main/maps.pk3", {"maps/DM/Harbour.bsp", "maps/DM/harbour.bsp", "maps/DM/Harbour.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/Harbour", "DM/harbour"}));
}

TEST_F(ArchiveScanTest, BrokenArchivesAddNothingAndTheScanGoesOn) {
  folder.WriteFile("main/text.pk3", "this is not a zip archive");
  folder.WriteFile("main/empty.pk3", "");
  Archive("main/none.pk3", {});
  Archive("mainex/good.pk3", {"maps/DM/good.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/good"}));
}

TEST_F(ArchiveScanTest, AnUnreadableRecordEndsTheWalkAndKeepsWhatCameBefore) {
  Archive("main/cut.pk3", {"maps/DM/first.bsp", "maps/DM/second.bsp", "maps/DM/third.bsp"});
  std::string bytes = folder.ReadFile("main/cut.pk3");
  const std::string record("PK\x01\x02", 4);  // central-directory record signature
  const std::size_t second = bytes.find(record, bytes.find(record) + 1);
  ASSERT_NE(second, std::string::npos);
  bytes[second + 2] = 'X';
  folder.WriteFile("main/cut.pk3", bytes);
  Archive("mainex/next.pk3", {"maps/DM/next.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/first", "DM/next"}));
}

TEST_F(ArchiveScanTest, OnlyFilesMatchingThePatternAreOpened) {
  Archive("main/UPPER.PK3", {"maps/DM/upper.bsp"});
  Archive("main/backup.pk3.bak", {"maps/DM/backup.bsp"});
  Archive("main/later.pk3x", {"maps/DM/later.bsp"});
  Archive("main/maps/DM/inner.pk3", {"maps/DM/inner.bsp"});
  folder.MakeDirectory("main/folder.pk3");
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/upper"}));
}

TEST_F(ArchiveScanTest, GameTypesOutsideTheTableClearAndAddNothing) {
  Archive("main/maps.pk3", {"maps/DM/a.bsp", "maps/obj/b.bsp", "maps/obj/c_TOW.bsp"});
  for (std::int32_t other : {std::int32_t{NoGameType}, 5, INT_MIN, INT_MAX}) {
    OrderedCatalogue catalogue;
    catalogue.Append("left/over");
    ScanArchiveMaps(catalogue, other);
    ScanLooseMaps(catalogue, other);
    EXPECT_EQ(catalogue.Items(), Names{}) << other;
    ScanArchive("main/maps.pk3", catalogue, other);
    EXPECT_EQ(catalogue.Items(), Names{}) << other;
  }
}

// Records the operations, so that a list on screen is known to be repainted after each scan.
class RecordingCatalogue final : public MapCatalogue {
 public:
  void Clear() override { log += 'C'; }
  bool Contains(const char*) override { return false; }
  void Append(const char*) override { log += 'A'; }
  void BeginUpdate() override { log += '('; }
  void EndUpdate() override { log += ')'; }
  std::string log;
};

TEST_F(ArchiveScanTest, EachScanBracketsItsUpdates) {
  Archive("main/maps.pk3", {"maps/DM/a.bsp"});
  LooseFile("main/maps/dm/b.bsp");
  RecordingCatalogue catalogue;
  ScanArchiveMaps(catalogue, FreeForAll);
  ScanLooseMaps(catalogue, FreeForAll);
  ScanArchiveMaps(catalogue, NoGameType);
  ScanLooseMaps(catalogue, NoGameType);
  EXPECT_EQ(catalogue.log, "(CA)(A)(C)");
}

TEST_F(ArchiveScanTest, MissingFoldersAndArchivesAddNothing) {
  EXPECT_EQ(Scanned(FreeForAll), Names{});
  OrderedCatalogue catalogue;
  ScanArchive("main/missing.pk3", catalogue, FreeForAll);
  EXPECT_EQ(catalogue.Items(), Names{});
}

TEST_F(ArchiveScanTest, APathLongerThanTheBufferIsRefusedNotCut) {
  ASSERT_TRUE(EnterFolderOfPathLength(230));
  Archive("main/a.pk3", {"maps/DM/short.bsp"});                         // path of 241 characters
  Archive("main/" + std::string(30, 'b') + ".pk3", {"maps/DM/long.bsp"});  // of 270
  EXPECT_EQ(Scanned(FreeForAll), (Names{"DM/short"}));
  ASSERT_TRUE(EnterFolderOfPathLength(250));  // the pattern itself would not fit
  Archive("main/a.pk3", {"maps/DM/short.bsp"});
  EXPECT_EQ(Scanned(FreeForAll), Names{});
}

}  // namespace
