#include "launcher_process.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>

#include "dialog_driver.h"

namespace {

// When the process was created; 0 when it cannot be asked.
ULONGLONG CreationTime(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return 0;
  FILETIME created = {}, unused[3] = {};
  ULONGLONG time = 0;
  if (GetProcessTimes(process, &created, &unused[0], &unused[1], &unused[2])) {
    time = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }
  CloseHandle(process);
  return time;
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  if (processId != search.processId || lstrcmpA(name, search.className) != 0 || !IsWindowVisible(window)) return TRUE;
  if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
  search.found = window;
  return FALSE;
}

std::vector<PROCESSENTRY32> Descendants(DWORD ancestorId) {
  std::vector<PROCESSENTRY32> all;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return {};
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) all.push_back(entry);
  CloseHandle(snapshot);

  std::vector<PROCESSENTRY32> found;
  std::vector<DWORD> parents{ancestorId};
  std::vector<ULONGLONG> born{CreationTime(ancestorId)};
  for (std::size_t next = 0; next < parents.size(); ++next) {
    for (const PROCESSENTRY32& process : all) {
      if (process.th32ParentProcessID != parents[next]) continue;
      if (std::find(parents.begin(), parents.end(), process.th32ProcessID) != parents.end()) continue;
      // Wine's desktop process is started by whichever program first needs the desktop and
      // lives as long as the Wine session: never one of the program's own.
      if (lstrcmpiA(process.szExeFile, "explorer.exe") == 0) continue;
      // Process ids are reused: a process older than the one that now has its parent's id is the
      // orphan of an earlier holder of that id.
      const ULONGLONG created = CreationTime(process.th32ProcessID);
      if (created != 0 && created < born[next]) continue;
      parents.push_back(process.th32ProcessID);
      born.push_back(created);
      found.push_back(process);
    }
  }
  return found;
}

}  // namespace

LauncherProcess::LauncherProcess(const std::string& program, const std::string& arguments,
                                 const std::string& directory) {
  std::string commandLine = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  started_ = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            directory.c_str(), &startup, &process_) != FALSE;
}

LauncherProcess::~LauncherProcess() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  EndStartedProcesses();
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND LauncherProcess::WaitForWindow(const char* className, HWND owner) const {
  WindowSearch search{process_.dwProcessId, className, owner, nullptr};
  for (int i = 0; i < 1000 && search.found == nullptr; ++i) {
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) Sleep(10);
  }
  return search.found;
}

HWND LauncherProcess::WaitForMainDialog(const char* frameClass) {
  frame_ = WaitForWindow(frameClass);
  // The frame shows before the dialog inside it is made; the dialog shows once it is filled.
  for (int i = 0; frame_ != nullptr && i < 1000; ++i, Sleep(10)) {
    dialog_ = GetWindow(frame_, GW_CHILD);
    if (dialog_ != nullptr && IsWindowVisible(dialog_)) return dialog_;
  }
  return dialog_ = nullptr;
}

HWND LauncherProcess::OpenModal(int button) const {
  PostClick(dialog_, button);
  return WaitForWindow("#32770", frame_);
}

bool LauncherProcess::CloseModal(HWND modal, int button) const {
  PostClick(modal, button);
  const bool closed = WaitUntilDestroyed(modal);
  SendMessageA(dialog_, WM_NULL, 0, 0);  // the main dialog has taken what the modal one gave
  return closed;
}

bool LauncherProcess::StillRuns() const {
  return StillDispatches(GetDlgItem(dialog_, IDCANCEL)) && WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0;
}

int LauncherProcess::ExitCode(DWORD milliseconds) const {
  DWORD code = 0;
  if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
  GetExitCodeProcess(process_.hProcess, &code);
  return static_cast<int>(code);
}

int LauncherProcess::EndStartedProcesses(DWORD milliseconds) const {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  while (!DescendantProcesses(process_.dwProcessId).empty() && GetTickCount64() < deadline) Sleep(20);
  int ended = 0;
  for (const PROCESSENTRY32& left : Descendants(process_.dwProcessId)) {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, left.th32ProcessID)) {
      std::fprintf(stderr, "ending %s, still running after the wait\n", left.szExeFile);
      TerminateProcess(process, 99);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
      ++ended;
    }
  }
  return ended;
}

std::vector<DWORD> DescendantProcesses(DWORD ancestorId, const char* executableName) {
  std::vector<DWORD> found;
  for (const PROCESSENTRY32& process : Descendants(ancestorId)) {
    if (executableName == nullptr || lstrcmpiA(process.szExeFile, executableName) == 0) {
      found.push_back(process.th32ProcessID);
    }
  }
  return found;
}

bool SelectForeignListItem(HWND list, const std::string& name) {
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[300] = L"";
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= 300) continue;
    const int length = static_cast<int>(SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide)));
    char text[600] = "";
    const int bytes = length > 0 ? WideCharToMultiByte(1252, 0, wide, length, text, sizeof text, nullptr, nullptr) : 0;
    if (std::string(text, bytes > 0 ? bytes : 0) == name) {
      SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  return false;
}
