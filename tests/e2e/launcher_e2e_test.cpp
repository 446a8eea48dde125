// The real srvsetup.exe started in a game folder and driven from outside as an operator would,
// up to "Run Server"; checked through the files it leaves, the stand-in server's log and its own
// exit. Every process it starts is gone when a test ends.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "srvsetup/app/launcher.h"
#include "srvsetup/full_disk.h"
#include "srvsetup/resources/resource.h"
#include "srvsetup/settings/server_settings.h"
#include "support/dialog_driver.h"
#include "support/game_folder.h"
#include "support/launcher_process.h"
#include "support/zip_archive.h"

namespace {

namespace fs = std::filesystem;

class LauncherEndToEndTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // A read-only file would outlive the folder under Windows rules.
    SetFileAttributesA("settings.cfg", FILE_ATTRIBUTE_NORMAL);
    if (launcher_ != nullptr) {
      EXPECT_EQ(launcher_->EndStartedProcesses(), 0) << "a started process was left running";
    }
  }

  // main and mainex with archives and a loose map, and the stand-in server beside them.
  void LayOutGame() {
    WriteZipArchive(folder_.Path() / "main" / "pak0.pk3", {"maps/DM/harbour.bsp", "maps/obj/bridge.bsp", "x.tga"});
    WriteZipArchive(folder_.Path() / "mainex" / "expansion.pk3", {"maps/obj/convoy.bsp"});
    folder_.WriteFile("mainex/maps/obj/outpost.bsp", "bsp");
    InstallServer(folder_.Path());
  }

  static void InstallServer(const fs::path& root) {
    ASSERT_TRUE(CopyFileA(STAND_IN_EXE, (root / "zeb_brightfen_server.exe").string().c_str(), FALSE));
  }

  void Start(const std::string& program = SRVSETUP_EXE, const fs::path& directory = {}) {
    launcher_ = std::make_unique<LauncherProcess>(program, "", (directory.empty() ? folder_.Path() : directory).string());
    ASSERT_TRUE(launcher_->Started());
    dialog_ = launcher_->WaitForMainDialog(kFrameClassName);
    ASSERT_NE(dialog_, nullptr);
  }

  // Presses "Run Server" and waits for the launcher to end; its exit code.
  int RunServerAndWait() {
    PostClick(dialog_, IDC_RUN_SERVER);
    return launcher_->ExitCode();
  }

  // The stand-in's log once every started process has ended, as "name = [value]" lines.
  std::string ServerLog(const fs::path& directory) {
    EXPECT_EQ(launcher_->EndStartedProcesses(), 0);
    return ReadBinaryFile(directory / "stand-in-server.log");
  }

  GameFolder folder_;
  std::unique_ptr<LauncherProcess> launcher_;
  HWND dialog_ = nullptr;
  ServerSettings saved_;
};

#define EXPECT_HAS(text, part) EXPECT_NE((text).find(part), std::string::npos) << (text)

