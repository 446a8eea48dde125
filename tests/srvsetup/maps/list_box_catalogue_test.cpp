#include "srvsetup/maps/list_box_catalogue.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "map_test_folder.h"
#include "srvsetup/settings/server_settings.h"

namespace {

// A hidden window holding an unsorted list box, as the map dialogs have.
class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0, 280, 180, window,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override {
    if (window != nullptr) DestroyWindow(window);
  }

  Names Items() const {
    Names items;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[kMapNameSize] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    return items;
  }

  bool LinearContains(const char* name) const {
    for (const std::string& item : Items()) {
      if (item == name) return true;
    }
    return false;
  }

  HWND window = nullptr;
  HWND list = nullptr;
};

TEST_F(ListBoxTest, BothScansFillTheListBoxInCatalogueOrder) {
  GameFolder folder;
  Archive("main/maps.pk3", {"maps/DM/b.bsp", "maps/obj/c_TOW.bsp", "maps/DM/a.bsp", "maps/DM/b.bsp"});
  Archive("mainex/more.pk3", {"maps/DM/a.bsp", "maps/DM/d.bsp"});
  LooseFile("mainex/maps/dm/a.bsp");
  LooseFile("main/maps/dm/b.bsp");
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale"));
  ListBoxCatalogue catalogue(list);
  ScanArchiveMaps(catalogue, FreeForAll);
  ScanLooseMaps(catalogue, FreeForAll);
  EXPECT_EQ(Items(), (Names{"DM/b", "obj/c_TOW", "DM/a", "DM/d", "dm/a", "dm/b"}));
  EXPECT_EQ(Items(), Catalogue(FreeForAll));
  ScanArchiveMaps(catalogue, NoGameType);
  EXPECT_EQ(Items(), Names{});
}

TEST_F(ListBoxTest, TheListIsShownAndScrollsOverEveryMapAfterTheScans) {
  GameFolder folder;
  Names entries;
  for (int i = 0; i < 300; ++i) entries.push_back("maps/DM/m" + std::to_string(i) + ".bsp");
  Archive("main/maps.pk3", entries);
  ListBoxCatalogue catalogue(list);
  ScanArchiveMaps(catalogue, FreeForAll);
  ScanLooseMaps(catalogue, FreeForAll);
  EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE, 0);
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax, 299);
}

TEST_F(ListBoxTest, ContainsAnswersLikeReadingEveryItem) {
  const char* const names[] = {"DM/a", "dm/a", "DM/A", "DM/ab", "DM/", "obj/c_TOW", "obj/c_tow", "\xE9t\xE9", "\x81x"};
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("DM/ab"));  // before the catalogue
  ListBoxCatalogue catalogue(list);
  std::mt19937 random(7);
  for (int step = 0; step < 400; ++step) {
    const char* name = names[random() % std::size(names)];
    ASSERT_EQ(catalogue.Contains(name), LinearContains(name)) << step << " " << name;
    const unsigned action = random() % 25;
    if (action == 0) {
      catalogue.Clear();
      ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    } else if (action == 1) {
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));  // by other hands
    } else if (!catalogue.Contains(name)) {
      catalogue.Append(name);
    }
  }
}

}  // namespace
