// The Advanced settings dialog, run modally from the main dialog.
#pragma once

#include <windows.h>

// Edits a working copy of the live record; OK copies it whole into the live record, Cancel drops
// it. Ends with IDCANCEL either way.
INT_PTR CALLBACK AdvancedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