TEST_F(LauncherEndToEndTest, RunServerSavesWritesTheScriptStartsTheServerAndEnds) {
  LayOutGame();
  Start();
  ChooseComboItem(dialog_, IDC_GAME_TYPE, Objective);
  HWND select = launcher_->OpenModal(IDC_SELECT_MAP);
  ASSERT_NE(select, nullptr);
  ASSERT_TRUE(SelectForeignListItem(GetDlgItem(select, IDC_MAP_CHOICES), "obj/bridge"));
  ASSERT_TRUE(launcher_->CloseModal(select, IDOK));
  HWND rotation = launcher_->OpenModal(IDC_SETUP_ROTATION);
  ASSERT_NE(rotation, nullptr);
  for (const char* map : {"obj/outpost", "obj/convoy"}) {
    ASSERT_TRUE(SelectForeignListItem(GetDlgItem(rotation, IDC_MAP_LIST), map));
    Click(rotation, IDC_ADD_TO_ROTATION);
  }
  ASSERT_TRUE(launcher_->CloseModal(rotation, IDC_APPLY));
  TypeText(dialog_, IDC_SERVER_NAME, "Serveur du test");
  Click(dialog_, IDC_REALISTIC_MODE);
  HWND advanced = launcher_->OpenModal(IDC_ADVANCED);
  ASSERT_NE(advanced, nullptr);
  TypeText(advanced, IDC_NET_PORT, "27961");
  Click(advanced, IDC_INFINITE_AMMO);
  ASSERT_TRUE(launcher_->CloseModal(advanced, IDOK));
  EXPECT_EQ(RunServerAndWait(), 0);

  saved_.Load("settings.cfg");
  EXPECT_EQ(folder_.ReadFile("settings.cfg").size(), kSettingsFileSize);
  EXPECT_STREQ(saved_.serverName, "Serveur du test");
  EXPECT_EQ(saved_.gameType, Objective);  // the Advanced dialog's OK keeps the new game type
  EXPECT_STREQ(saved_.mapRotation, "obj/outpost obj/convoy ");
  const std::string script = folder_.ReadFile("mainex/server.cfg");
  const std::string log = ServerLog(folder_.Path());
  EXPECT_HAS(log, "command line: [ +exec server.cfg]\r\n");
  EXPECT_HAS(log, "working directory: [" + folder_.Path().string() + "]\r\n");
  EXPECT_HAS(log, "script: mainex\\server.cfg (" + std::to_string(script.size()) + " bytes)\r\n");
  for (const char* line : {"sv_hostname = [Serveur du test]", "g_gametype = [4]", "g_realismmode = [1]",
                           "net_port = [27961]", "dmflags = [16384]", "map = [obj/bridge]",
                           "sv_maplist = [obj/outpost obj/convoy ]"}) {
    EXPECT_HAS(log, std::string(line) + "\r\n");
  }
}

TEST_F(LauncherEndToEndTest, WithoutMainexTheLauncherStaysOpenStartsNothingAndHasSaved) {
  InstallServer(folder_.Path());
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/typed");
  Click(dialog_, IDC_RUN_SERVER);  // sent: back once Save and RunServer are done
  EXPECT_TRUE(launcher_->StillRuns());
  EXPECT_EQ(launcher_->EndStartedProcesses(0), 0);
  EXPECT_EQ(folder_.Listing(), "settings.cfg\nzeb_brightfen_server.exe\n");
  saved_.Load("settings.cfg");
  EXPECT_STREQ(saved_.startMap, "dm/typed");
  // The operator can still leave by the menu.
  PostMessageA(launcher_->Frame(), WM_COMMAND, IDM_QUIT, 0);
  EXPECT_EQ(launcher_->ExitCode(), 0);
}

TEST_F(LauncherEndToEndTest, WithoutTheServerExecutableTheLauncherClosesSilently) {
  folder_.MakeDirectory("mainex");
  Start();
  TypeText(dialog_, IDC_START_MAP, "dm/typed");
  EXPECT_EQ(RunServerAndWait(), 0);  // a message box would hold the launcher open
  EXPECT_EQ(folder_.Listing(), "mainex\nmainex/server.cfg\nsettings.cfg\n");
}

TEST_F(LauncherEndToEndTest, EverythingIsLookedForInTheCurrentDirectoryNotTheProgramsOwn) {
  // The program's own folder holds a game of its own, with a settings file and no server.
  folder_.MakeDirectory("own/mainex");
  const fs::path program = folder_.Path() / "own" / "srvsetup.exe";
  ASSERT_TRUE(CopyFileA(SRVSETUP_EXE, program.string().c_str(), FALSE));
  CopyTextField(saved_.serverName, "From the program's folder");
  saved_.Save("own/settings.cfg");
  folder_.MakeDirectory("current/mainex");
  InstallServer(folder_.Path() / "current");
  const std::string ownSettings = folder_.ReadFile("own/settings.cfg");

  Start(program.string(), folder_.Path() / "current");
  EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Nameless Battle");
  TypeText(dialog_, IDC_START_MAP, "dm/current");
  EXPECT_EQ(RunServerAndWait(), 0);
  const std::string log = ServerLog(folder_.Path() / "current");
  EXPECT_HAS(log, "working directory: [" + (folder_.Path() / "current").string() + "]\r\n");
  EXPECT_HAS(log, "map = [dm/current]\r\n");
  saved_.Load("current/settings.cfg");
  EXPECT_STREQ(saved_.startMap, "dm/current");
  EXPECT_TRUE(folder_.ReadFile("own/settings.cfg") == ownSettings);
  EXPECT_FALSE(folder_.Exists("own/mainex/server.cfg") || folder_.Exists("own/stand-in-server.log"));
}

