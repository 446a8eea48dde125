// The compiled templates, menu, images and version as the program finds them in its module.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

namespace {

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// A template made into a hidden window with a procedure that does nothing: only the template's
// own doing shows.
class Template {
 public:
  explicit Template(int id) {
    parent_ = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, nullptr, nullptr);
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), parent_, InertDialogProc, 0);
  }
  ~Template() {
    DestroyWindow(window_);
    DestroyWindow(parent_);
  }
  HWND Window() const { return window_; }
  LONG Style() const { return GetWindowLongA(window_, GWL_STYLE); }
  LONG Style(int control) const { return GetWindowLongA(GetDlgItem(window_, control), GWL_STYLE); }
  // The dialog manager turns a control's WS_BORDER into a sunken client edge.
  bool Bordered(int control) const {
    return (Style(control) & WS_BORDER) || (GetWindowLongA(GetDlgItem(window_, control), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  }
  std::string Kind(int control) const {
    char name[32] = "";
    GetClassNameA(GetDlgItem(window_, control), name, sizeof name);
    return name;
  }
  // Whether the client area measures the given dialog units.
  bool Measures(int width, int height) const {
    RECT client = {};
    GetClientRect(window_, &client);
    RECT expected = {0, 0, width, height};
    MapDialogRect(window_, &expected);
    return client.right == expected.right && client.bottom == expected.bottom;
  }

 private:
  HWND parent_ = nullptr;
  HWND window_ = nullptr;
};

bool Has(LONG style, LONG bits) {
  return (style & bits) == bits;
}

void ExpectEdit(const Template& t, int id) {
  EXPECT_EQ(t.Kind(id), "Edit") << id;
  EXPECT_TRUE(t.Bordered(id)) << id;
  EXPECT_TRUE(Has(t.Style(id), WS_TABSTOP | ES_AUTOHSCROLL)) << id;
}

void ExpectList(const Template& t, int id) {
  EXPECT_EQ(t.Kind(id), "ListBox") << id;
  EXPECT_TRUE(t.Bordered(id)) << id;
  EXPECT_TRUE(Has(t.Style(id), LBS_NOTIFY | LBS_NOINTEGRALHEIGHT)) << id;
  EXPECT_FALSE(t.Style(id) & LBS_SORT) << id;
  // The vertical scroll bar shows once the items overflow the list.
  HWND list = GetDlgItem(t.Window(), id);
  for (int i = 0; i < 50; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("dm/harbour"));
  EXPECT_TRUE(t.Style(id) & WS_VSCROLL) << id;
}

void ExpectCheckBox(const Template& t, int id) {
  EXPECT_EQ(t.Kind(id), "Button") << id;
  EXPECT_EQ(t.Style(id) & BS_TYPEMASK, BS_AUTOCHECKBOX) << id;
}

void ExpectPopup(const Template& t) {
  EXPECT_TRUE(Has(t.Style(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
}

TEST(Templates, MainDialogIsAChildWithoutCaptionAndTheTemplatesKinds) {
  Template t(IDD_MAIN);
  ASSERT_NE(t.Window(), nullptr);
  EXPECT_TRUE(t.Style() & WS_CHILD);
  EXPECT_FALSE(Has(t.Style(), WS_CAPTION));
  EXPECT_TRUE(t.Measures(401, 354));
  for (int id : {IDC_SERVER_NAME, IDC_START_MAP, IDC_MAP_ROTATION, IDC_MAX_PLAYERS, IDC_TIME_LIMIT, IDC_FRAG_LIMIT,
                 IDC_MAP_ROTATION_TIME, IDC_ROUND_RESET_TIME, IDC_TEAM_SPAWN_DELAY, IDC_INACTIVE_SPECTATE,
                 IDC_INACTIVE_KICK, IDC_ADDITIONAL_SETTINGS}) {
    ExpectEdit(t, id);
  }
  EXPECT_TRUE(Has(t.Style(IDC_ADDITIONAL_SETTINGS), ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL));
  for (int id : {IDC_GAME_TYPE, IDC_HEAL_RATE}) {
    EXPECT_EQ(t.Kind(id), "ComboBox");
    EXPECT_EQ(t.Style(id) & 3, CBS_DROPDOWN);
    EXPECT_FALSE(t.Style(id) & CBS_SORT);
  }
  for (int id : {IDC_HEALTH_DROP, IDC_REALISTIC_MODE, IDC_FAST_RUN_SPEED, IDC_TEAM_DAMAGE, IDC_USE_GAMESPY}) {
    ExpectCheckBox(t, id);
  }
  EXPECT_EQ(t.Style(IDC_RUN_SERVER) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetDlgItem(t.Window(), IDOK), nullptr);
  EXPECT_EQ(t.Style(IDC_NOTICE) & SS_TYPEMASK, SS_CENTER);
}

TEST(Templates, AdvancedDialogIsACentredPopupWithAHiddenPassword) {
  Template t(IDD_ADVANCED);
  ASSERT_NE(t.Window(), nullptr);
  ExpectPopup(t);
  EXPECT_TRUE(t.Style() & DS_CENTER);
  EXPECT_EQ(WindowText(t.Window()), "Advanced Settings");
  EXPECT_TRUE(t.Measures(286, 279));
  for (int id : {IDC_INVULNERABLE_TIME, IDC_TEAM_KILL_WARNING, IDC_TEAM_KILL_KICK, IDC_TEAM_SWITCH_DELAY, IDC_GRAVITY,
                 IDC_ALLOW_JOIN_TIME, IDC_PRIVATE_CLIENTS, IDC_PASSWORD, IDC_KEYWORDS, IDC_NET_PORT, IDC_MIN_PING,
                 IDC_MAX_PING, IDC_MAX_RATE}) {
    ExpectEdit(t, id);
  }
  EXPECT_TRUE(t.Style(IDC_PASSWORD) & ES_PASSWORD);
  for (int id : {IDC_PURE, IDC_ALLOW_VOTING, IDC_FLOOD_PROTECT, IDC_FORCE_TEAM_SPECTATE, IDC_FORCE_READY,
                 IDC_FORCE_SPAWN, IDC_NO_FALLING_DAMAGE, IDC_INFINITE_AMMO, IDC_LEAN_WHILE_RUNNING,
                 IDC_OLD_STYLE_SNIPER_RIFLES, IDC_AXIS_SHOTGUN}) {
    ExpectCheckBox(t, id);
  }
  EXPECT_EQ(t.Style(IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST(Templates, MapDialogsHoldUnsortedNotifyingLists) {
  Template rotation(IDD_MAP_ROTATION);
  ASSERT_NE(rotation.Window(), nullptr);
  ExpectPopup(rotation);
  EXPECT_TRUE(rotation.Measures(289, 242));
  ExpectList(rotation, IDC_MAP_LIST);
  ExpectList(rotation, IDC_ROTATION_LIST);
  EXPECT_EQ(rotation.Style(IDC_APPLY) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetDlgItem(rotation.Window(), IDOK), nullptr);
  EXPECT_EQ(ControlText(rotation.Window(), IDC_ADD_TO_ROTATION), "-->");
  EXPECT_EQ(ControlText(rotation.Window(), IDC_REMOVE_FROM_ROTATION), "<--");

  Template select(IDD_SELECT_MAP);
  ASSERT_NE(select.Window(), nullptr);
  ExpectPopup(select);
  EXPECT_TRUE(select.Measures(130, 170));
  ExpectList(select, IDC_MAP_CHOICES);
  EXPECT_EQ(select.Style(IDOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

BOOL CALLBACK FindBitmapStatic(HWND child, LPARAM found) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The picture has no identifier of its own (IDC_STATIC), so it is found by its kind.
HWND BitmapStatic(HWND dialog) {
  HWND found = nullptr;
  EnumChildWindows(dialog, FindBitmapStatic, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(Templates, BitmapStaticsShowTheBanner) {
  Template main(IDD_MAIN);
  Template about(IDD_ABOUT);
  ExpectPopup(about);
  EXPECT_TRUE(about.Measures(216, 202));
  for (HWND dialog : {main.Window(), about.Window()}) {
    HWND banner = BitmapStatic(dialog);
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(GetWindowLongA(banner, GWL_STYLE) & SS_CENTERIMAGE);
    HBITMAP image = reinterpret_cast<HBITMAP>(SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(image, nullptr);
    BITMAP shown = {};
    GetObjectA(image, sizeof shown, &shown);
    EXPECT_EQ(shown.bmWidth, 256);
    EXPECT_EQ(shown.bmHeight, 165);
  }
  EXPECT_TRUE(GetWindowLongA(BitmapStatic(main.Window()), GWL_STYLE) & SS_SUNKEN);
}

const void* Resource(LPCSTR type, int id, DWORD* size) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return nullptr;
  *size = SizeofResource(module, found);
  return LockResource(LoadResource(module, found));
}

TEST(Images, BannerIsAPalettedEightBitBitmapAndTheIconOne256ColourImage) {
  DWORD size = 0;
  const auto* banner = static_cast<const BITMAPINFOHEADER*>(Resource(RT_BITMAP, IDB_BANNER, &size));
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->biWidth, 256);
  EXPECT_EQ(banner->biHeight, 165);
  EXPECT_EQ(banner->biBitCount, 8);
  EXPECT_EQ(banner->biCompression, static_cast<DWORD>(BI_RGB));

  // The icon group: a header of three words, then one 14-byte entry per image.
  const auto* group = static_cast<const BYTE*>(Resource(RT_GROUP_ICON, IDI_LAUNCHER, &size));
  ASSERT_NE(group, nullptr);
  ASSERT_GE(size, 6u + 14u);
  EXPECT_EQ(group[4] | group[5] << 8, 1);  // one image
  EXPECT_EQ(group[6], 32);                 // width
  EXPECT_EQ(group[7], 32);                 // height
  EXPECT_EQ(group[12] | group[13] << 8, 8);  // bits per pixel: 256 colours
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_LAUNCHER)), nullptr);
}

std::string MenuText(HMENU menu, UINT item, UINT flags) {
  char text[64] = "";
  GetMenuStringA(menu, item, text, sizeof text, flags);
  return text;
}

TEST(Menu, HasTheFrenchFileAndHelpMenus) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_EQ(MenuText(menu, 0, MF_BYPOSITION), "&Fichier");
  EXPECT_EQ(MenuText(menu, 1, MF_BYPOSITION), "&Aide");
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 0)), 1);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 1)), 1);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), static_cast<UINT>(IDM_QUIT));
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 1), 0), static_cast<UINT>(IDM_ABOUT));
  EXPECT_EQ(MenuText(menu, IDM_QUIT, MF_BYCOMMAND), "&Quitter");
  EXPECT_EQ(MenuText(menu, IDM_ABOUT, MF_BYCOMMAND), "&A propos de");
  DestroyMenu(menu);
}

TEST(Version, Is1001InFrench) {
  DWORD size = 0;
  const auto* version = static_cast<const BYTE*>(Resource(RT_VERSION, VS_VERSION_INFO, &size));
  ASSERT_NE(version, nullptr);
  const VS_FIXEDFILEINFO* fixed = nullptr;
  for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
    DWORD signature = 0;
    std::memcpy(&signature, version + at, sizeof signature);
    if (signature == VS_FFI_SIGNATURE) {
      fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(version + at);
      break;
    }
  }
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  // The string block of French (040C) in code page 1252 (04E4), and the texts "1, 0, 0, 1".
  const std::u16string block(reinterpret_cast<const char16_t*>(version), size / 2);
  EXPECT_NE(block.find(u"040C04E4"), std::u16string::npos);
  EXPECT_NE(block.find(u"1, 0, 0, 1"), std::u16string::npos);
}

}  // namespace
