// memcore-checked.dll as a server developer uses it: a host program loads it by name, commits
// faults and ends; the report it leaves names each fault's kind, function and line.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FaultSite {
  std::string kind, function, line, headline;
};

struct HostRun {
  DWORD exitCode = 0;
  std::string report;  // line ends made LF
  std::vector<FaultSite> sites;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Runs fault_host with the report in a fresh file of the temporary folder.
HostRun RunHost(const std::string& mode) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string base =
      std::string(folder) + "memcore-checked-" + mode + "-" + std::to_string(GetCurrentProcessId());
  const std::string reportPath = base + "-report.txt", sitesPath = base + "-sites.txt";
  DeleteFileA(reportPath.c_str());
  SetEnvironmentVariableA("MEMCORE_REPORT", reportPath.c_str());
  std::string command = "fault_host.exe " + mode + " \"" + sitesPath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  HostRun run;
  run.exitCode = 999;
  if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    WaitForSingleObject(process.hProcess, 120000);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  SetEnvironmentVariableA("MEMCORE_REPORT", nullptr);
  run.report = std::regex_replace(ReadFile(reportPath), std::regex("\r\n"), "\n");
  std::istringstream lines(ReadFile(sitesPath));
  for (std::string line; std::getline(lines, line);) {
    FaultSite site;
    std::istringstream fields(line);
    std::getline(fields, site.kind, '\t');
    std::getline(fields, site.function, '\t');
    std::getline(fields, site.line, '\t');
    std::getline(fields, site.headline);
    run.sites.push_back(site);
  }
  DeleteFileA(reportPath.c_str());
  DeleteFileA(sitesPath.c_str());
  return run;
}

// A report entry of the site's kind whose headline holds the site's text and whose first stack
// starts at the site's function and line.
bool Reported(const std::string& report, const FaultSite& site) {
  const std::regex entry("(^|\n)(" + site.kind + "[^\n]*)\n  [^\n]*:\n0x[0-9a-f]{8}:\t[^\n]*" +
                         site.function + "[^\n]*\n\t\tin [^\n]*fault_host\\.cpp \\(" + site.line +
                         "\\)\n");
  for (std::sregex_iterator match(report.begin(), report.end(), entry), end; match != end;
       ++match) {
    if ((*match)[2].str().find(site.headline) != std::string::npos) return true;
  }
  return false;
}

std::size_t CountEntries(const std::string& report, const std::string& kind) {
  const std::regex headline("(^|\n)" + kind);
  return std::distance(std::sregex_iterator(report.begin(), report.end(), headline),
                       std::sregex_iterator());
}

TEST(CheckedLibrary, EachFaultOfAHostIsReportedWithItsFunctionAndLine) {
  const HostRun run = RunHost("faults");
  ASSERT_EQ(run.exitCode, 0u) << run.report;
  ASSERT_EQ(run.sites.size(), 7u);
  for (const FaultSite& site : run.sites) {
    EXPECT_TRUE(Reported(run.report, site))
        << site.kind << " in " << site.function << " line " << site.line << ":\n"
        << run.report;
  }
  // Largest first, and nothing else leaked: the host released all the rest.
  EXPECT_LT(run.report.find("leak: 1 allocation, 500"), run.report.find("leak: 3 allocations"));
  EXPECT_EQ(CountEntries(run.report, "leak"), 2u) << run.report;
  EXPECT_NE(run.report.find("4 allocations (620 bytes requested) still live"), std::string::npos);
}

// The host's payloads keep their cookies and the runtime heap stays sound (exit code 0); every
// payload that an overlapping call took from the runtime heap goes back to it.
TEST(CheckedLibrary, OverlappingCallsFromTwoThreadsAreReportedAndCorruptNothing) {
  const HostRun run = RunHost("overlap");
  ASSERT_EQ(run.exitCode, 0u) << run.report;
  ASSERT_EQ(run.sites.size(), 1u);
  EXPECT_TRUE(Reported(run.report, run.sites[0])) << run.report;
  std::smatch bypasses;
  ASSERT_TRUE(std::regex_search(run.report, bypasses,
                                std::regex("bypasses: ([0-9]+) served from the runtime heap, "
                                           "([0-9]+) given back")))
      << run.report;
  EXPECT_GT(std::stoul(bypasses[1]), 0u);
  EXPECT_EQ(bypasses[1], bypasses[2]);
  EXPECT_NE(run.report.find("pools: sound"), std::string::npos);
  for (const char* kind :
       {"double release", "unknown pointer", "overrun", "written after release", "leak"}) {
    EXPECT_EQ(CountEntries(run.report, kind), 0u) << kind << " in\n" << run.report;
  }
}

}  // namespace
