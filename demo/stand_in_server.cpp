// Stands in for the game's dedicated server in the demo and the tests: records how it was started,
// reads the console script that "+exec NAME" names from mainex, writes what it would set to
// "stand-in-server.log" in its working directory, and exits.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "console_script.h"

int main() {
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, directory);
  const std::string commandLine = GetCommandLineA();

  std::string scriptName;
  const std::vector<std::string> words = SplitConsoleLine(commandLine);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i] == "+exec") scriptName = words[i + 1];
  }

  std::ofstream log("stand-in-server.log", std::ios::binary | std::ios::trunc);
  log << "command line: [" << commandLine << "]\r\n";
  log << "working directory: [" << directory << "]\r\n";
  if (scriptName.empty()) {
    log << "no script to execute\r\n";
    return 0;
  }
  const std::string path = "mainex\\" + scriptName;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    log << "script: " << path << " (cannot be read)\r\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  log << "script: " << path << " (" << text.str().size() << " bytes)\r\n";
  for (const ConsoleVariable& variable : ReadConsoleScript(text.str())) {
    log << variable.name << " = [" << variable.value << "]\r\n";
  }
  return 0;
}
