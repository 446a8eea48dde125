// The resources as the program finds them in its module: the French string table and each
// dialog's captions after its pass, the templates, the menu, the images and the version.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "srvsetup/app/about_dialog.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/maps/map_dialogs.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/french_texts.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_dialog.h"
#include "srvsetup/settings/main_dialog.h"
#include "support/dialog_driver.h"

namespace {

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A template made into a hidden window, by default with a procedure that does nothing so that
// only the template's own doing shows. The parent stands in for the frame, which the main
// dialog, a child window, needs.
class Template {
 public:
  explicit Template(int id, DLGPROC procedure = InertDialogProc)
      : parent_(CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 800, 700, nullptr, nullptr, nullptr, nullptr)),
        window_(CreateDialogParamA(g_instance, MAKEINTRESOURCEA(id), parent_, procedure, 0)) {}
  ~Template() { DestroyWindow(parent_); }  // and the dialog, its child or owned window

  HWND Window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  LONG Style() const { return GetWindowLongA(window_, GWL_STYLE); }
  LONG Style(int id) const { return GetWindowLongA(Control(id), GWL_STYLE); }
  std::string Kind(int id) const { return KindOf(Control(id)); }
  static std::string KindOf(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
  }
  // The dialog manager turns a control's WS_BORDER into a sunken client edge.
  bool Bordered(int id) const {
    return (Style(id) & WS_BORDER) || (GetWindowLongA(Control(id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  }
  static bool IsPicture(HWND child) {
    return KindOf(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
  }
  // The picture has no identifier of its own (IDC_STATIC), so it is found by its kind.
  HWND Picture() const {
    for (HWND child = GetWindow(window_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsPicture(child)) return child;
    }
    return nullptr;
  }

 private:
  HWND parent_;
  HWND window_;
};

TEST(StringTableTest, EveryEntryIsByteExactAndThereAreNoOthers) {
  for (int id = 0; id <= kStringCount; ++id) {
    char text[kCaptionSize];
    const int length = LoadStringA(g_instance, id, text, sizeof text);
    const char* expected = id < kStringCount && kFrenchTexts[id] != nullptr ? kFrenchTexts[id] : "";
    EXPECT_EQ(std::string(text, length > 0 ? length : 0), expected) << "string " << id;
  }
}

using Captions = std::vector<std::pair<int, int>>;  // control (kWindowTitle for the title), string id

// The pass's captions, and no label, group box, button or check box left showing a text that is
// neither in the table nor among the template's own.
void ExpectFrenchCaptions(HWND dialog, const Captions& captions, std::set<std::string> ownTexts = {}) {
  for (const auto& [control, stringId] : captions) {
    const std::string shown = control == kWindowTitle ? WindowText(dialog) : ControlText(dialog, control);
    EXPECT_EQ(shown, kFrenchTexts[stringId]) << "control " << control << ", string " << stringId;
  }
  for (const char* text : kFrenchTexts) {
    if (text != nullptr) ownTexts.insert(text);
  }
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = Template::KindOf(child), text = WindowText(child);
    if ((kind == "Static" || kind == "Button") && !Template::IsPicture(child) && !text.empty()) {
      EXPECT_EQ(ownTexts.count(text), 1u) << "untranslated: " << text;
    }
  }
}

TEST(CaptionsTest, MainDialogShowsItsPassOverItsTemplate) {
  const Template main(IDD_MAIN, MainDialogProc);
  ASSERT_NE(main.Window(), nullptr);
  ApplyMainDialogCaptions(main.Window(), g_instance);
  ExpectFrenchCaptions(main.Window(), {
      {IDC_SERVER_NAME_LABEL, 1}, {IDC_GAME_OPTIONS_GROUP, 2}, {IDC_GAME_TYPE_LABEL, 3},
      {IDC_HEALTH_DROP, 4}, {IDC_REALISTIC_MODE, 5}, {IDC_FAST_RUN_SPEED, 6}, {IDC_TEAM_DAMAGE, 7},
      {IDC_HEAL_RATE_LABEL, 8}, {IDC_START_MAP_LABEL, 9}, {IDC_MAP_ROTATION_LABEL, 10}, {IDC_NOTICE, 11},
      {IDC_MAX_PLAYERS_LABEL, 12}, {IDC_TIME_LIMIT_LABEL, 13}, {IDC_FRAG_LIMIT_LABEL, 14},
      {IDC_MAP_ROTATION_TIME_LABEL, 15}, {IDC_ROUND_RESET_TIME_LABEL, 16}, {IDC_TEAM_SPAWN_DELAY_LABEL, 17},
      {IDC_INACTIVE_SPECTATE_LABEL, 18}, {IDC_INACTIVE_KICK_LABEL, 19}, {IDC_USE_GAMESPY, 20},
      {IDC_ADDITIONAL_SETTINGS_LABEL, 21}, {IDC_ADVANCED, 69}, {IDC_SET_DEFAULTS, 70}, {IDC_RUN_SERVER, 71},
      {IDCANCEL, 75}, {IDC_SELECT_MAP, 60}, {IDC_SETUP_ROTATION, 73}, {IDC_SERVER_OPTIONS_GROUP, 76},
  });
}

TEST(CaptionsTest, EveryModalDialogShowsItsPassOverItsTemplate) {
  const struct { int templateId; DLGPROC procedure; Captions captions; std::set<std::string> ownTexts; }
      dialogs[] = {
      {IDD_ADVANCED, AdvancedDialogProc, {
          {kWindowTitle, 49}, {IDC_INVULNERABLE_TIME_LABEL, 22}, {IDC_TEAM_KILL_WARNING_LABEL, 23},
          {IDC_TEAM_KILL_KICK_LABEL, 24}, {IDC_TEAM_SWITCH_DELAY_LABEL, 25}, {IDC_GRAVITY_LABEL, 27},
          {IDC_ALLOW_JOIN_TIME_LABEL, 26}, {IDC_PRIVATE_CLIENTS_LABEL, 28}, {IDC_PASSWORD_LABEL, 29},
          {IDC_KEYWORDS_LABEL, 30}, {IDC_NET_PORT_LABEL, 31}, {IDC_MIN_PING_LABEL, 32}, {IDC_MAX_PING_LABEL, 33},
          {IDC_MAX_RATE_LABEL, 34}, {IDC_PURE, 35}, {IDC_ALLOW_VOTING, 36}, {IDC_FLOOD_PROTECT, 37},
          {IDC_FORCE_TEAM_SPECTATE, 38}, {IDC_FORCE_READY, 39}, {IDC_FORCE_SPAWN, 40}, {IDC_NO_FALLING_DAMAGE, 41},
          {IDC_INFINITE_AMMO, 42}, {IDC_LEAN_WHILE_RUNNING, 43}, {IDC_OLD_STYLE_SNIPER_RIFLES, 44},
          {IDC_AXIS_SHOTGUN, 45}, {IDC_NETWORK_GROUP, 46}, {IDC_DM_FLAGS_GROUP, 47},
          {IDC_ADVANCED_OPTIONS_GROUP, 48}, {IDOK, 74}, {IDCANCEL, 75}}, {}},
      // The second credit line is the template's own, in French already.
      {IDD_ABOUT, AboutDialogProc, {
          {kWindowTitle, 50}, {IDC_ABOUT_TITLE, 50}, {IDC_CREATED_BY, 66}, {IDC_CREDIT_LINE, 67},
          {IDC_ABOUT_NOTICE, 11}, {IDOK, 74}}, {"l'\xE9quipe"}},
      {IDD_SELECT_MAP, SelectMapDialogProc, {{kWindowTitle, 60}, {IDOK, 74}, {IDCANCEL, 75}}, {}},
      // The arrows keep their template texts.
      {IDD_MAP_ROTATION, MapRotationDialogProc, {
          {kWindowTitle, 62}, {IDC_MAP_LIST_LABEL, 61}, {IDC_ROTATION_LIST_LABEL, 63}, {IDC_MOVE_UP, 64},
          {IDC_MOVE_DOWN, 65}, {IDC_APPLY, 72}, {IDCANCEL, 75}}, {"-->", "<--"}},
  };
  for (const auto& expected : dialogs) {
    SCOPED_TRACE(expected.templateId);
    ModalDialog dialog(expected.templateId, expected.procedure);
    ASSERT_NE(dialog.Window(), nullptr);
    ExpectFrenchCaptions(dialog.Window(), expected.captions, expected.ownTexts);
  }
}

bool Has(LONG style, LONG bits) { return (style & bits) == bits; }

constexpr LONG kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

TEST(TemplatesTest, EachHasItsSizeStyleDefaultButtonAndControlKindsWithEveryControlInside) {
  // Sizes of the client area in dialog units.
  const struct { int id, width, height; LONG style; int defaultButton; std::vector<int> edits, checkBoxes, lists; }
      templates[] = {
      {IDD_MAIN, 401, 354, WS_CHILD, IDC_RUN_SERVER,
       {IDC_SERVER_NAME, IDC_START_MAP, IDC_MAP_ROTATION, IDC_MAX_PLAYERS, IDC_TIME_LIMIT, IDC_FRAG_LIMIT,
        IDC_MAP_ROTATION_TIME, IDC_ROUND_RESET_TIME, IDC_TEAM_SPAWN_DELAY, IDC_INACTIVE_SPECTATE, IDC_INACTIVE_KICK,
        IDC_ADDITIONAL_SETTINGS},
       {IDC_HEALTH_DROP, IDC_REALISTIC_MODE, IDC_FAST_RUN_SPEED, IDC_TEAM_DAMAGE, IDC_USE_GAMESPY}, {}},
      {IDD_ADVANCED, 286, 279, kPopup | DS_CENTER, IDOK,
       {IDC_INVULNERABLE_TIME, IDC_TEAM_KILL_WARNING, IDC_TEAM_KILL_KICK, IDC_TEAM_SWITCH_DELAY, IDC_GRAVITY,
        IDC_ALLOW_JOIN_TIME, IDC_PRIVATE_CLIENTS, IDC_PASSWORD, IDC_KEYWORDS, IDC_NET_PORT, IDC_MIN_PING, IDC_MAX_PING,
        IDC_MAX_RATE},
       {IDC_PURE, IDC_ALLOW_VOTING, IDC_FLOOD_PROTECT, IDC_FORCE_TEAM_SPECTATE, IDC_FORCE_READY, IDC_FORCE_SPAWN,
        IDC_NO_FALLING_DAMAGE, IDC_INFINITE_AMMO, IDC_LEAN_WHILE_RUNNING, IDC_OLD_STYLE_SNIPER_RIFLES,
        IDC_AXIS_SHOTGUN}, {}},
      {IDD_MAP_ROTATION, 289, 242, kPopup, IDC_APPLY, {}, {}, {IDC_MAP_LIST, IDC_ROTATION_LIST}},
      {IDD_SELECT_MAP, 130, 170, kPopup, IDOK, {}, {}, {IDC_MAP_CHOICES}},
      {IDD_ABOUT, 216, 202, kPopup, IDOK, {}, {}, {}},
  };
  for (const auto& expected : templates) {
    SCOPED_TRACE(expected.id);
    const Template t(expected.id);
    ASSERT_NE(t.Window(), nullptr);
    EXPECT_TRUE(Has(t.Style(), expected.style));
    RECT client = {}, size = {0, 0, expected.width, expected.height};
    GetClientRect(t.Window(), &client);
    MapDialogRect(t.Window(), &size);
    EXPECT_TRUE(EqualRect(&client, &size));
    EXPECT_EQ(t.Style(expected.defaultButton) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    for (int id : expected.edits) {
      EXPECT_EQ(t.Kind(id), "Edit") << id;
      EXPECT_TRUE(t.Bordered(id) && Has(t.Style(id), WS_TABSTOP | ES_AUTOHSCROLL)) << id;
    }
    for (int id : expected.checkBoxes) {
      EXPECT_EQ(t.Kind(id), "Button") << id;
      EXPECT_EQ(t.Style(id) & BS_TYPEMASK, BS_AUTOCHECKBOX) << id;
    }
    for (int id : expected.lists) {
      EXPECT_EQ(t.Kind(id), "ListBox") << id;
      EXPECT_TRUE(t.Bordered(id) && Has(t.Style(id), LBS_NOTIFY | LBS_NOINTEGRALHEIGHT)) << id;
      EXPECT_FALSE(t.Style(id) & LBS_SORT) << id;
      // The vertical scroll bar shows once the items overflow the list.
      for (int i = 0; i < 50; ++i) SendMessageA(t.Control(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("dm/a"));
      EXPECT_TRUE(t.Style(id) & WS_VSCROLL) << id;
    }
    for (HWND child = GetWindow(t.Window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT placed = {}, inside = {};
      GetWindowRect(child, &placed);
      MapWindowPoints(nullptr, t.Window(), reinterpret_cast<POINT*>(&placed), 2);
      EXPECT_TRUE(IntersectRect(&inside, &placed, &client) && EqualRect(&inside, &placed)) << GetDlgCtrlID(child);
    }
  }
}

TEST(TemplatesTest, SingleControlsHaveTheirOwnStylesAndTexts) {
  const Template main(IDD_MAIN), advanced(IDD_ADVANCED), rotation(IDD_MAP_ROTATION), about(IDD_ABOUT);
  EXPECT_FALSE(Has(main.Style(), WS_CAPTION));
  EXPECT_TRUE(Has(main.Style(IDC_ADDITIONAL_SETTINGS), ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL));
  for (int id : {IDC_GAME_TYPE, IDC_HEAL_RATE}) {
    EXPECT_EQ(main.Kind(id), "ComboBox");
    EXPECT_EQ(main.Style(id) & (3 | CBS_SORT), CBS_DROPDOWN);
  }
  EXPECT_EQ(main.Style(IDC_NOTICE) & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(WindowText(advanced.Window()), "Advanced Settings");
  EXPECT_TRUE(advanced.Style(IDC_PASSWORD) & ES_PASSWORD);
  EXPECT_EQ(ControlText(rotation.Window(), IDC_ADD_TO_ROTATION), "-->");
  EXPECT_EQ(ControlText(rotation.Window(), IDC_REMOVE_FROM_ROTATION), "<--");
  // Neither has an OK button for the OK step of its caption pass to reach.
  EXPECT_EQ(main.Control(IDOK), nullptr);
  EXPECT_EQ(rotation.Control(IDOK), nullptr);
  for (const Template* t : {&main, &about}) {
    ASSERT_NE(t->Picture(), nullptr);
    EXPECT_TRUE(GetWindowLongA(t->Picture(), GWL_STYLE) & SS_CENTERIMAGE);
    EXPECT_NE(SendMessageA(t->Picture(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  }
  EXPECT_TRUE(GetWindowLongA(main.Picture(), GWL_STYLE) & SS_SUNKEN);
}

// A resource of the module, its size through `size`; null when it is missing.
const BYTE* Resource(LPCSTR type, int id, DWORD* size) {
  HRSRC found = FindResourceA(g_instance, MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return nullptr;
  *size = SizeofResource(g_instance, found);
  return static_cast<const BYTE*>(LockResource(LoadResource(g_instance, found)));
}

TEST(ImagesTest, TheBannerIsAPalettedEightBitBitmapAndTheIconOne256ColourImage) {
  DWORD size = 0;
  const auto* banner = reinterpret_cast<const BITMAPINFOHEADER*>(Resource(RT_BITMAP, IDB_BANNER, &size));
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->biWidth, 256);
  EXPECT_EQ(banner->biHeight, 165);
  EXPECT_TRUE(banner->biBitCount == 8 && banner->biCompression == BI_RGB);  // with a palette
  // The icon group: a header of three words, then one 14-byte entry per image.
  const BYTE* group = Resource(RT_GROUP_ICON, IDI_LAUNCHER, &size);
  ASSERT_TRUE(group != nullptr && size >= 6u + 14u);
  EXPECT_EQ(group[4] | group[5] << 8, 1);             // one image
  EXPECT_EQ(group[6] << 8 | group[7], 32 << 8 | 32);  // of 32 by 32 pixels
  EXPECT_EQ(group[12] | group[13] << 8, 8);           // bits per pixel: 256 colours
  EXPECT_NE(LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_LAUNCHER)), nullptr);
}

TEST(MenuTest, HasTheFrenchFileAndHelpMenusWithOneCommandEach) {
  HMENU menu = LoadMenuA(g_instance, MAKEINTRESOURCEA(IDR_MAIN_MENU));
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  const struct { const char* popup; UINT command; const char* item; } expected[] = {
      {"&Fichier", IDM_QUIT, "&Quitter"}, {"&Aide", IDM_ABOUT, "&A propos de"}};
  for (int i = 0; i < 2; ++i) {
    char popup[64] = "", item[64] = "";
    GetMenuStringA(menu, i, popup, sizeof popup, MF_BYPOSITION);
    GetMenuStringA(GetSubMenu(menu, i), 0, item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(popup, expected[i].popup);
    EXPECT_STREQ(item, expected[i].item);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, i)), 1);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, i), 0), expected[i].command);
  }
  DestroyMenu(menu);
}

TEST(VersionTest, Is1001InFrench) {
  DWORD size = 0;
  const BYTE* version = Resource(RT_VERSION, VS_VERSION_INFO, &size);
  ASSERT_NE(version, nullptr);
  const std::string bytes(reinterpret_cast<const char*>(version), size);
  const std::size_t at = bytes.find("\xBD\x04\xEF\xFE");  // VS_FFI_SIGNATURE, little-endian
  ASSERT_TRUE(at != std::string::npos && at + sizeof(VS_FIXEDFILEINFO) <= bytes.size());
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, bytes.data() + at, sizeof fixed);
  EXPECT_EQ((std::vector<DWORD>{fixed.dwFileVersionMS, fixed.dwFileVersionLS, fixed.dwProductVersionMS,
                                 fixed.dwProductVersionLS}),
            (std::vector<DWORD>{0x10000, 1, 0x10000, 1}));  // 1.0.0.1 both
  // The string block of French (040C) in code page 1252 (04E4), and the texts "1, 0, 0, 1".
  const std::u16string block(reinterpret_cast<const char16_t*>(version), size / 2);
  EXPECT_NE(block.find(u"040C04E4"), std::u16string::npos);
  EXPECT_NE(block.find(u"1, 0, 0, 1"), std::u16string::npos);
}

}  // namespace
