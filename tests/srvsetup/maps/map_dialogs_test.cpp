// The Select Map and Setup Map Rotation dialogs on their real templates, over a game folder,
// driven by clicks and checked through the live record and the lists.
#include "srvsetup/maps/map_dialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "map_test_folder.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

namespace {

class MapDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_settings.SetDefaults();
    CopyTextField(g_settings.startMap, "dm/previous");
    CopyTextField(g_settings.mapRotation, "dm/x dm/y ");
  }
  void TearDown() override { g_settings.SetDefaults(); }

  void ThreeLooseMaps() {
    LooseFile("mainex/maps/dm/a.bsp");
    LooseFile("main/maps/dm/b.bsp");
    LooseFile("main/maps/dm/c.bsp");
  }

  GameFolder folder_;
};

using SelectMapDialogTest = MapDialogTest;

TEST_F(SelectMapDialogTest, OpensWithTheFirstMapSelectedAndOkTakesIt) {
  Archive("main/pak0.pk3", {"maps/DM/harbour.bsp", "maps/obj/bridge.bsp"});
  LooseFile("mainex/maps/dm/a.bsp");
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  HWND list = dialog.Control(IDC_MAP_CHOICES);
  EXPECT_EQ(ListItems(list), (Names{"DM/harbour", "dm/a"}));
  EXPECT_EQ(ListSelection(list), 0);
  SaveScreenshot(dialog.Window(), "select-map-dialog");
  Click(dialog.Window(), IDOK);
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_STREQ(g_settings.startMap, "DM/harbour");
}

TEST_F(SelectMapDialogTest, DoubleClickTakesThatMap) {
  ThreeLooseMaps();
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  DoubleClickListItem(dialog.Control(IDC_MAP_CHOICES), 2);
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_STREQ(g_settings.startMap, "dm/c");
}

TEST_F(SelectMapDialogTest, CancelAndEscapeKeepTheStartMap) {
  ThreeLooseMaps();
  for (bool escape : {false, true}) {
    ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
    ASSERT_NE(dialog.Window(), nullptr);
    ClickListItem(dialog.Control(IDC_MAP_CHOICES), 1);
    EXPECT_EQ(ListSelection(dialog.Control(IDC_MAP_CHOICES)), 1);
    if (escape) {
      PostKey(dialog.Window(), VK_ESCAPE);
    } else {
      Click(dialog.Window(), IDCANCEL);
    }
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_STREQ(g_settings.startMap, "dm/previous");
  }
}

TEST_F(SelectMapDialogTest, EmptyCatalogueOkEndsWithOneAndKeepsTheStartMap) {
  LooseFile("main/maps/obj/d_tow.bsp");  // nothing for the deathmatch-style types
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), Names{});
  EXPECT_EQ(ListSelection(dialog.Control(IDC_MAP_CHOICES)), LB_ERR);
  Click(dialog.Window(), IDOK);
  EXPECT_EQ(dialog.Result(), IDOK);
  EXPECT_STREQ(g_settings.startMap, "dm/previous");
}

TEST_F(SelectMapDialogTest, OffersTheMapsOfTheRecordsGameTypeAndRebuildsOnEachOpening) {
  ThreeLooseMaps();
  LooseFile("mainex/maps/obj/bridge.bsp");
  g_settings.gameType = Objective;
  {
    ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), Names{"obj/bridge"});
  }
  LooseFile("main/maps/obj/canal.bsp");
  {
    ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), (Names{"obj/bridge", "obj/canal"}));
  }
  g_settings.gameType = NoGameType;
  ModalDialog dialog(IDD_SELECT_MAP, SelectMapDialogProc);
  ASSERT_NE(dialog.Window(), nullptr);
  EXPECT_EQ(ListItems(dialog.Control(IDC_MAP_CHOICES)), Names{});
}

class MapRotationDialogTest : public MapDialogTest {
 protected:
  void Open() {
    dialog_.reset();  // cancels the one still open
    dialog_ = std::make_unique<ModalDialog>(IDD_MAP_ROTATION, MapRotationDialogProc);
    ASSERT_NE(dialog_->Window(), nullptr);
    maps_ = dialog_->Control(IDC_MAP_LIST);
    rotation_ = dialog_->Control(IDC_ROTATION_LIST);
  }
  void Add(int mapIndex) {
    ClickListItem(maps_, mapIndex);
    Click(dialog_->Window(), IDC_ADD_TO_ROTATION);
  }
  void Press(int button) { Click(dialog_->Window(), button); }

  std::unique_ptr<ModalDialog> dialog_;
  HWND maps_ = nullptr;
  HWND rotation_ = nullptr;
};

