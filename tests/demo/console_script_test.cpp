#include "console_script.h"

#include <gtest/gtest.h>

namespace {

std::string Joined(const std::vector<ConsoleVariable>& variables) {
  std::string text;
  for (const auto& v : variables) text += v.name + "=" + v.value + "|";
  return text;
}

TEST(ConsoleScript, ReadsSetAndBareLinesWithQuotedValues) {
  const std::string script =
      "// Server Name\r\n"
      "sv_hostname \"Nameless Battle\"\r\n"
      "\r\n"
      "set g_gametype 1\r\n"
      "timelimit 0\r\n"
      "set a 1\r\r\n"
      "sv_maplist \"dm/a dm/b \"\r\n";
  EXPECT_EQ(Joined(ReadConsoleScript(script)),
            "sv_hostname=Nameless Battle|g_gametype=1|timelimit=0|a=1|sv_maplist=dm/a dm/b |");
}

TEST(ConsoleScript, CommentsEndALineOnlyOutsideQuotes) {
  EXPECT_EQ(Joined(ReadConsoleScript("set x 5 // five\nset url \"http://host\"\n//set y 1\n")),
            "x=5|url=http://host|");
}

TEST(ConsoleScript, OddLinesSetNothingOrTakeWhatIsThere) {
  EXPECT_EQ(Joined(ReadConsoleScript("set\nlonely\nmap \"\"\nsv_hostname \"Bad \"name\"\n")),
            "map=|sv_hostname=Bad |");
  EXPECT_EQ(SplitConsoleLine(" +exec server.cfg"), (std::vector<std::string>{"+exec", "server.cfg"}));
  EXPECT_EQ(SplitConsoleLine("say \"open quote"), (std::vector<std::string>{"say", "open quote"}));
}

}  // namespace
