#include "console_script.h"

std::vector<std::string> SplitConsoleLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      break;
    } else if (c == '"') {
      const std::size_t close = line.find('"', i + 1);
      const std::size_t end = close == std::string::npos ? line.size() : close;
      words.push_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      std::size_t end = i;
      while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r' && line[end] != '"' &&
             !(line[end] == '/' && end + 1 < line.size() && line[end + 1] == '/')) {
        ++end;
      }
      words.push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

std::vector<ConsoleVariable> ReadConsoleScript(const std::string& text) {
  std::vector<ConsoleVariable> variables;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::vector<std::string> words = SplitConsoleLine(text.substr(start, end - start));
    if (!words.empty() && words[0] == "set") words.erase(words.begin());
    if (words.size() >= 2) variables.push_back({words[0], words[1]});
    start = end + 1;
  }
  return variables;
}
