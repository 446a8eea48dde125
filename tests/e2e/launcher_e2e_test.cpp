// The real srvsetup.exe started in a game folder and driven from outside as an operator would,
// up to "Run Server"; checked through the files it leaves, the stand-in server's log and its own
// exit. Every process it starts is gone when a test ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "srvsetup/app/launcher.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/server_settings.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_process.h"
#include "support/zip_archive.h"

namespace {

namespace fs = std::filesystem;

constexpr char kServerLog[] = "stand-in-server.log";

std::string CurrentDirectory() {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  return directory;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class LauncherEndToEndTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // A read-only file would outlive the folder under Windows rules.
    SetFileAttributesA((folder_.Path() / "settings.cfg").string().c_str(), FILE_ATTRIBUTE_NORMAL);
    if (launcher_ != nullptr) {
      EXPECT_EQ(launcher_->EndStartedProcesses(), 0) << "a started process was left running";
    }
    launcher_.reset();
  }

  // main and mainex with an archive and loose maps, and the stand-in server beside them.
  void LayOutGame(const fs::path& root) {
    WriteZipArchive(root / "main" / "pak0.pk3", {"maps/DM/harbour.bsp", "maps/obj/bridge.bsp", "textures/a.tga"});
    WriteZipArchive(root / "mainex" / "expansion.pk3", {"maps/obj/convoy.bsp"});
    fs::create_directories(root / "mainex" / "maps" / "obj");
    WriteBytes(root / "mainex" / "maps" / "obj" / "outpost.bsp", "bsp");
    InstallServer(root);
  }

  void InstallServer(const fs::path& root) {
    ASSERT_TRUE(CopyFileA(STAND_IN_EXE, (root / "zeb_brightfen_server.exe").string().c_str(), FALSE));
  }

  static void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::FILE* out = std::fopen(file.string().c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
  }

  void Start(const std::string& program = SRVSETUP_EXE, const fs::path& directory = {}) {
    launcher_ = std::make_unique<LauncherProcess>(program, "", (directory.empty() ? folder_.Path() : directory).string());
    ASSERT_TRUE(launcher_->Started());
    frame_ = launcher_->WaitForWindow(kFrameClassName);
    ASSERT_NE(frame_, nullptr);
    // The frame shows before the dialog inside it is made; the dialog shows once it is filled.
    for (int i = 0; i < 1000 && (dialog_ == nullptr || !IsWindowVisible(dialog_)); ++i) {
      dialog_ = GetWindow(frame_, GW_CHILD);
      if (dialog_ == nullptr || !IsWindowVisible(dialog_)) Sleep(10);
    }
    ASSERT_NE(dialog_, nullptr);
  }

  // A button whose handler runs a modal dialog: posted, then the dialog that opens over the frame.
  HWND OpenModal(int button) {
    PostClick(dialog_, button);
    return launcher_->WaitForWindow("#32770", frame_);
  }

  // Picks a map by name in the Select Map dialog.
  void SelectMap(const std::string& name) {
    HWND select = OpenModal(IDC_SELECT_MAP);
    ASSERT_NE(select, nullptr);
    const std::vector<std::string> maps = ForeignListItems(GetDlgItem(select, IDC_MAP_CHOICES));
    const auto found = std::find(maps.begin(), maps.end(), name);
    ASSERT_NE(found, maps.end()) << name;
    SendDlgItemMessageA(select, IDC_MAP_CHOICES, LB_SETCURSEL, static_cast<WPARAM>(found - maps.begin()), 0);
    PostClick(select, IDOK);
    ASSERT_TRUE(WaitUntilDestroyed(select));
  }

  // Presses "Run Server" and waits for the launcher to end; its exit code.
  int RunServerAndWait() {
    PostClick(dialog_, IDC_RUN_SERVER);
    return launcher_->ExitCode();
  }

  // The stand-in's log once every started process has ended.
  std::string ServerLog(const fs::path& directory) {
    EXPECT_EQ(launcher_->EndStartedProcesses(), 0);
    return ReadBinaryFile(directory / kServerLog);
  }

  // A settings file with its own server name, game type and starting map.
  void SaveSettingsNamed(const char* name) {
    ServerSettings settings;
    CopyTextField(settings.serverName, name);
    CopyTextField(settings.startMap, "obj/bridge");
    settings.gameType = Objective;
    settings.Save((folder_.Path() / "settings.cfg").string().c_str());
  }

