#include "srvsetup/settings/main_dialog.h"

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/maps/map_dialogs.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_dialog.h"

// A stand-in until the dialog's own fields are wired: it opens the Advanced and map dialogs,
// shows what the map dialogs chose, and ends the launcher on Cancel; every other control stays
// as the template made it.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
          PostQuitMessage(0);
          break;
        case IDC_SELECT_MAP:
          if (DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SELECT_MAP), dialog, SelectMapDialogProc, 0) == IDOK) {
            SetDlgItemTextA(dialog, IDC_START_MAP, g_settings.startMap);
          }
          break;
        case IDC_SETUP_ROTATION:
          if (DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_MAP_ROTATION), dialog, MapRotationDialogProc, 0) ==
              IDOK) {
            SetDlgItemTextA(dialog, IDC_MAP_ROTATION, g_settings.mapRotation);
          }
          break;
        case IDC_ADVANCED:
          DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ADVANCED), dialog, AdvancedDialogProc, 0);
          break;
      }
      return 0;
  }
  return 0;
}
