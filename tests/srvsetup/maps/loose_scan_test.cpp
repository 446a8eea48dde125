#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "map_test_folder.h"
#include "srvsetup/settings/server_settings.h"

namespace {

class LooseScanTest : public ::testing::Test {
 protected:
  GameFolder folder;
};

Names Sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(LooseScanTest, DeathmatchTypesListMainexThenMainOnce) {
  LooseFile("mainex/maps/dm/a.bsp");
  LooseFile("main/maps/dm/b.bsp");
  LooseFile("main/maps/dm/a.bsp");
  LooseFile("main/maps/obj/d_tow.bsp");  // no loose objective files for these types
  for (std::int32_t deathmatch : {FreeForAll, TeamBased, RoundBased}) {
    EXPECT_EQ(Catalogue(deathmatch), (Names{"dm/a", "dm/b"})) << deathmatch;
  }
}

TEST_F(LooseScanTest, ObjectiveSkipsLowerCaseTowInMainexOnly) {
  LooseFile("mainex/maps/obj/a_tow.bsp");
  LooseFile("mainex/maps/obj/b.bsp");
  LooseFile("mainex/maps/obj/c_TOW.bsp");
  LooseFile("main/maps/obj/d_tow.bsp");
  const Names names = Catalogue(Objective);
  ASSERT_EQ(names.size(), 3u);
  // Within one folder the order is the file system's.
  EXPECT_EQ(Sorted({names[0], names[1]}), (Names{"obj/b", "obj/c_TOW"}));
  EXPECT_EQ(names[2], "obj/d_tow");
}

TEST_F(LooseScanTest, TugOfWarPatternIgnoresCase) {
  LooseFile("mainex/maps/obj/c_TOW.bsp");
  LooseFile("mainex/maps/obj/plain.bsp");
  LooseFile("main/maps/obj/d_tow.BSP");
  LooseFile("main/maps/dm/e_tow.bsp");
  EXPECT_EQ(Catalogue(TugOfWar), (Names{"obj/c_TOW", "obj/d_tow"}));
}

TEST_F(LooseScanTest, NamesKeepTheirCaseUnderALowerCasePrefixWhateverTheFolders) {
  LooseFile("MainEx/MAPS/Dm/Harbour.BSP");
  LooseFile("main/maps/dm/harbour.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"dm/Harbour", "dm/harbour"}));
}

TEST_F(LooseScanTest, OnlyFilesMatchingThePatternCount) {
  folder.MakeDirectory("mainex/maps/dm/folder.bsp");
  LooseFile("mainex/maps/dm/notes.bsp.txt");
  LooseFile("mainex/maps/dm/later.bspx");  // Windows would match its short name
  LooseFile("mainex/maps/dm/nodot");
  LooseFile("mainex/maps/dm/real.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"dm/real"}));
}

TEST_F(LooseScanTest, ALongestFileNameFillsTheMapNameExactly) {
  const std::string stem(251, 's');  // 255-character file name, "obj/" + stem is 255 characters
  try {
    LooseFile("main/maps/obj/" + stem + ".bsp");
  } catch (const std::exception&) {
    GTEST_SKIP() << "the file system refuses a 255-character name";
  }
  EXPECT_EQ(Catalogue(Objective), (Names{"obj/" + stem}));
}

TEST_F(LooseScanTest, ArchivesComeFirstAndOnlyEqualNamesMerge) {
  Archive("main/maps.pk3", {"maps/DM/a.bsp", "maps/obj/b.bsp"});
  LooseFile("main/maps/dm/a.bsp");
  LooseFile("main/maps/obj/b.bsp");
  LooseFile("mainex/maps/dm/z.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"DM/a", "dm/z", "dm/a"}));
  EXPECT_EQ(Catalogue(Objective), (Names{"obj/b"}));
}

TEST_F(LooseScanTest, TheLooseScanAppendsWithoutClearing) {
  LooseFile("mainex/maps/dm/a.bsp");
  OrderedCatalogue catalogue;
  catalogue.Append("dm/a");
  catalogue.Append("other");
  ScanLooseMaps(catalogue, FreeForAll);
  EXPECT_EQ(catalogue.Items(), (Names{"dm/a", "other"}));
}

TEST_F(LooseScanTest, APatternLongerThanTheBufferFindsNothing) {
  // cwd + "/main/*.pk3" fits, cwd + "/mainex/maps/dm/*.bsp" (21 more characters) does not.
  ASSERT_TRUE(EnterFolderOfPathLength(245));
  Archive("main/a.pk3", {"maps/DM/a.bsp"});
  LooseFile("mainex/maps/dm/b.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), (Names{"DM/a"}));
}

#ifndef _WIN32
TEST_F(LooseScanTest, ACurrentDirectoryLongerThanTheBufferScansNothing) {
  ASSERT_TRUE(EnterFolderOfPathLength(300));
  Archive("main/a.pk3", {"maps/DM/a.bsp"});
  LooseFile("mainex/maps/dm/b.bsp");
  EXPECT_EQ(Catalogue(FreeForAll), Names{});
}
#endif

}  // namespace