  void ReadSettings(const fs::path& file, ServerSettings& settings) {
    settings.Load(file.string().c_str());
  }

  GameFolder folder_;
  std::unique_ptr<LauncherProcess> launcher_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(LauncherEndToEndTest, RunServerSavesWritesTheScriptStartsTheServerAndEnds) {
  LayOutGame(folder_.Path());
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, Objective);
  SelectMap("obj/bridge");
  EXPECT_EQ(ControlText(dialog_, IDC_START_MAP), "obj/bridge");

  HWND rotation = OpenModal(IDC_SETUP_ROTATION);
  ASSERT_NE(rotation, nullptr);
  const std::vector<std::string> maps = ForeignListItems(GetDlgItem(rotation, IDC_MAP_LIST));
  ASSERT_GE(maps.size(), 2u);
  for (int index : {1, 0}) {
    SendDlgItemMessageA(rotation, IDC_MAP_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Click(rotation, IDC_ADD_TO_ROTATION);
  }
  PostClick(rotation, IDC_APPLY);
  ASSERT_TRUE(WaitUntilDestroyed(rotation));
  const std::string expectedRotation = maps[1] + " " + maps[0] + " ";
  EXPECT_EQ(ControlText(dialog_, IDC_MAP_ROTATION), expectedRotation);

  TypeText(dialog_, IDC_SERVER_NAME, "Serveur du test");
  TypeText(dialog_, IDC_MAX_PLAYERS, "24");
  Click(dialog_, IDC_REALISTIC_MODE);
  HWND advanced = OpenModal(IDC_ADVANCED);
  ASSERT_NE(advanced, nullptr);
  TypeText(advanced, IDC_NET_PORT, "27961");
  Click(advanced, IDC_INFINITE_AMMO);
  PostClick(advanced, IDOK);
  ASSERT_TRUE(WaitUntilDestroyed(advanced));

  EXPECT_EQ(RunServerAndWait(), 0);

  ServerSettings saved;
  ReadSettings(folder_.Path() / "settings.cfg", saved);
  EXPECT_EQ(ReadBinaryFile(folder_.Path() / "settings.cfg").size(), kSettingsFileSize);
  EXPECT_STREQ(saved.serverName, "Serveur du test");
  EXPECT_EQ(saved.gameType, Objective);
  EXPECT_STREQ(saved.startMap, "obj/bridge");
  EXPECT_EQ(std::string(saved.mapRotation), expectedRotation);
  EXPECT_EQ(saved.maxPlayers, 24);
  EXPECT_EQ(saved.realisticMode, 1);
  EXPECT_EQ(saved.netPort, 27961);
  EXPECT_EQ(saved.dmFlags, static_cast<std::uint32_t>(DmInfiniteAmmo));

  const std::string script = ReadBinaryFile(folder_.Path() / "mainex" / "server.cfg");
  EXPECT_TRUE(Contains(script, "map \"obj/bridge\"\r\n"));
  const std::string log = ServerLog(folder_.Path());
  EXPECT_TRUE(Contains(log, "command line: [ +exec server.cfg]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "working directory: [" + CurrentDirectory() + "]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "script: mainex\\server.cfg (" + std::to_string(script.size()) + " bytes)\r\n")) << log;
  EXPECT_TRUE(Contains(log, "sv_hostname = [Serveur du test]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "g_gametype = [4]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "g_realismmode = [1]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "sv_maxclients = [24]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "net_port = [27961]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "dmflags = [16384]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "map = [obj/bridge]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "sv_maplist = [" + expectedRotation + "]\r\n")) << log;
}

TEST_F(LauncherEndToEndTest, WithoutMainexTheLauncherStaysOpenStartsNothingAndHasSaved) {
  InstallServer(folder_.Path());
  folder_.MakeDirectory("main");
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/typed");
  PostClick(dialog_, IDC_RUN_SERVER);
  EXPECT_EQ(launcher_->ExitCode(1500), -1);
  EXPECT_TRUE(IsWindow(frame_));
  EXPECT_EQ(launcher_->EndStartedProcesses(0), 0);
  EXPECT_FALSE(folder_.Exists(kServerLog));
  EXPECT_FALSE(folder_.Exists("mainex"));
  ServerSettings saved;
  ReadSettings(folder_.Path() / "settings.cfg", saved);
  EXPECT_STREQ(saved.startMap, "dm/typed");

  // The operator can still leave by the menu.
  PostMessageA(frame_, WM_COMMAND, IDM_QUIT, 0);
  EXPECT_EQ(launcher_->ExitCode(), 0);
}

TEST_F(LauncherEndToEndTest, WithoutTheServerExecutableTheLauncherClosesSilently) {
  folder_.MakeDirectory("mainex");
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/typed");
  // A message box would hold the launcher open.
  EXPECT_EQ(RunServerAndWait(), 0);
  EXPECT_TRUE(folder_.Exists("mainex/server.cfg"));
  EXPECT_TRUE(folder_.Exists("settings.cfg"));
  EXPECT_FALSE(folder_.Exists(kServerLog));
}

TEST_F(LauncherEndToEndTest, EverythingIsLookedForInTheCurrentDirectoryNotTheProgramsOwn) {
  // The program's own folder holds a game of its own, with a settings file and no server.
  const fs::path own = folder_.Path() / "own";
  fs::create_directories(own / "mainex");
  const fs::path program = own / "srvsetup.exe";
  ASSERT_TRUE(CopyFileA(SRVSETUP_EXE, program.string().c_str(), FALSE));
  {
    ServerSettings other;
    CopyTextField(other.serverName, "From the program's folder");
    CopyTextField(other.startMap, "dm/own");
    other.Save((own / "settings.cfg").string().c_str());
  }
  const std::string ownSettings = ReadBinaryFile(own / "settings.cfg");

  const fs::path current = folder_.Path() / "current";
  fs::create_directories(current / "mainex");
  InstallServer(current);
  Start(program.string(), current);
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Nameless Battle");
  TypeText(dialog_, IDC_START_MAP, "dm/current");
  EXPECT_EQ(RunServerAndWait(), 0);

  ServerSettings saved;
  ReadSettings(current / "settings.cfg", saved);
  EXPECT_STREQ(saved.startMap, "dm/current");
  EXPECT_TRUE(Contains(ReadBinaryFile(current / "mainex" / "server.cfg"), "map \"dm/current\""));
  const std::string log = ServerLog(current);
  EXPECT_TRUE(Contains(log, "working directory: [" + current.string() + "]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "map = [dm/current]\r\n")) << log;
  EXPECT_TRUE(ReadBinaryFile(own / "settings.cfg") == ownSettings);
  EXPECT_FALSE(fs::exists(own / "mainex" / "server.cfg"));
  EXPECT_FALSE(fs::exists(own / kServerLog));
}

TEST_F(LauncherEndToEndTest, AReadOnlySettingsFileDoesNotStopTheServerStart) {
  LayOutGame(folder_.Path());
  SaveSettingsNamed("Read only");
  const std::string before = folder_.ReadFile("settings.cfg");
  ASSERT_TRUE(SetFileAttributesA("settings.cfg", FILE_ATTRIBUTE_READONLY));
  // Wine maps the attribute to the file's mode bits, which do not bind the superuser.
  std::FILE* probe = std::fopen("settings.cfg", "r+b");
  const bool attributeBinds = probe == nullptr;
  if (probe != nullptr) std::fclose(probe);

  Start();
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Read only");
  TypeText(dialog_, IDC_SERVER_NAME, "Changed");
  EXPECT_EQ(RunServerAndWait(), 0);

  const std::string log = ServerLog(folder_.Path());
  EXPECT_TRUE(Contains(log, "sv_hostname = [Changed]\r\n")) << log;
  EXPECT_TRUE(Contains(log, "map = [obj/bridge]\r\n")) << log;
  if (attributeBinds) {
    EXPECT_TRUE(folder_.ReadFile("settings.cfg") == before);
  }
}

TEST_F(LauncherEndToEndTest, ASettingsFileThatCannotBeWrittenDoesNotStopTheServerStart) {
  LayOutGame(folder_.Path());
  SaveSettingsNamed("Locked");
  const std::string before = folder_.ReadFile("settings.cfg");
  Start();
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Locked");
  // Held open without sharing: every attempt to open it again fails, whoever makes it.
  HANDLE held = CreateFileA("settings.cfg", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  TypeText(dialog_, IDC_SERVER_NAME, "Changed");
  const int exitCode = RunServerAndWait();
  CloseHandle(held);
  EXPECT_EQ(exitCode, 0);

  const std::string log = ServerLog(folder_.Path());
  EXPECT_TRUE(Contains(log, "sv_hostname = [Changed]\r\n")) << log;
  EXPECT_TRUE(folder_.ReadFile("settings.cfg") == before);
}

}  // namespace
