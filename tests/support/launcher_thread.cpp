#include "launcher_thread.h"

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/resource.h"
#include "support/dialog_driver.h"

LauncherThread::LauncherThread() : ended_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, started] {
    threadId_ = GetCurrentThreadId();
    SetEvent(started);
    exitCode_ = LauncherMain(GetModuleHandleA(nullptr));
    SetEvent(ended_);
  });
  WaitForSingleObject(started, INFINITE);
  CloseHandle(started);
  // Generous: the first window of a test program takes Wine seconds on a loaded machine.
  const ULONGLONG deadline = GetTickCount64() + 15000;
  for (; frame_ == nullptr && !Ended(0) && GetTickCount64() < deadline; Sleep(10)) {
    HWND frame = FindWindowA(kFrameClassName, nullptr);
    if (frame != nullptr && GetWindowThreadProcessId(frame, nullptr) == threadId_ && IsWindowVisible(frame)) {
      frame_ = frame;
    }
  }
  if (frame_ == nullptr) return;
  // The main dialog is created, captioned and the frame sized before the loop starts waiting;
  // a message through the loop tells that it is there.
  SendMessageA(frame_, WM_NULL, 0, 0);
  mainDialog_ = GetWindow(frame_, GW_CHILD);
}

bool LauncherThread::StillRuns() const {
  return StillDispatches(GetDlgItem(mainDialog_, IDCANCEL)) && !Ended(0);
}

LauncherThread::~LauncherThread() {
  if (!Ended(0)) {
    if (IsWindow(frame_)) PostMessageA(frame_, WM_COMMAND, IDM_QUIT, 0);
    if (!Ended(5000)) PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  }
  thread_.join();
  CloseHandle(ended_);
  UnregisterClassA(kFrameClassName, GetModuleHandleA(nullptr));
}
