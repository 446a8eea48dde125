#include "srvsetup/settings/advanced_dialog.h"

#include "srvsetup/app/dialog_controls.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/advanced_fields.h"

namespace {

// The dialog is modal and never open twice, so one working copy serves every opening; it is
// taken afresh from the live record each time.
ServerSettings workingCopy;

void FillControls(HWND dialog) {
  for (int edit : kAdvancedEdits) {
    char text[kTextFieldSize];
    FormatAdvancedEdit(workingCopy, edit, text);
    // Each edit reports the change and so reads its text back: the copy holds what is shown.
    SetDlgItemTextA(dialog, edit, text);
  }
  for (const OptionBox& box : kAdvancedOptionBoxes) {
    CheckDlgButton(dialog, box.controlId, CheckState(workingCopy.*box.flag != 0));
  }
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
      if (IsAdvancedEdit(id)) {
        char text[kTextFieldSize] = "";
        GetDlgItemTextA(dialog, id, text, sizeof text);
        ReadAdvancedEdit(workingCopy, id, text);
      } else if (!ToggleAdvancedOption(workingCopy, id)) {
        SetDmFlagFromBox(workingCopy, id, IsChecked(dialog, id));
      }
      return 0;
    }
  }
  return 0;
}
