// A scripted process and symbol handler for the capture, recording what it is asked.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "memcore/diagnostics/symbol_platform.h"

struct FakeFrame {
  Address pc;
  std::vector<Address> moduleBaseQueries;  // what the walk asks the module-base routine
};

class FakeSymbolPlatform final : public SymbolPlatform {
 public:
  static constexpr FileHandle kOpenFile = 0x44;

  // The script.
  bool binds = true;
  bool initializes = true;
  bool hasContext = true;
  bool filesOpen = true;
  std::uint32_t options = 0x10200;
  ProcessHandle process = 0xffffffff;
  std::vector<FakeFrame> stack;                  // from the top; every walk starts there
  std::map<Address, Address> loadedModules;      // address -> base known to the handler
  std::map<Address, std::string> names;
  std::map<Address, std::pair<std::string, std::uint32_t>> lines;
  std::map<Address, Address> allocationBases;
  std::map<Address, std::string> modulePaths;    // module handle -> file
  Address loadedBase = 0x10000000;               // what loading a module gives

  // The record.
  int bindCalls = 0;
  int initializeCalls = 0;
  int walkSteps = 0;
  int nameLookups = 0;
  int regionQueries = 0;
  std::vector<Address> basesSeenByWalk;
  std::vector<std::string> fileEvents;  // "open path", "load handle path base", "close handle"

  ProcessHandle CurrentProcess() override { return process; }
  ThreadHandle CurrentThread() override { return 0xfffffffe; }
  bool BindSymbolLibrary() override { return ++bindCalls, binds; }
  std::uint32_t GetSymbolOptions() override { return options; }
  void SetSymbolOptions(std::uint32_t value) override { options = value; }
  bool InitializeSymbols(ProcessHandle p) override {
    ++initializeCalls;
    return initializes && p == process;
  }
  bool BeginWalk(ThreadHandle, StackWalkLoop& loop) override {
    if (!hasContext) return false;
    step = 0;
    loop.Run();
    return true;
  }
  bool WalkStep(ProcessHandle p, ThreadHandle, ModuleBaseSource& bases, Address* pc) override {
    ++walkSteps;
    if (step == stack.size()) return false;
    for (Address a : stack[step].moduleBaseQueries) {
      basesSeenByWalk.push_back(bases.GetFrameModuleBase(p, a));
    }
    *pc = stack[step++].pc;
    return true;
  }
  bool FindLoadedModule(ProcessHandle, Address address, Address* base) override {
    return Find(loadedModules, address, base);
  }
  const char* FindSymbolName(ProcessHandle, Address address) override {
    ++nameLookups;
    const auto entry = names.find(address);
    return entry == names.end() ? nullptr : entry->second.c_str();
  }
  bool FindSourceLine(ProcessHandle, Address address, SourceLine* line) override {
    const auto entry = lines.find(address);
    if (entry == lines.end()) return false;
    *line = {entry->second.first.c_str(), entry->second.second};
    return true;
  }
  bool QueryAllocationBase(ProcessHandle, Address address, Address* base) override {
    ++regionQueries;
    return Find(allocationBases, address, base);
  }
  bool GetModulePath(Address module, char (&path)[kModulePathSize]) override {
    const auto entry = modulePaths.find(module);
    if (entry == modulePaths.end()) return false;
    std::strncpy(path, entry->second.c_str(), kModulePathSize - 1);
    return true;
  }
  FileHandle OpenModuleFile(const char* path) override {
    fileEvents.push_back(std::string("open ") + path);
    return filesOpen ? kOpenFile : kNoFile;
  }
  void CloseModuleFile(FileHandle file) override {
    fileEvents.push_back("close " + std::to_string(file));
  }
  Address LoadSymbolModule(ProcessHandle, FileHandle file, const char* path,
                           Address base) override {
    fileEvents.push_back("load " + std::to_string(file) + " " + path + " " + std::to_string(base));
    return loadedBase;
  }

 private:
  static bool Find(const std::map<Address, Address>& table, Address key, Address* value) {
    const auto entry = table.find(key);
    if (entry == table.end()) return false;
    *value = entry->second;
    return true;
  }

  std::size_t step = 0;
};
