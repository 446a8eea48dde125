#include "srvsetup/settings/main_dialog.h"

#include <initializer_list>

#include "srvsetup/app/dialog_controls.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/launch/run_server.h"
#include "srvsetup/maps/map_dialogs.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_dialog.h"
#include "srvsetup/settings/field_controls.h"
#include "srvsetup/settings/main_fields.h"

namespace {

constexpr char kSettingsFile[] = "settings.cfg";
constexpr std::size_t kWarningSize = 512;

int ListSelection(HWND dialog, int list) {
  return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

// Empties a list, adds the string-table texts first..first+count-1 and selects a position
// (-1: none).
void FillList(HWND dialog, int list, UINT firstString, int count, int selection) {
  SendDlgItemMessageA(dialog, list, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < count; ++i) {
    char text[kCaptionSize];
    LoadText(g_instance, firstString + i, text);
    SendDlgItemMessageA(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendDlgItemMessageA(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void ApplyEnabling(HWND dialog, GameTypeEnabling enabling) {
  for (int control : {IDC_TEAM_DAMAGE, IDC_MAP_ROTATION_TIME, IDC_TEAM_SPAWN_DELAY}) {
    EnableWindow(GetDlgItem(dialog, control), enabling.teamControls);
  }
  EnableWindow(GetDlgItem(dialog, IDC_ROUND_RESET_TIME), enabling.roundReset);
}

void ShowMainEdit(HWND dialog, int control) {
  ShowEdit(dialog, g_settings, FindEdit(InMainDialog, control));
}

void Initialise(HWND dialog, bool load) {
  g_settings.SetDefaults();
  if (load) g_settings.Load(kSettingsFile);

  for (const EditField& edit : kEditFields) {
    if (edit.dialog == InMainDialog && edit.controlId != IDC_ADDITIONAL_SETTINGS) ShowEdit(dialog, g_settings, &edit);
  }
  ShowOptionBoxes(dialog, g_settings, kMainOptionBoxes);
  CheckDlgButton(dialog, IDC_USE_GAMESPY, CheckState(g_settings.useGamespy != 0));

  ApplyEnabling(dialog, EnablingForStoredGameType(g_settings.gameType));
  FillList(dialog, IDC_GAME_TYPE, IDS_GAME_TYPE_FREE_FOR_ALL, kGameTypePositions,
           GameTypePosition(g_settings.gameType));
  FillList(dialog, IDC_HEAL_RATE, IDS_HEAL_RATE_INSTANT, kHealRatePositions, HealRatePosition(g_settings.healRate));
  ShowMainEdit(dialog, IDC_ADDITIONAL_SETTINGS);
}

void WarnNoStartMap(HWND dialog) {
  char title[kWarningSize];
  char text[kWarningSize];
  LoadText(g_instance, IDS_WARNING_TITLE, title);
  LoadText(g_instance, IDS_NO_MAP_WARNING, text);
  MessageBoxA(dialog, text, title, MB_OK | MB_ICONEXCLAMATION);
}

void RunServerPressed(HWND dialog) {
  ReadEdit(dialog, g_settings, FindEdit(InMainDialog, IDC_START_MAP));
  if (g_settings.startMap[0] == '\0') {
    WarnNoStartMap(dialog);
    return;
  }
  for (const EditField& edit : kEditFields) {
    if (edit.dialog == InMainDialog && edit.controlId != IDC_START_MAP) ReadEdit(dialog, g_settings, &edit);
  }
  g_settings.useGamespy = IsChecked(dialog, IDC_USE_GAMESPY) ? 1 : 0;
  // A settings file that cannot be written does not stop the server.
  g_settings.Save(kSettingsFile);
  // Once the script is written the frame closes, and this dialog with it.
  RunServer(dialog);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // 0 at start-up: load "settings.cfg"; anything else ("Set Defaults"): defaults only.
      Initialise(dialog, lParam == 0);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // A new game type makes the chosen maps meaningless; "Run Server" reads the emptied edits.
      if (HIWORD(wParam) == CBN_SELCHANGE && id == IDC_GAME_TYPE) {
        SetDlgItemTextA(dialog, IDC_START_MAP, "");
        SetDlgItemTextA(dialog, IDC_MAP_ROTATION, "");
      }
      switch (id) {
        case IDCANCEL:
          PostQuitMessage(0);
          break;
        case IDC_RUN_SERVER:
          RunServerPressed(dialog);
          break;
        case IDC_HEALTH_DROP:
        case IDC_REALISTIC_MODE:
        case IDC_FAST_RUN_SPEED:
        case IDC_TEAM_DAMAGE:
          ToggleOptionBox(g_settings, kMainOptionBoxes, id);
          break;
        case IDC_HEAL_RATE:
          SetHealRateFromPosition(g_settings, ListSelection(dialog, IDC_HEAL_RATE));
          break;
        case IDC_GAME_TYPE: {
          const int position = ListSelection(dialog, IDC_GAME_TYPE);
          g_settings.gameType = position;
          ApplyEnabling(dialog, EnablingForSelection(position));
          break;
        }
        case IDC_SETUP_ROTATION:
          if (RunModal(dialog, IDD_MAP_ROTATION, MapRotationDialogProc) == IDOK) {
            ShowMainEdit(dialog, IDC_MAP_ROTATION);
          }
          break;
        case IDC_ADVANCED:
          RunModal(dialog, IDD_ADVANCED, AdvancedDialogProc);
          break;
        case IDC_SET_DEFAULTS:
          SendMessageA(dialog, WM_INITDIALOG, 1, 1);
          break;
        case IDC_SELECT_MAP:
          if (RunModal(dialog, IDD_SELECT_MAP, SelectMapDialogProc) == IDOK) {
            ShowMainEdit(dialog, IDC_START_MAP);
          }
          break;
      }
      return 0;
    }
  }
  return 0;
}
