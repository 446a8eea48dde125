// The one way both settings dialogs move their field tables between controls and a record.
#pragma once

#include <windows.h>

#include <cstddef>

#include "srvsetup/app/dialog_controls.h"
#include "srvsetup/settings/edit_field.h"
#include "srvsetup/settings/option_box.h"

// Sets an edit's text from its field. False, nothing done, for no edit (nullptr).
inline bool ShowEdit(HWND dialog, const ServerSettings& settings, const EditField* edit) {
  char text[kTextFieldSize];
  if (!FormatEditText(settings, edit, text)) return false;
  SetDlgItemTextA(dialog, edit->controlId, text);
  return true;
}

// Takes an edit's whole text, at most 255 characters, into its field. False for no edit.
inline bool ReadEdit(HWND dialog, ServerSettings& settings, const EditField* edit) {
  if (edit == nullptr) return false;
  char text[kTextFieldSize] = "";
  GetDlgItemTextA(dialog, edit->controlId, text, sizeof text);
  return ReadEditText(settings, edit, text);
}

// Checks each box of the table whose flag is set (any non-zero byte), clears the others.
template <std::size_t Count>
void ShowOptionBoxes(HWND dialog, const ServerSettings& settings, const OptionBox (&boxes)[Count]) {
  for (const OptionBox& box : boxes) {
    CheckDlgButton(dialog, box.controlId, CheckState(settings.*box.flag != 0));
  }
}
