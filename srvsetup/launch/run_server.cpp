#include "srvsetup/launch/run_server.h"

#include "srvsetup/app/launcher_state.h"
#include "srvsetup/launch/game_paths.h"
#include "srvsetup/launch/server_config.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the startup record of a 32-bit process");
#endif

void RunServer(HWND) {
  if (!WriteServerConfig(g_settings)) return;

  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;

  // Asked again rather than remembered: the server starts where the script was just written.
  // Should the directory not fit, the child inherits it all the same.
  char directory[kPathSize];
  const DWORD length = GetCurrentDirectoryA(kPathSize, directory);
  const char* workingDirectory = length > 0 && length < kPathSize ? directory : nullptr;

  // CreateProcessA may write into the command line, so it gets a copy of its own.
  char commandLine[sizeof kServerCommandLine];
  CopyMemory(commandLine, kServerCommandLine, sizeof commandLine);

  PROCESS_INFORMATION server = {};
  if (CreateProcessA(kServerExecutable, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                     workingDirectory, &startup, &server)) {
    // The launcher never watches the server.
    CloseHandle(server.hThread);
    CloseHandle(server.hProcess);
  }

  // The frame destroys itself and the dialogs inside it and posts the quit message.
  SendMessageA(g_frame, WM_CLOSE, 0, 0);
}
