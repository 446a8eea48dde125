// Driving this process's real dialogs from a test, the way an operator would: a modal dialog
// runs on a thread of its own while the test thread sends its controls clicks, keys and
// selections as messages, then reads the controls back. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// DialogBoxParamA on a thread of its own. The constructor returns once the dialog is shown
// (its WM_INITDIALOG done); the destructor cancels a dialog that is still open.
class ModalDialog {
 public:
  ModalDialog(int templateId, DLGPROC procedure, HWND owner = nullptr);
  ~ModalDialog();
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  HWND Window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  // Waits for the dialog to end and gives its result; -1 if it is still open after the wait.
  INT_PTR Result(DWORD milliseconds = 5000);

 private:
  std::thread thread_;
  HANDLE ended_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
  INT_PTR result_ = -1;
};

// The first visible dialog-class window of a thread whose owner is `owner` (any owner when
// null), waiting for it up to the given time; null when none appears.
HWND WaitForDialog(DWORD threadId, HWND owner = nullptr, DWORD milliseconds = 5000);
// Waits until the window is gone; false if it is still there after the wait.
bool WaitUntilDestroyed(HWND window, DWORD milliseconds = 5000);

// Whether the thread of that button still dispatches posted messages once it has handled what
// was posted to it before the call. A pushed look is posted to the button and then taken back,
// each awaited: a loop that has ended (a close or a quit taken, even one posted behind other
// messages) dispatches neither. Null or a destroyed button gives false at once; a loop that
// ended without destroying it, false after the wait. The button is left as it was.
bool StillDispatches(HWND button, DWORD milliseconds = 10000);

// A window's or a control's text as the control hands it out (ANSI, code page 1252).
std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
// Whether a window holds a child control showing exactly that text (a message box's text).
bool HasControlWithText(HWND window, const std::string& text);

// A button click as BM_CLICK makes it, sent (returns once handled) or posted (for a click whose
// handler runs a modal dialog of its own).
void Click(HWND dialog, int id);
void PostClick(HWND dialog, int id);
// Selects the edit's whole text and sends one character message per character, so the dialog
// hears every change; an empty text clears the edit with a backspace.
void TypeText(HWND dialog, int id, const std::string& text);
// A key pressed while the window has the focus; posted, so that a message loop sees it.
void PostKey(HWND window, UINT virtualKey);
bool IsChecked(HWND dialog, int id);

// A list box's items and selection; clicks land on the middle of an item.
std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);
void ClickListItem(HWND list, int index);
void DoubleClickListItem(HWND list, int index);
// A combo box's items and selection; choosing selects and tells the dialog, as the control does.
std::vector<std::string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
void ChooseComboItem(HWND dialog, int id, int index);

// A picture of a window: pixels 0x00RRGGBB, in top-down rows of `width`.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// What the screen shows of the window (frame and children included), once the window is on top,
// its paint done and the screen settled; an empty picture when that does not come within seconds.
Picture TakeScreenshot(HWND window);
// Writes the picture as a PNG; false for an empty picture or a failed write.
bool WritePng(const Picture& picture, const std::string& path);
// A screenshot of the window written into the build's screenshot folder. Returns the file's
// path, empty on failure.
std::string SaveScreenshot(HWND window, const std::string& name);
