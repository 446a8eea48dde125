// How the stand-in dedicated server reads a console script: one command a line, "//" starts a
// comment outside quotes, a value may be quoted. "set name value" and a bare "name value" both
// set a variable; a line with only a name sets nothing.
#pragma once

#include <string>
#include <vector>

struct ConsoleVariable {
  std::string name;
  std::string value;
};

// Splits a console line into its words; a quoted word keeps its blanks and loses its quotes.
// A quote left open runs to the end of the line.
std::vector<std::string> SplitConsoleLine(const std::string& line);

// The variables a script sets, in order; a name set twice appears twice.
std::vector<ConsoleVariable> ReadConsoleScript(const std::string& text);