// With no room for either file "Run Server" starts nothing and the launcher stays, with both
// files as they were (no room for a new one, so whole means old); once there is room the same
// press goes through.
TEST_F(LauncherEndToEndTest, OnAFullDiskRunServerStartsNothingAndKeepsBothFilesWhole) {
  FullDisk disk;
  if (!disk.Unavailable().empty()) GTEST_SKIP() << disk.Unavailable();
  InstallServer(disk.Path());
  // Long texts make the new script need more pages than the old one holds.
  std::memset(saved_.keywords, 'k', 255);
  std::memset(saved_.password, 'p', 255);
  ASSERT_TRUE(saved_.Save("settings.cfg"));
  const std::string oldSettings = ReadBinaryFile("settings.cfg");
  const std::string oldScript = "// an older, shorter script\r\n";
  disk.WriteFile("mainex/server.cfg", oldScript);
  struct EndLauncherFirst {  // before the disk goes: its current directory is there
    std::unique_ptr<LauncherProcess>& launcher;
    ~EndLauncherFirst() { launcher.reset(); }
  } endLauncherFirst{launcher_};
  ASSERT_NO_FATAL_FAILURE(Start(SRVSETUP_EXE, disk.Path()));
  TypeText(dialog_, IDC_SERVER_NAME, std::string(255, 'n'));
  TypeText(dialog_, IDC_START_MAP, "dm/typed");

  ASSERT_TRUE(disk.Fill());
  Click(dialog_, IDC_RUN_SERVER);  // sent: back once the press has been handled
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(launcher_->Frame(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0)
      << "the frame is gone";
  EXPECT_EQ(launcher_->EndStartedProcesses(0), 0);
  EXPECT_TRUE(ReadBinaryFile("settings.cfg") == oldSettings);
  EXPECT_EQ(ReadBinaryFile("mainex/server.cfg"), oldScript);
  EXPECT_EQ(disk.Listing(), "filler\nmainex\nmainex/server.cfg\nsettings.cfg\nzeb_brightfen_server.exe\n");

  disk.Release();
  EXPECT_EQ(RunServerAndWait(), 0);
  EXPECT_HAS(ServerLog(disk.Path()), "map = [dm/typed]\r\n");
  saved_.Load("settings.cfg");
  EXPECT_EQ(std::string(saved_.serverName), std::string(255, 'n'));
  EXPECT_EQ(disk.Listing(), "mainex\nmainex/server.cfg\nsettings.cfg\nstand-in-server.log\nzeb_brightfen_server.exe\n");
}

// Read-only, or held open without sharing: the server starts all the same and the file stays as
// it was.
TEST_F(LauncherEndToEndTest, ASettingsFileThatCannotBeWrittenDoesNotStopTheServerStart) {
  LayOutGame();
  CopyTextField(saved_.serverName, "Locked");
  CopyTextField(saved_.startMap, "obj/bridge");
  saved_.Save("settings.cfg");
  const std::string before = folder_.ReadFile("settings.cfg");
  for (bool readOnly : {true, false}) {
    HANDLE held = INVALID_HANDLE_VALUE;
    SetFileAttributesA("settings.cfg", FILE_ATTRIBUTE_NORMAL);
    folder_.WriteFile("settings.cfg", before);
    DeleteFileA("stand-in-server.log");
    ASSERT_TRUE(SetFileAttributesA("settings.cfg", readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
    Start();
    EXPECT_EQ(ControlText(dialog_, IDC_SERVER_NAME), "Locked");
    if (!readOnly) held = CreateFileA("settings.cfg", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    TypeText(dialog_, IDC_SERVER_NAME, "Changed");
    EXPECT_EQ(RunServerAndWait(), 0) << readOnly;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    const std::string log = ServerLog(folder_.Path());
    EXPECT_HAS(log, "sv_hostname = [Changed]\r\n");
    EXPECT_HAS(log, "map = [obj/bridge]\r\n");
    EXPECT_TRUE(folder_.ReadFile("settings.cfg") == before) << readOnly;
  }
}

}  // namespace
