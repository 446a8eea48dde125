#include "srvsetup/app/launcher.h"

#include "srvsetup/app/about_dialog.h"
#include "srvsetup/app/dialog_controls.h"
#include "srvsetup/app/launcher_state.h"
#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/main_dialog.h"

namespace {

// A fixed-size frame: caption, system menu and minimise box, no sizing border.
constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kInitialWidth = 640;
constexpr int kInitialHeight = 480;

}  // namespace

bool InitFrame(HINSTANCE instance) {
  WNDCLASSEXA frameClass = {};
  frameClass.cbSize = sizeof frameClass;
  frameClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
  frameClass.lpfnWndProc = FrameWindowProc;
  frameClass.hInstance = instance;
  frameClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER));
  frameClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER));
  frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  frameClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
  frameClass.lpszClassName = kFrameClassName;
  if (RegisterClassExA(&frameClass) == 0) return false;

  g_frame = CreateWindowExA(0, kFrameClassName, "VELDAR Server Setup", kFrameStyle, 0, 0, kInitialWidth,
                            kInitialHeight, nullptr, nullptr, instance, nullptr);
  return g_frame != nullptr;
}

int LauncherMain(HINSTANCE instance) {
  g_instance = instance;
  if (!InitFrame(instance)) return 0;

  ShowTitleFromString(g_frame, IDS_APP_TITLE);
  ShowWindow(g_frame, SW_SHOWNORMAL);

  // Initialisation parameter 0: the main dialog loads "settings.cfg" as it initialises.
  HWND mainDialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), g_frame, MainDialogProc, 0);
  ApplyMainDialogCaptions(mainDialog, instance);
  ShowWindow(mainDialog, SW_SHOWNORMAL);

  // The dialog sits at the frame's client origin and the frame at the screen's, so the dialog's
  // screen extent is the frame's size.
  RECT extent = {};
  GetWindowRect(mainDialog, &extent);
  SetWindowPos(g_frame, HWND_NOTOPMOST, 0, 0, extent.right, extent.bottom, SWP_SHOWWINDOW);
  UpdateWindow(g_frame);
  ShowWindow(g_frame, SW_SHOWNORMAL);

  return RunMessageLoop();
}

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      DestroyMenu(GetMenu(window));
      DestroyWindow(window);
      PostQuitMessage(0);
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_QUIT:
          SendMessageA(window, WM_CLOSE, 0, 0);
          return 0;
        case IDM_ABOUT:
          RunModal(window, IDD_ABOUT, AboutDialogProc);
          break;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int RunMessageLoop() {
  // GetMessage sleeps until something arrives, so an idle launcher costs no processor time.
  // WM_CLOSE ends the loop only when it was posted; a sent one goes to the frame's procedure.
  // The main dialog gets no IsDialogMessage: Tab, Return and Escape do nothing there.
  MSG message;
  for (;;) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) return 0;
    if (message.message == WM_QUIT || message.message == WM_CLOSE) {
      return static_cast<int>(message.wParam);
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
