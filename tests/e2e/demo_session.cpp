// The demo's scripted operator: starts srvsetup.exe in the current directory (a demo game
// installation), picks a game type, a map and a rotation, changes a few options, takes
// screenshots on the way and presses "Run Server".
//
// usage: demo_session SRVSETUP_EXE SCREENSHOT_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/server_settings.h"
#include "support/dialog_driver.h"
#include "support/launcher_process.h"

namespace {

class Session {
 public:
  Session(const std::string& program, const std::string& screenshots)
      : launcher_(program, "", CurrentDirectory()), screenshots_(screenshots) {}

  bool Run() {
    if (!launcher_.Started()) return Fail("cannot start " + std::string(kProgramName));
    frame_ = launcher_.WaitForWindow(kFrameClassName);
    if (frame_ == nullptr) return Fail("the launcher's window did not appear");
    for (int i = 0; i < 1000 && (dialog_ == nullptr || !IsWindowVisible(dialog_)); ++i) {
      dialog_ = GetWindow(frame_, GW_CHILD);
      Sleep(10);
    }
    if (dialog_ == nullptr) return Fail("the main dialog did not appear");
    Shot(frame_, "main-window");

    Step("Run Server before any map is chosen: the warning");
    HWND warning = OpenModal(IDC_RUN_SERVER);
    if (warning == nullptr) return Fail("no warning");
    Shot(warning, "no-map-warning");
    if (!Close(warning, IDOK)) return false;

    Step("game type \"Contre horloge\"");
    ChooseComboItem(dialog_, IDC_GAME_TYPE, RoundBased);

    Step("Select Map: DM/harbour");
    HWND select = OpenModal(IDC_SELECT_MAP);
    if (select == nullptr) return Fail("no Select Map dialog");
    if (!Pick(GetDlgItem(select, IDC_MAP_CHOICES), "DM/harbour")) return false;
    Shot(select, "select-map");
    if (!Close(select, IDOK)) return false;

    Step("Setup Rotation: DM/harbour, DM/marsh, dm/lighthouse");
    HWND rotation = OpenModal(IDC_SETUP_ROTATION);
    if (rotation == nullptr) return Fail("no Setup Map Rotation dialog");
    for (const char* name : {"DM/harbour", "DM/marsh", "dm/lighthouse"}) {
      if (!Pick(GetDlgItem(rotation, IDC_MAP_LIST), name)) return false;
      Click(rotation, IDC_ADD_TO_ROTATION);
    }
    Shot(rotation, "map-rotation");
    if (!Close(rotation, IDC_APPLY)) return false;

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
    HWND advanced = OpenModal(IDC_ADVANCED);
    if (advanced == nullptr) return Fail("no Advanced dialog");
    TypeText(advanced, IDC_NET_PORT, "27961");
    Click(advanced, IDC_PURE);
    Click(advanced, IDC_INFINITE_AMMO);
    Shot(advanced, "advanced");
    if (!Close(advanced, IDOK)) return false;
    Shot(frame_, "main-window-ready");

    Step("Run Server");
    PostClick(dialog_, IDC_RUN_SERVER);
    const int exitCode = launcher_.ExitCode();
    if (exitCode != 0) return Fail("the launcher did not end after Run Server");
    if (launcher_.EndStartedProcesses() != 0) return Fail("the server did not end by itself");
    return true;
  }

 private:
  static constexpr const char* kProgramName = "srvsetup.exe";

  static std::string CurrentDirectory() {
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
  }

  static void Step(const std::string& what) { std::printf("demo: %s\n", what.c_str()); }

  static bool Fail(const std::string& why) {
    std::fprintf(stderr, "demo: %s\n", why.c_str());
    return false;
  }

  HWND OpenModal(int button) {
    PostClick(dialog_, button);
    return launcher_.WaitForWindow("#32770", frame_);
  }

  bool Close(HWND dialog, int button) {
    PostClick(dialog, button);
    if (!WaitUntilDestroyed(dialog)) return Fail("a dialog did not close");
    SendMessageA(dialog_, WM_NULL, 0, 0);
    return true;
  }

  bool Pick(HWND list, const std::string& name) {
    const std::vector<std::string> items = ForeignListItems(list);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i] == name) {
        SendMessageA(list, LB_SETCURSEL, i, 0);
        return true;
      }
    }
    return Fail("the map " + name + " is not offered");
  }

  void Shot(HWND window, const std::string& name) {
    const std::string made = SaveScreenshot(window, name);
    const std::string kept = screenshots_ + "\\" + name + ".png";
    if (made.empty() || !CopyFileA(made.c_str(), kept.c_str(), FALSE)) {
      std::fprintf(stderr, "demo: screenshot %s failed\n", name.c_str());
      return;
    }
    std::printf("demo: screenshot %s.png\n", name.c_str());
  }

  LauncherProcess launcher_;
  std::string screenshots_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: demo_session SRVSETUP_EXE SCREENSHOT_FOLDER\n");
    return 2;
  }
  CreateDirectoryA(argv[2], nullptr);
  Session session(argv[1], argv[2]);
  return session.Run() ? 0 : 1;
}
