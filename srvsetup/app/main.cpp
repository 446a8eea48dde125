// srvsetup.exe: the server operator's set-up program. It takes no command-line options.
#include <windows.h>

#include "srvsetup/app/launcher.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return LauncherMain(instance);
}
