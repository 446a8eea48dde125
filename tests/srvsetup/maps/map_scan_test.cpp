// Both scans over real folders: which archive entries and loose files are maps of a game type,
// under which names, in which order, and what is passed over.
#include <climits>

#include "srvsetup/maps/file_search.h"
#include "srvsetup/maps/map_fixtures.h"

namespace {

TEST(WildcardTest, StarsAndQuestionMarksMatchWithoutRegardToAsciiCase) {
  const struct { const char* pattern; const char* name; bool matches; } cases[] = {
      {"*.pk3", "A.PK3", true},         {"*.pk3", "a.pk3x", false},       {"*.pk3", "a.pk3.pk3", true},
      {"*_tow.bsp", "_tow.bsp", true},  {"*_tow.bsp", "a_tow_tow.bsp", true}, {"?.bsp", ".bsp", false},
      {"?.bsp", "ab.bsp", false},       {"*", "", true},                  {"", "a", false},
      {"a*b*c", "aXbYc", true},         {"a*b*c", "aXbYcZ", false},       {"*a*a", "aaa", true},
      {"**x", "x", true},               {"[a].bsp", "[A].BSP", true},     {"\xE9.bsp", "\xC9.bsp", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

class MapScanTest : public ::testing::Test {
 protected:
  GameFolder folder;
};

// The catalogue as runs of names: the runs in the given order, each in the file system's order.
void ExpectRuns(std::int32_t gameType, std::vector<Names> runs) {
  Names catalogue = Catalogue(gameType);
  Names expected;
  auto run = catalogue.begin();
  for (Names& names : runs) {
    const auto end = run + std::min<std::ptrdiff_t>(names.size(), catalogue.end() - run);
    std::sort(run, end);
    std::sort(names.begin(), names.end());
    expected.insert(expected.end(), names.begin(), names.end());
    run = end;
  }
  EXPECT_EQ(catalogue, expected) << "game type " << gameType;
}

TEST_F(MapScanTest, ArchiveEntriesJoinTheFamiliesOfEachGameTypeCaseSensitively) {
  Archive("main/maps.pk3", {"maps/DM/a.bsp", "maps/obj/b.bsp", "maps/obj/c_TOW.bsp", "maps/DM/d.bsp", "maps/dm/e.bsp",
                            "Maps/DM/f.bsp", "maps/obj/g_tow.bsp", "maps/OBJ/h_TOW.bsp", "maps/DM/i.BSP"});
  for (std::int32_t deathmatch : {FreeForAll, TeamBased, RoundBased}) {
    EXPECT_EQ(Catalogue(deathmatch), (Names{"DM/a", "obj/c_TOW", "DM/d"})) << deathmatch;
  }
  EXPECT_EQ(Catalogue(Objective), (Names{"obj/b", "obj/g_tow"}));  // lower-case "tow" is not tug of war
  EXPECT_EQ(Catalogue(TugOfWar), Names{"obj/c_TOW"});
  // Other game types clear the catalogue and add nothing, whichever scan runs.
  LooseFile("main/maps/dm/j.bsp");
  LooseFile("main/maps/obj/k_tow.bsp");
  for (std::int32_t other : {std::int32_t{NoGameType}, 5, INT_MIN, INT_MAX}) {
    OrderedCatalogue catalogue;
    catalogue.Append("left/over");
    ScanArchiveMaps(catalogue, other);
    ScanLooseMaps(catalogue, other);
    ScanArchive("main/maps.pk3", catalogue, other);
    EXPECT_EQ(catalogue.Items(), Names{}) << other;
  }
}

TEST_F(MapScanTest, AnArchiveMapIsItsEntryAfterTheFirstSlashWithoutTheLastFourBytes) {
  const std::string longest(243, 'x');  // an entry of 255 bytes, the longest the name buffer holds
  Archive("main/maps.pk3",
          {"maps/DM/readme.bsp.txt", "base/maps/DM/a.bsp", "maps/DM/", "xmaps/DM/b.bspx", "maps/obj/TOWER.bsp",
           ".bspmaps/DM/",  // after the first slash, too short to lose four bytes
           "maps/DM/" + std::string(244, 'y') + ".bsp", "maps/DM/" + std::string(400, 'z') + ".bsp",  // 256 and more
           "maps/DM/" + longest + ".bsp",
           // A backslash separates nothing.
           "maps\\DM\\slashed.bsp", "maps/DM/sub\\inner.bsp", "a\\b/maps/DM/c.bsp",
           "maps/DM/" + std::string(300, '\\') + ".bsp", "maps/DM/after.bsp"});
  // The markers are substrings anywhere: "TOWER" holds "TOW".
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"DM/readme.bsp", "maps/DM/a", "DM/b.", "obj/TOWER", "DM/" + longest,
                                          "DM/sub\\inner", "maps/DM/c", "DM/after"}));
}

TEST_F(MapScanTest, ArchiveNamesThatCouldBreakTheScriptArePassedOver) {
  // Each would end the script's quoted value or its line; the walk goes on after each.
  Archive("main/maps.pk3", {"maps/DM/x\"; set rcon_password \"y.bsp", "maps/DM/line\nbreak.bsp", "maps/DM/cr\rx.bsp",
                            "maps/DM/tab\tx.bsp", "maps/DM/bell\x07.bsp", "maps/DM/del\x7F.bsp", "maps/DM/plain.bsp"});
  EXPECT_EQ(Catalogue(FreeForAll), Names{"DM/plain"});
}

TEST_F(MapScanTest, EachNameComesOnceAtItsFirstPlaceArchivesOfMainThenMainexThenLooseFiles) {
  // mainex's archive sorts first by name; main's archives are still scanned before it.
  Archive("mainex/a.pk3", {"maps/DM/m.bsp", "maps/DM/z.bsp", "maps/DM/n.bsp", "maps/obj/o.bsp"});
  Archive("main/z.pk3", {"maps/DM/n.bsp", "maps/DM/n.bsp", "maps/DM/m.bsp", "maps/obj/n_TOW.bsp", "maps/DM/N.bsp"});
  LooseFile("mainex/maps/dm/z.bsp");
  LooseFile("main/maps/dm/n.bsp");
  LooseFile("main/maps/obj/o.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"DM/n", "DM/m", "obj/n_TOW", "DM/N", "DM/z", "dm/z", "dm/n"}));
  EXPECT_EQ(Catalogue(Objective), Names{"obj/o"});  // the loose file's name equals the entry's
}

TEST_F(MapScanTest, LooseFilesOfMainexThenMainTakeALowerCasePrefixAndKeepTheirOwnCase) {
  const std::string longest(251, 's');  // with "obj/", a map name of 255 characters
  for (const std::string& file : Names{"MainEx/MAPS/Dm/Harbour.BSP", "MainEx/MAPS/Dm/notes.bsp.txt",
                                       "MainEx/MAPS/Dm/later.bspx", "MainEx/MAPS/Dm/nodot", "main/maps/dm/Harbour.bsp",
                                       "main/maps/dm/b.bsp", "MainEx/MAPS/obj/a_tow.bsp", "MainEx/MAPS/obj/c_TOW.bsp",
                                       "MainEx/MAPS/obj/plain.bsp", "main/maps/obj/d_tow.BSP", "main/maps/obj/e.bsp",
                                       "main/maps/obj/" + longest + ".bsp"}) {
    LooseFile(file);
  }
  folder.MakeDirectory("MainEx/MAPS/Dm/folder.bsp");
  for (std::int32_t deathmatch : {FreeForAll, TeamBased, RoundBased}) {
    ExpectRuns(deathmatch, {{"dm/Harbour"}, {"dm/b"}});
  }
  // Patterns ignore case; the "_tow" test of mainex's objective files does not.
  ExpectRuns(Objective, {{"obj/c_TOW", "obj/plain"}, {"obj/d_tow", "obj/e", "obj/" + longest}});
  ExpectRuns(TugOfWar, {{"obj/a_tow", "obj/c_TOW"}, {"obj/d_tow"}});
}

TEST_F(MapScanTest, UnreadableOrUnmatchedArchivesAddNothingAndTheScanGoesOn) {
  // A record that cannot be read ends the walk of its archive; what came before it stays.
  Archive("main/cut.pk3", {"maps/DM/first.bsp", "maps/DM/second.bsp", "maps/DM/third.bsp"});
  std::string bytes = folder.ReadFile("main/cut.pk3");
  const std::string record("PK\x01\x02", 4);  // a central-directory record's signature
  bytes.at(bytes.find(record, bytes.find(record) + 1) + 2) = 'X';
  folder.WriteFile("main/cut.pk3", bytes);
  folder.WriteFile("main/text.pk3", "this is not a zip archive");
  folder.WriteFile("main/empty.pk3", "");
  Archive("main/none.pk3", {});
  folder.MakeDirectory("main/folder.pk3");
  for (const char* unmatched : {"main/backup.pk3.bak", "main/later.pk3x", "main/maps/DM/inner.pk3"}) {
    Archive(unmatched, {"maps/DM/unmatched.bsp"});
  }
  Archive("mainex/UPPER.PK3", {"maps/DM/upper.bsp"});
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"DM/first", "DM/upper"}));
}

