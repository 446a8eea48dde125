// Start-up, the frame window and the message loop of the launcher.
#pragma once

#include <windows.h>

constexpr char kFrameClassName[] = "VELDARSERVERSTP";

// The whole run: the frame, the main dialog inside it, the message loop. Returns the exit code;
// 0 at once when the frame's class or window cannot be made.
int LauncherMain(HINSTANCE instance);

// Registers the frame's class and creates the frame (not yet shown) into g_frame.
bool InitFrame(HINSTANCE instance);

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Waits for messages and dispatches them until WM_QUIT or a WM_CLOSE taken from the queue;
// returns that message's word parameter.
int RunMessageLoop();
