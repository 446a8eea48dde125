// The Select Map and Setup Map Rotation dialogs on their real templates, over a game folder,
// driven by clicks and keys and checked through the live record and the lists.
#include "srvsetup/maps/map_dialogs.h"

#include <climits>
#include <memory>

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/maps/map_fixtures.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

namespace {

// Both scans feed the dialogs: three maps in an archive, one loose file.
class MapDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings.SetDefaults();
    CopyTextField(g_settings.startMap, "dm/previous");
    CopyTextField(g_settings.mapRotation, "dm/x dm/y ");
    Archive("main/pak0.pk3", {"maps/DM/a.bsp", "maps/DM/b.bsp", "maps/DM/c.bsp"});
    LooseFile("mainex/maps/dm/d.bsp");
  }

  GameFolder folder_;
};

using SelectMapDialogTest = MapDialogTest;

TEST_F(SelectMapDialogTest, OkAndDoubleClickTakeTheMapCancelAndEscapeKeepTheOldOne) {
  const struct { const char* way; std::function<void(HWND, HWND)> act; INT_PTR result; const char* map; } ways[] = {
      {"OK", [](HWND d, HWND) { SaveScreenshot(d, "select-map-dialog"); Click(d, IDOK); }, IDOK, "DM/a"},
      {"double-click", [](HWND, HWND list) { DoubleClickListItem(list, 3); }, IDOK, "dm/d"},
      {"Cancel", [](HWND d, HWND list) { ClickListItem(list, 1); Click(d, IDCANCEL); }, IDCANCEL, "dm/previous"},
      {"Escape", [](HWND d, HWND list) { ClickListItem(list, 1); PostKey(d, VK_ESCAPE); }, IDCANCEL, "dm/previous"},
  };
  for (const auto& way : ways) {
    CopyTextField(g_settings.startMap, "dm/previous");
    ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
    HWND list = dialog.Control(IDC_MAP_CHOICES);
    ASSERT_EQ(ListItems(list), (Names{"DM/a", "DM/b", "DM/c", "dm/d"}));
    EXPECT_EQ(ListSelection(list), 0);
    way.act(dialog.Window(), list);
    EXPECT_EQ(dialog.Result(), way.result) << way.way;
    EXPECT_STREQ(g_settings.startMap, way.map) << way.way;
  }
}

TEST_F(SelectMapDialogTest, OffersTheRecordsGameTypeAfreshAndOkOnAnEmptyListKeepsTheMap) {
  g_settings.gameType = Objective;
  {
    ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
    EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), Names{});
    EXPECT_EQ(ListSelection(dialog.Control(IDC_MAP_CHOICES)), LB_ERR);
    Click(dialog.Window(), IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_STREQ(g_settings.startMap, "dm/previous");
  }
  LooseFile("main/maps/obj/canal.bsp");
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), Names{"obj/canal"});
}

TEST_F(MapDialogTest, AGameTypeOutsideTheListOffersNoMapInEitherDialog) {
  // A map of every family, so that a type read as any of the five would show one.
  Archive("mainex/obj.pk3", {"maps/obj/canal.bsp", "maps/obj/dam_TOW.bsp"});
  LooseFile("main/maps/obj/port.bsp");
  LooseFile("main/maps/obj/lock_tow.bsp");
  for (std::int32_t gameType : {int{NoGameType}, TugOfWar + 1, INT_MIN, INT_MAX}) {
    g_settings.gameType = gameType;
    {
      ModalDialog select(IDD_SELECT_MAP, SelectMapDialogProc);
      EXPECT_EQ(ListItems(select.Control(IDC_MAP_CHOICES)), Names{}) << gameType;
    }
    ModalDialog rotation(IDD_MAP_ROTATION, MapRotationDialogProc);
    EXPECT_EQ(ListItems(rotation.Control(IDC_MAP_LIST)), Names{}) << gameType;
  }
}

class MapRotationDialogTest : public MapDialogTest {
 protected:
  void Open() {
    dialog_.reset();  // cancels the one still open
    dialog_ = std::make_unique<ModalDialog>(IDD_MAP_ROTATION, MapRotationDialogProc);
    maps_ = dialog_->Control(IDC_MAP_LIST);
    rotation_ = dialog_->Control(IDC_ROTATION_LIST);
  }
  void Press(int button) { Click(dialog_->Window(), button); }
  void Add(int mapIndex) {
    ClickListItem(maps_, mapIndex);
    Press(IDC_ADD_TO_ROTATION);
  }

