// The Select Map and Setup Map Rotation dialogs, and the rotation text that the second builds.
#pragma once

#include <cstring>

#include "srvsetup/settings/server_settings.h"

// Appends a map name and its blank to a rotation text if both fit the field with the
// terminator; otherwise leaves the text as it is and returns false, so that the text always
// holds whole names, each followed by one blank.
inline bool AppendRotationEntry(char (&rotation)[kTextFieldSize], const char* name) {
  const std::size_t used = TextFieldLength(rotation);
  const std::size_t length = strnlen(name, kTextFieldSize);
  if (used >= kTextFieldSize || length + 1 > kTextFieldSize - 1 - used) return false;
  std::memcpy(rotation + used, name, length);
  rotation[used + length] = ' ';
  rotation[used + length + 1] = '\0';
  return true;
}

#ifdef _WIN32
#include <windows.h>

// Both run modally from the main dialog and build the catalogue for the live record's game type
// in their own list each time they open.

// Ends with IDOK on OK or a double-click, having copied the selected map into startMap (kept as
// it was when nothing is selected); with IDCANCEL on Cancel.
INT_PTR CALLBACK SelectMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Ends with IDOK on Apply, having replaced mapRotation with the rotation list's names (kept as it
// was when the list is empty; names that would overflow the field are left out); with IDCANCEL on
// Cancel.
INT_PTR CALLBACK MapRotationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif
