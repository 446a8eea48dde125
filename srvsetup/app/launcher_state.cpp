#include "srvsetup/app/launcher_state.h"

ServerSettings g_settings;
HINSTANCE g_instance = GetModuleHandleA(nullptr);
HWND g_frame = nullptr;
