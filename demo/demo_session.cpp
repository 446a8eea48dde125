// The demo's scripted operator: starts srvsetup.exe in the current directory (a demo game
// installation), picks a game type, a map and a rotation, changes a few options, takes
// screenshots on the way (each checked to show its window) and presses "Run Server".
//
// usage: demo_session SRVSETUP_EXE SCREENSHOT_FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/server_settings.h"
#include "support/dialog_driver.h"
#include "support/launcher_process.h"

namespace {

std::string CurrentDirectory() {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  return directory;
}

void Step(const char* what) { std::printf("demo: %s\n", what); }

bool Fail(const std::string& why) {
  std::fprintf(stderr, "demo: %s\n", why.c_str());
  return false;
}

// Whether the picture shows that window: the window's size, and its title bar, in the active
// caption's colours, along the top row inside the frame from the left frame to the right one and
// no further. What lay under the window, another window or a half-drawn one shows otherwise.
bool ShowsWindow(HWND window, const Picture& picture) {
  RECT bounds = {};
  GetWindowRect(window, &bounds);
  POINT client = {0, 0};
  ClientToScreen(window, &client);
  const int frame = client.x - bounds.left;
  if (picture.width != bounds.right - bounds.left || picture.height != bounds.bottom - bounds.top ||
      frame <= 0 || frame >= picture.height) {
    return false;
  }
  // A caption may run in a gradient between the two colours.
  const COLORREF ends[] = {GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_GRADIENTACTIVECAPTION)};
  const auto inCaption = [&ends](std::uint32_t pixel) {
    const int channels[] = {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    const int low[] = {GetRValue(ends[0]), GetGValue(ends[0]), GetBValue(ends[0])};
    const int high[] = {GetRValue(ends[1]), GetGValue(ends[1]), GetBValue(ends[1])};
    for (int i = 0; i < 3; ++i) {
      if (channels[i] < std::min(low[i], high[i]) || channels[i] > std::max(low[i], high[i])) return false;
    }
    return true;
  };
  const std::uint32_t* topRow = &picture.pixels[std::size_t(frame) * picture.width];
  for (int x = 0; x < picture.width; ++x) {
    if (inCaption(topRow[x]) != (x >= frame && x < picture.width - frame)) return false;
  }
  return true;
}

class Session {
 public:
  Session(const std::string& program, const std::string& screenshots)
      : launcher_(program, "", CurrentDirectory()), screenshots_(screenshots) {}

  bool Run() {
    if (!launcher_.Started()) return Fail("cannot start srvsetup.exe");
    dialog_ = launcher_.WaitForMainDialog(kFrameClassName);
    if (dialog_ == nullptr) return Fail("the launcher's window did not appear");
    if (!Shot(launcher_.Frame(), "main-window")) return false;

    Step("Run Server before any map is chosen: the warning");
    HWND warning = Open(IDC_RUN_SERVER, "no-map-warning");
    if (warning == nullptr || !Close(warning, IDOK)) return false;

    Step("game type \"Contre horloge\"");
    ChooseComboItem(dialog_, IDC_GAME_TYPE, RoundBased);

    Step("Select Map: DM/harbour");
    HWND select = Open(IDC_SELECT_MAP);
    if (select == nullptr || !Pick(select, IDC_MAP_CHOICES, "DM/harbour")) return false;
    if (!Shot(select, "select-map") || !Close(select, IDOK)) return false;

    Step("Setup Rotation: DM/harbour, DM/marsh, dm/lighthouse");
    HWND rotation = Open(IDC_SETUP_ROTATION);
    if (rotation == nullptr) return false;
    for (const char* name : {"DM/harbour", "DM/marsh", "dm/lighthouse"}) {
      if (!Pick(rotation, IDC_MAP_LIST, name)) return false;
      Click(rotation, IDC_ADD_TO_ROTATION);
    }
    if (!Shot(rotation, "map-rotation") || !Close(rotation, IDC_APPLY)) return false;

    Step("server name, players, limits, realism, heal rate, a console line");
    TypeText(dialog_, IDC_SERVER_NAME, "Serveur de d\xE9monstration");
    TypeText(dialog_, IDC_MAX_PLAYERS, "24");
    TypeText(dialog_, IDC_TIME_LIMIT, "20");
    TypeText(dialog_, IDC_FRAG_LIMIT, "50");
    TypeText(dialog_, IDC_ROUND_RESET_TIME, "5");
    Click(dialog_, IDC_REALISTIC_MODE);
    ChooseComboItem(dialog_, IDC_HEAL_RATE, 3);
    SetDlgItemTextA(dialog_, IDC_ADDITIONAL_SETTINGS, "set g_motd \"Bienvenue\"");

    Step("Advanced: net port 27961, Pure, Infinite Ammo");
    HWND advanced = Open(IDC_ADVANCED);
    if (advanced == nullptr) return false;
    TypeText(advanced, IDC_NET_PORT, "27961");
    Click(advanced, IDC_PURE);
    Click(advanced, IDC_INFINITE_AMMO);
    if (!Shot(advanced, "advanced") || !Close(advanced, IDOK)) return false;
    if (!Shot(launcher_.Frame(), "main-window-ready")) return false;

    Step("Run Server");
    PostClick(dialog_, IDC_RUN_SERVER);
    if (launcher_.ExitCode() != 0) return Fail("the launcher did not end after Run Server");
    if (launcher_.EndStartedProcesses() != 0) return Fail("the server did not end by itself");
    return true;
  }

 private:
  HWND Open(int button, const char* shot = nullptr) {
    HWND modal = launcher_.OpenModal(button);
    if (modal == nullptr) Fail("the dialog of button " + std::to_string(button) + " did not open");
    if (modal != nullptr && shot != nullptr && !Shot(modal, shot)) return nullptr;
    return modal;
  }

  bool Close(HWND modal, int button) { return launcher_.CloseModal(modal, button) || Fail("a dialog did not close"); }

  bool Pick(HWND modal, int list, const char* name) {
    return SelectForeignListItem(GetDlgItem(modal, list), name) || Fail(std::string("the map ") + name + " is not offered");
  }

  // Keeps the picture only if it shows the window.
  bool Shot(HWND window, const std::string& name) {
    const Picture picture = TakeScreenshot(window);
    if (!ShowsWindow(window, picture)) return Fail("screenshot " + name + ": the picture does not show its window");
    if (!WritePng(picture, screenshots_ + "\\" + name + ".png")) return Fail("screenshot " + name + " not written");
    std::printf("demo: screenshot %s.png\n", name.c_str());
    return true;
  }

  LauncherProcess launcher_;
  std::string screenshots_;
  HWND dialog_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: demo_session SRVSETUP_EXE SCREENSHOT_FOLDER\n");
    return 2;
  }
  CreateDirectoryA(argv[2], nullptr);
  return Session(argv[1], argv[2]).Run() ? 0 : 1;
}
