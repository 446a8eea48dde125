#include "srvsetup/settings/main_dialog.h"

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_dialog.h"

// A stand-in until the dialog's own fields are wired: it opens the Advanced dialog and ends the
// launcher on Cancel, and leaves every other control as the template made it.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDCANCEL:
          PostQuitMessage(0);
          break;
        case IDC_ADVANCED:
          DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ADVANCED), dialog, AdvancedDialogProc, 0);
          break;
      }
      return 0;
  }
  return 0;
}