TEST_F(MapScanTest, PathsLongerThanTheBufferAreRefusedNotCut) {
  ASSERT_TRUE(EnterFolderOfPathLength(230));
  Archive("main/a.pk3", {"maps/DM/short.bsp"});                            // a path of 241 characters
  Archive("main/" + std::string(30, 'b') + ".pk3", {"maps/DM/long.bsp"});  // of 270
  EXPECT_EQ(Catalogue(FreeForAll), Names{"DM/short"});
  ASSERT_TRUE(EnterFolderOfPathLength(245));  // "/main/*.pk3" fits, "/mainex/maps/dm/*.bsp" does not
  Archive("main/a.pk3", {"maps/DM/a.bsp"});
  LooseFile("mainex/maps/dm/b.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), Names{"DM/a"});
  ASSERT_TRUE(EnterFolderOfPathLength(250));  // neither fits
  Archive("main/a.pk3", {"maps/DM/a.bsp"});
  EXPECT_EQ(Catalogue(FreeForAll), Names{});
#ifndef _WIN32
  ASSERT_TRUE(EnterFolderOfPathLength(300));  // nor the current directory itself
  Archive("main/a.pk3", {"maps/DM/a.bsp"});
  EXPECT_EQ(Catalogue(FreeForAll), Names{});
#endif
}

}  // namespace
