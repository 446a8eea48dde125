// A program started as a process of its own and driven from outside through its windows, as an
// operator would; with the processes it starts in turn, so that a test leaves none behind.
// Windows only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class LauncherProcess {
 public:
  // Starts the program with the given arguments in the given current directory.
  LauncherProcess(const std::string& program, const std::string& arguments, const std::string& directory);
  // Ends the program if it still runs, then waits for whatever it started and ends what remains.
  ~LauncherProcess();
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  bool Started() const { return started_; }

  // The first visible top-level window of the process with that class (and owner, unless null),
  // waiting up to ten seconds for it; null when none appears.
  HWND WaitForWindow(const char* className, HWND owner = nullptr) const;

  // The frame of that class and, once filled and shown inside it, the main dialog; null when
  // they do not come.
  HWND WaitForMainDialog(const char* frameClass);
  HWND Frame() const { return frame_; }
  // Posts a click on a main-dialog button that opens a modal dialog; that dialog, or null.
  HWND OpenModal(int button) const;
  // Posts a click on a button of a modal dialog and waits until the dialog is gone.
  bool CloseModal(HWND modal, int button) const;

  // Whether the program's loop still runs once it has handled what was posted to it before the
  // call: after a sent click that must leave it open. The main dialog's Cancel button carries
  // the marks of StillDispatches.
  bool StillRuns() const;

  // The exit code, or -1 when the process is still running after the wait.
  int ExitCode(DWORD milliseconds = 10000) const;

  // Waits until every process the program started (and theirs) has ended; those still running
  // after the wait are ended and named on the error output. Returns how many had to be ended.
  // The wait is generous: on a loaded machine Wine may take seconds to start and end a console
  // program with its console host.
  int EndStartedProcesses(DWORD milliseconds = 30000) const;

 private:
  PROCESS_INFORMATION process_ = {};
  bool started_ = false;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

// Selects the item of another process's list box that reads `name`; false when there is none.
// Read with the wide-character message, since the ANSI one writes UTF-16 between processes
// under Wine, and compared in code page 1252.
bool SelectForeignListItem(HWND list, const std::string& name);

// The running processes that descend from the given one, children before grandchildren; only
// those of that executable name (any letter case) when a name is given. Wine's desktop process
// (explorer.exe) is never counted.
std::vector<DWORD> DescendantProcesses(DWORD ancestorId, const char* executableName = nullptr);
