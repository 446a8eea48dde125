// The launcher's process-wide state, shared by start-up and every dialog.
#pragma once

#include <windows.h>

#include "srvsetup/settings/server_settings.h"

// The one live record: constructed with the defaults before the entry function runs, edited in
// place by the dialogs, alive until the process ends.
extern ServerSettings g_settings;

// The module that carries the resources: the program's own, also before start-up has run.
extern HINSTANCE g_instance;

// The frame window, once it exists; closing it ends the launcher.
extern HWND g_frame;
