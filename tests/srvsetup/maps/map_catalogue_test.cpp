// The catalogue's index answers as the comparison with every item would, in memory and, under
// Windows, in a real list box that both scans fill.
#include "srvsetup/maps/map_fixtures.h"

#ifdef _WIN32
#include "srvsetup/maps/list_box_catalogue.h"
#include "support/dialog_driver.h"
#endif

namespace {

TEST(OrderedCatalogueTest, ContainsAnswersLikeTheLinearComparison) {
  OrderedCatalogue catalogue;
  ExpectContainsLikeTheLinearComparison(catalogue, [&] { return catalogue.Items(); });
}

#ifdef _WIN32
// An unsorted list box in a hidden window, as the map dialogs have.
class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 0, 0, 280, 180, window,
                           nullptr, nullptr, nullptr);
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override { DestroyWindow(window); }

  HWND window = nullptr;
  HWND list = nullptr;
};

TEST_F(ListBoxTest, BothScansFillTheListInCatalogueOrderAndLeaveItShownAndScrollable) {
  GameFolder folder;
  Archive("main/maps.pk3", {"maps/DM/b.bsp", "maps/obj/c_TOW.bsp", "maps/DM/a.bsp", "maps/DM/b.bsp"});
  Archive("mainex/more.pk3", {"maps/DM/a.bsp", "maps/DM/d.bsp"});
  LooseFile("mainex/maps/dm/a.bsp");
  LooseFile("main/maps/dm/b.bsp");
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale"));
  ListBoxCatalogue catalogue(list);
  ScanArchiveMaps(catalogue, FreeForAll);
  ScanLooseMaps(catalogue, FreeForAll);
  EXPECT_EQ(ListItems(list), (Names{"DM/b", "obj/c_TOW", "DM/a", "DM/d", "dm/a", "dm/b"}));
  // Redraw, held off during each scan, is back on.
  EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE, 0);
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof scroll;
  scroll.fMask = SIF_RANGE;
  ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &scroll));
  EXPECT_EQ(scroll.nMax, 5);
  ScanArchiveMaps(catalogue, NoGameType);
  EXPECT_EQ(ListItems(list), Names{});
}

TEST_F(ListBoxTest, ContainsAnswersLikeReadingEveryItem) {
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("DM/ab"));  // before the catalogue
  ListBoxCatalogue catalogue(list);
  ExpectContainsLikeTheLinearComparison(catalogue, [&] { return ListItems(list); }, [&](const char* name) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  });
}
#endif

}  // namespace
