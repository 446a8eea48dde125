// Put in place of the dedicated server by the launch tests: writes how it was started to
// "start-probe.log" in its working directory, one "name: value" line each, and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  const char* variable = std::getenv("SRVSETUP_PROBE");

  std::FILE* log = std::fopen("start-probe.log.part", "wb");
  if (log == nullptr) return 1;
  std::fprintf(log, "command line: [%s]\n", GetCommandLineA());
  std::fprintf(log, "working directory: [%s]\n", directory);
  std::fprintf(log, "startup flags: %lu\n", static_cast<unsigned long>(startup.dwFlags));
  std::fprintf(log, "show command: %u\n", static_cast<unsigned>(startup.wShowWindow));
  std::fprintf(log, "priority class: 0x%lx\n", static_cast<unsigned long>(GetPriorityClass(GetCurrentProcess())));
  std::fprintf(log, "environment: [%s]\n", variable != nullptr ? variable : "(none)");
  std::fclose(log);
  // Renamed when complete, so that a reader never sees half a log.
  return MoveFileA("start-probe.log.part", "start-probe.log") ? 0 : 1;
}
