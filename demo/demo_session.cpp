// The demo's scripted operator: starts srvsetup.exe in the current directory (a demo game
// installation), picks a game type, a map and a rotation, changes a few options, takes
// screenshots on the way and presses "Run Server".
//
// usage: demo_session SRVSETUP_EXE SCREENSHOT_FOLDER
#include <windows.h>

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

class Session {
 public:
  Session(const std::string& program, const std::string& screenshots)
      : launcher_(program, "", CurrentDirectory()), screenshots_(screenshots) {}

  bool Run() {
    if (!launcher_.Started()) return Fail("cannot start srvsetup.exe");
    dialog_ = launcher_.WaitForMainDialog(kFrameClassName);
    if (dialog_ == nullptr) return Fail("the launcher's window did not appear");
    Shot(launcher_.Frame(), "main-window");

    Step("Run Server before any map is chosen: the warning");
    HWND warning = Open(IDC_RUN_SERVER, "no-map-warning");
    if (warning == nullptr || !Close(warning, IDOK)) return false;

    Step("game type \"Contre horloge\"");
    ChooseComboItem(dialog_, IDC_GAME_TYPE, RoundBased);

    Step("Select Map: DM/harbour");
    HWND select = Open(IDC_SELECT_MAP);
    if (select == nullptr || !Pick(select, IDC_MAP_CHOICES, "DM/harbour")) return false;
    Shot(select, "select-map");
    if (!Close(select, IDOK)) return false;

    Step("Setup Rotation: DM/harbour, DM/marsh, dm/lighthouse");
    HWND rotation = Open(IDC_SETUP_ROTATION);
    if (rotation == nullptr) return false;
    for (const char* name : {"DM/harbour", "DM/marsh", "dm/lighthouse"}) {
      if (!Pick(rotation, IDC_MAP_LIST, name)) return false;
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
    HWND advanced = Open(IDC_ADVANCED);
    if (advanced == nullptr) return false;
    TypeText(advanced, IDC_NET_PORT, "27961");
    Click(advanced, IDC_PURE);
    Click(advanced, IDC_INFINITE_AMMO);
    Shot(advanced, "advanced");
    if (!Close(advanced, IDOK)) return false;
    Shot(launcher_.Frame(), "main-window-ready");

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
    if (modal != nullptr && shot != nullptr) Shot(modal, shot);
    return modal;
  }

  bool Close(HWND modal, int button) { return launcher_.CloseModal(modal, button) || Fail("a dialog did not close"); }

  bool Pick(HWND modal, int list, const char* name) {
    return SelectForeignListItem(GetDlgItem(modal, list), name) || Fail(std::string("the map ") + name + " is not offered");
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
