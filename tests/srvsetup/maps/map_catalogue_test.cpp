#include "srvsetup/maps/map_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// The comparison with every item in turn that the index stands in for.
bool LinearContains(const std::vector<std::string>& items, const char* name) {
  return std::any_of(items.begin(), items.end(), [&](const std::string& item) { return std::strcmp(item.c_str(), name) == 0; });
}

TEST(OrderedCatalogueTest, ContainsAnswersLikeTheLinearComparison) {
  const char* const names[] = {"DM/a", "dm/a", "DM/A", "DM/ab", "DM/", "", "obj/c_TOW", "obj/c_tow", "\xE9t\xE9"};
  std::mt19937 random(4);
  OrderedCatalogue catalogue;
  for (int step = 0; step < 2000; ++step) {
    const char* name = names[random() % std::size(names)];
    ASSERT_EQ(catalogue.Contains(name), LinearContains(catalogue.Items(), name)) << step << " " << name;
    ASSERT_EQ(ListContains(catalogue, name), catalogue.Contains(name));
    const unsigned action = random() % 20;
    if (action == 0) {
      catalogue.Clear();
      ASSERT_TRUE(catalogue.Items().empty());
    } else if (action == 1 || !catalogue.Contains(name)) {
      catalogue.Append(name);  // sometimes a duplicate, which the scans never append
    }
  }
}

TEST(MapNameIndexTest, KeepsOneCopyOfEachTextAndSurvivesGrowth) {
  MapNameIndex index;
  std::vector<std::string> texts;
  for (int i = 0; i < 5000; ++i) texts.push_back("maps/" + std::to_string(i));
  for (const std::string& text : texts) index.Insert(text);
  for (const std::string& text : texts) index.Insert(text);
  EXPECT_EQ(index.Size(), texts.size());
  for (const std::string& text : texts) ASSERT_TRUE(index.Contains(text)) << text;
  EXPECT_FALSE(index.Contains("maps/5000"));
  EXPECT_FALSE(index.Contains("maps/"));
  index.Clear();
  EXPECT_FALSE(index.Contains("maps/0"));
}

}  // namespace
