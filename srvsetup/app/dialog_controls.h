// Thin helpers over check boxes, titles and modal dialogs, shared by the launcher's dialog
// procedures so that each reads like the behaviour it implements.
#pragma once

#include <windows.h>

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/captions.h"

// The state a check box shows for a flag.
inline UINT CheckState(bool checked) {
  return checked ? BST_CHECKED : BST_UNCHECKED;
}

inline bool IsChecked(HWND dialog, int box) {
  return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

// Makes a text of the string table the window's title.
inline void ShowTitleFromString(HWND window, UINT stringId) {
  char title[kCaptionSize];
  LoadText(g_instance, stringId, title);
  SetWindowTextA(window, title);
}

// Runs one of the program's dialog templates modally, owned by owner, with the initialisation
// parameter 0; gives the result it ends with.
inline INT_PTR RunModal(HWND owner, int templateId, DLGPROC procedure) {
  return DialogBoxParamA(g_instance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}