  std::unique_ptr<ModalDialog> dialog_;
  HWND maps_ = nullptr;
  HWND rotation_ = nullptr;
};

TEST_F(MapRotationDialogTest, CancelAndApplyOnAnEmptyRotationKeepTheRecordsRotation) {
  Open();
  EXPECT_EQ(ListItems(maps_), (Names{"DM/a", "DM/b", "DM/c", "dm/d"}));
  EXPECT_EQ(ListSelection(maps_), LB_ERR);
  for (int button : {IDC_ADD_TO_ROTATION, IDC_REMOVE_FROM_ROTATION, IDC_MOVE_UP, IDC_MOVE_DOWN}) Press(button);
  EXPECT_EQ(ListItems(rotation_), Names{});  // nothing was selected
  Add(2);
  Press(IDCANCEL);
  EXPECT_EQ(dialog_->Result(), IDCANCEL);
  EXPECT_STREQ(g_settings.mapRotation, "dm/x dm/y ");
  Open();
  EXPECT_EQ(ListItems(rotation_), Names{});
  Press(IDC_APPLY);
  EXPECT_EQ(dialog_->Result(), IDOK);
  EXPECT_STREQ(g_settings.mapRotation, "dm/x dm/y ");
}

TEST_F(MapRotationDialogTest, ArrowsDoubleClicksUpAndDownEditTheRotationThatApplyJoins) {
  Open();
  Add(0);
  Add(1);
  DoubleClickListItem(maps_, 3);
  DoubleClickListItem(rotation_, 1);  // does nothing
  ASSERT_EQ(ListItems(rotation_), (Names{"DM/a", "DM/b", "dm/d"}));
  ClickListItem(rotation_, 1);
  const struct { int button; Names rotation; int selection; } steps[] = {
      {IDC_MOVE_UP, {"DM/b", "DM/a", "dm/d"}, 0},
      {IDC_MOVE_UP, {"DM/b", "DM/a", "dm/d"}, 0},  // already first
      {IDC_MOVE_DOWN, {"DM/a", "DM/b", "dm/d"}, 1},
      {IDC_MOVE_DOWN, {"DM/a", "dm/d", "DM/b"}, 2},
      {IDC_MOVE_DOWN, {"DM/a", "dm/d", "DM/b"}, 2},  // already last
      {IDC_REMOVE_FROM_ROTATION, {"DM/a", "dm/d"}, 1},
      {IDC_MOVE_UP, {"dm/d", "DM/a"}, 0},
      {IDC_REMOVE_FROM_ROTATION, {"DM/a"}, 0},
      {IDC_REMOVE_FROM_ROTATION, {}, LB_ERR},
  };
  for (const auto& step : steps) {
    Press(step.button);
    EXPECT_EQ(ListItems(rotation_), step.rotation) << step.button;
    EXPECT_EQ(ListSelection(rotation_), step.selection) << step.button;
  }
  Add(3);
  Add(0);
  Add(3);  // a map may come back
  SaveScreenshot(dialog_->Window(), "map-rotation-dialog");
  PostKey(rotation_, VK_RETURN);  // Apply is the default button
  EXPECT_EQ(dialog_->Result(), IDOK);
  EXPECT_STREQ(g_settings.mapRotation, "dm/d DM/a dm/d ");
}

TEST_F(MapRotationDialogTest, ApplyStopsBeforeTheNameThatWouldOverflowTheField) {
  const std::string name = "DM/" + std::string(57, 'n');  // 61 bytes with its blank: four fit in 255
  Archive("mainex/long.pk3", {"maps/" + name + ".bsp"});
  Open();
  ASSERT_EQ(ListItems(maps_).at(3), name);
  for (int i = 0; i < 5; ++i) Add(3);
  Add(0);  // would fit after the fourth, but the rotation stopped at the fifth
  Press(IDC_APPLY);
  EXPECT_EQ(dialog_->Result(), IDOK);
  std::string expected;
  for (int i = 0; i < 4; ++i) expected += name + " ";
  EXPECT_EQ(std::string(g_settings.mapRotation), expected);
}

}  // namespace
