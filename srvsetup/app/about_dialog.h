// The About box, run modally from the frame's Help menu.
#pragma once

#include <windows.h>

// Ends with IDCANCEL on OK and on Escape.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
