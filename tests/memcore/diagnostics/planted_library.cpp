// A stand-in for a file planted beside a host under the symbol handler's name: it only announces
// that it was loaded.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("PLANTED_LIBRARY_LOADED", "1");
  return TRUE;
}
