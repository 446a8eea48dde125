// Starting the dedicated server: the last step of "Run Server".
#pragma once

#include <windows.h>

// A bare file name: the system completes it with the current directory and searches no path.
constexpr char kServerExecutable[] = "zeb_brightfen_server.exe";
// The server's whole command line, with no program name in front.
constexpr char kServerCommandLine[] = " +exec server.cfg";

// Writes mainex\server.cfg from the live record, starts the server in the current directory with
// that script, then closes the frame (synchronously: the caller's dialog is gone on return),
// whether or not the server could be started. When the script cannot be written nothing is
// started and the launcher stays open. The dialog argument is not used.
void RunServer(HWND dialog);
