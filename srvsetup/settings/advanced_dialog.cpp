#include "srvsetup/settings/advanced_dialog.h"

#include "srvsetup/app/dialog_controls.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_fields.h"
#include "srvsetup/settings/field_controls.h"

namespace {

// The dialog is modal and never open twice, so one working copy serves every opening; it is
// taken afresh from the live record each time.
ServerSettings workingCopy;

void FillControls(HWND dialog) {
  // Each edit reports the change and so reads its text back: the copy holds what is shown.
  for (const EditField& edit : kEditFields) {
    if (edit.dialog == InAdvancedDialog) ShowEdit(dialog, workingCopy, &edit);
  }
  ShowOptionBoxes(dialog, workingCopy, kAdvancedOptionBoxes);
  ShowTitleFromString(dialog, IDS_ADVANCED_TITLE);
  for (const DmFlagBox& box : kDmFlagBoxes) {
    CheckDlgButton(dialog, box.controlId, CheckState((workingCopy.dmFlags & box.bit) != 0));
  }
}

}  // namespace

INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      workingCopy = g_settings;
      ApplyAdvancedDialogCaptions(dialog, g_instance);
      FillControls(dialog);
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      switch (id) {
        case IDOK:
          // The main dialog's fields in the copy are as they were at opening.
          g_settings = workingCopy;
          EndDialog(dialog, IDCANCEL);
          return 0;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return 1;
      }
      if (!ReadEdit(dialog, workingCopy, FindEdit(InAdvancedDialog, id)) &&
          !ToggleOptionBox(workingCopy, kAdvancedOptionBoxes, id)) {
        SetDmFlagFromBox(workingCopy, id, IsChecked(dialog, id));
      }
      return 0;
    }
  }
  return 0;
}
