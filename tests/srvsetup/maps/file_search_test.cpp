#include "srvsetup/maps/file_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "map_test_folder.h"
#include "srvsetup/launch/game_paths.h"

namespace {

TEST(WildcardTest, StarsAndQuestionMarksMatchWithoutRegardToAsciiCase) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.pk3", "a.pk3", true},         {"*.pk3", "A.PK3", true},         {"*.pk3", ".pk3", true},
      {"*.pk3", "a.pk3x", false},       {"*.pk3", "a.pk3.pk3", true},     {"*.pk3", "a.pk", false},
      {"*_tow.bsp", "x_TOW.Bsp", true}, {"*_tow.bsp", "_tow.bsp", true},  {"*_tow.bsp", "tow.bsp", false},
      {"*_tow.bsp", "a_tow_tow.bsp", true}, {"?.bsp", "a.bsp", true},     {"?.bsp", ".bsp", false},
      {"?.bsp", "ab.bsp", false},       {"*", "", true},                  {"", "a", false},
      {"a*b*c", "aXbYc", true},         {"a*b*c", "aXbYcZ", false},       {"*a*a", "aaa", true},
      {"**x", "x", true},               {"[a].bsp", "[A].BSP", true},     {"\xE9.bsp", "\xE9.bsp", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
  }
}

using Found = std::set<std::pair<std::string, bool>>;  // name, is a directory

Found Search(std::initializer_list<const char*> names) {
  char pattern[kPathSize];
  EXPECT_TRUE(JoinCurrentDirectory(pattern, names));
  Found found;
  for (FileSearch search(pattern); search.Next();) found.emplace(search.Name(), search.IsDirectory());
  return found;
}

TEST(FileSearchTest, YieldsMatchingFilesAndFoldersWithTheirStoredNames) {
  GameFolder folder;
  LooseFile("main/a.pk3");
  LooseFile("main/B.Pk3");
  LooseFile("main/c.txt");
  folder.MakeDirectory("main/d.pk3");
  EXPECT_EQ(Search({"main", "*.pk3"}), (Found{{"B.Pk3", false}, {"a.pk3", false}, {"d.pk3", true}}));
  EXPECT_EQ(Search({"main", "*.bsp"}), Found{});
}

}  // namespace
