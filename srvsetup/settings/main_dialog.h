// The main settings dialog, modeless inside the frame.
#pragma once

#include <windows.h>

// Created by start-up with the initialisation parameter 0.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