TEST_F(MapRotationDialogTest, OpensWithAnEmptyRotationAndNothingSelected) {
  ThreeLooseMaps();
  Open();
  EXPECT_EQ(ListItems(maps_), (Names{"dm/a", "dm/b", "dm/c"}));
  EXPECT_EQ(ListItems(rotation_), Names{});
  EXPECT_EQ(ListSelection(maps_), LB_ERR);
  EXPECT_EQ(ListSelection(rotation_), LB_ERR);
  // Buttons with nothing selected change nothing.
  for (int button : {IDC_ADD_TO_ROTATION, IDC_REMOVE_FROM_ROTATION, IDC_MOVE_UP, IDC_MOVE_DOWN}) Press(button);
  EXPECT_EQ(ListItems(rotation_), Names{});
  // Apply on the empty list keeps the record's rotation.
  Press(IDC_APPLY);
  EXPECT_EQ(dialog_->Result(), IDOK);
  EXPECT_STREQ(g_settings.mapRotation, "dm/x dm/y ");
}

TEST_F(MapRotationDialogTest, ArrowAndDoubleClickAddDuplicatesAndApplyJoinsThem) {
  ThreeLooseMaps();
  Open();
  Add(0);
  Add(1);
  DoubleClickListItem(maps_, 0);
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/a", "dm/b", "dm/a"}));
  DoubleClickListItem(rotation_, 1);  // does nothing
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/a", "dm/b", "dm/a"}));
  SaveScreenshot(dialog_->Window(), "map-rotation-dialog");
  PostKey(rotation_, VK_RETURN);  // Apply is the default button
  EXPECT_EQ(dialog_->Result(), IDOK);
  EXPECT_STREQ(g_settings.mapRotation, "dm/a dm/b dm/a ");
}

TEST_F(MapRotationDialogTest, UpDownAndRemoveMoveTheSelectedEntry) {
  ThreeLooseMaps();
  // A fresh opening with the rotation a, b, c and one entry selected.
  auto start = [this](int selected) {
    Open();
    for (int i = 0; i < 3; ++i) Add(i);
    ClickListItem(rotation_, selected);
  };
  start(1);
  Press(IDC_MOVE_UP);
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/b", "dm/a", "dm/c"}));
  EXPECT_EQ(ListSelection(rotation_), 0);
  Press(IDC_MOVE_UP);  // already first
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/b", "dm/a", "dm/c"}));
  EXPECT_EQ(ListSelection(rotation_), 0);

  start(1);
  Press(IDC_MOVE_DOWN);
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/a", "dm/c", "dm/b"}));
  EXPECT_EQ(ListSelection(rotation_), 2);
  Press(IDC_MOVE_DOWN);  // already last
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/a", "dm/c", "dm/b"}));
  EXPECT_EQ(ListSelection(rotation_), 2);

  start(1);
  Press(IDC_REMOVE_FROM_ROTATION);
  EXPECT_EQ(ListItems(rotation_), (Names{"dm/a", "dm/c"}));
  EXPECT_EQ(ListSelection(rotation_), 0);
  Press(IDC_REMOVE_FROM_ROTATION);
  EXPECT_EQ(ListItems(rotation_), Names{"dm/c"});
  EXPECT_EQ(ListSelection(rotation_), 0);
  Press(IDC_REMOVE_FROM_ROTATION);
  EXPECT_EQ(ListItems(rotation_), Names{});
  EXPECT_EQ(ListSelection(rotation_), LB_ERR);

  Press(IDCANCEL);
  EXPECT_EQ(dialog_->Result(), IDCANCEL);
  EXPECT_STREQ(g_settings.mapRotation, "dm/x dm/y ");
}

TEST_F(MapRotationDialogTest, ApplyStopsBeforeTheNameThatWouldOverflowTheField) {
  const std::string stem(57, 'n');  // "dm/" + 57 characters: 60, and 61 with the blank
  LooseFile("main/maps/dm/" + stem + ".bsp");
  LooseFile("main/maps/dm/z.bsp");
  Open();
  ASSERT_EQ(ListItems(maps_).size(), 2u);
  const int longName = ListItems(maps_)[0] == "dm/z" ? 1 : 0;
  for (int i = 0; i < 5; ++i) Add(longName);
  Add(1 - longName);  // would fit after the fourth, but the list stopped at the fifth
  Press(IDC_APPLY);
  EXPECT_EQ(dialog_->Result(), IDOK);
  std::string expected;
  for (int i = 0; i < 4; ++i) expected += "dm/" + stem + " ";
  EXPECT_EQ(std::string(g_settings.mapRotation), expected);
}

TEST_F(MapRotationDialogTest, EscapeKeepsTheRotation) {
  ThreeLooseMaps();
  Open();
  Add(2);
  PostKey(dialog_->Window(), VK_ESCAPE);
  EXPECT_EQ(dialog_->Result(), IDCANCEL);
  EXPECT_STREQ(g_settings.mapRotation, "dm/x dm/y ");
}

}  // namespace
