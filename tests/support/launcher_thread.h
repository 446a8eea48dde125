// The launcher's whole run (start-up, frame, main dialog, message loop) on a thread of this
// process, driven from the test thread through real messages. Windows only.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

class LauncherThread {
 public:
  // Returns once the frame and the main dialog exist and the loop runs; Frame() is null when
  // they did not appear.
  LauncherThread();
  // Quits as the menu would (ends the loop directly when that does not do it) and waits.
  ~LauncherThread();
  LauncherThread(const LauncherThread&) = delete;
  LauncherThread& operator=(const LauncherThread&) = delete;

  HWND Frame() const { return frame_; }
  HWND MainDialog() const { return mainDialog_; }
  DWORD ThreadId() const { return threadId_; }

  // Whether the loop still runs once it has handled what was posted to it before the call (a
  // quit or a close that a click posted): a click's effect on the loop comes after the click
  // returns. See StillDispatches; the main dialog's Cancel button carries the marks.
  bool StillRuns() const;
  // Whether the run ended within the wait; then ExitCode() is what the entry returned.
  bool Ended(DWORD milliseconds) const { return WaitForSingleObject(ended_, milliseconds) == WAIT_OBJECT_0; }
  int ExitCode() const { return exitCode_; }

 private:
  std::thread thread_;
  HANDLE ended_;
  std::atomic<DWORD> threadId_{0};
  int exitCode_ = -1;
  HWND frame_ = nullptr;
  HWND mainDialog_ = nullptr;
};
