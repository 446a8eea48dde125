// A scripted process and symbol handler for the capture, recording what it is asked.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "memcore/diagnostics/symbol_platform.h"

// What the symbol handler knows of an address: its module, and a name and a line if not empty.
struct FakeSymbol {
  Address moduleBase;
  std::string name{}, file{};
  std::uint32_t line = 0;
};

class FakeSymbolPlatform final : public SymbolPlatform {
 public:
  // The script.
  bool binds = true, initializes = true, hasContext = true, filesOpen = true;
  std::uint32_t options = 0x10200;
  ProcessHandle process = 0xffffffff;
  std::vector<Address> stack;  // program counters from the top; every walk starts there
  std::map<Address, FakeSymbol> symbols;
  std::map<Address, Address> allocationBases;  // address -> base of the allocation holding it
  std::map<Address, std::string> modulePaths;  // module handle -> file
  // The record.
  int bindCalls = 0, initializeCalls = 0, walkSteps = 0, nameLookups = 0, regionQueries = 0;
  std::vector<std::string> fileEvents;  // "open path", "load handle path base", "close handle"

  ProcessHandle CurrentProcess() override { return process; }
  ThreadHandle CurrentThread() override { return 0xfffffffe; }
  bool BindSymbolLibrary() override { return ++bindCalls, binds; }
  std::uint32_t GetSymbolOptions() override { return options; }
  void SetSymbolOptions(std::uint32_t value) override { options = value; }
  bool InitializeSymbols(ProcessHandle p) override {
    return ++initializeCalls, initializes && p == process;
  }
  bool BeginWalk(ThreadHandle, StackWalkLoop& loop) override {
    if (hasContext) step = 0, loop.Run();
    return hasContext;
  }
  bool WalkStep(ProcessHandle, ThreadHandle, ModuleBaseSource&, Address* pc) override {
    return ++walkSteps, step < stack.size() && (*pc = stack[step++], true);
  }
  bool FindLoadedModule(ProcessHandle, Address address, Address* base) override {
    return symbols.count(address) && (*base = symbols[address].moduleBase, true);
  }
  const char* FindSymbolName(ProcessHandle, Address address) override {
    ++nameLookups;
    return symbols[address].name.empty() ? nullptr : symbols[address].name.c_str();
  }
  bool FindSourceLine(ProcessHandle, Address address, SourceLine* line) override {
    const FakeSymbol& symbol = symbols[address];
    return !symbol.file.empty() && (*line = {symbol.file.c_str(), symbol.line}, true);
  }
  bool QueryAllocationBase(ProcessHandle, Address address, Address* base) override {
    return ++regionQueries,
           allocationBases.count(address) && (*base = allocationBases[address], true);
  }
  bool GetModulePath(Address module, char (&path)[kModulePathSize]) override {
    const auto entry = modulePaths.find(module);
    if (entry != modulePaths.end()) std::strncpy(path, entry->second.c_str(), kModulePathSize - 1);
    return entry != modulePaths.end();
  }
  FileHandle OpenModuleFile(const char* path) override {
    fileEvents.push_back(std::string("open ") + path);
    return filesOpen ? 0x44 : kNoFile;
  }
  void CloseModuleFile(FileHandle file) override {
    fileEvents.push_back("close " + std::to_string(file));
  }
  Address LoadSymbolModule(ProcessHandle, FileHandle file, const char* path,
                           Address base) override {
    fileEvents.push_back("load " + std::to_string(file) + " " + path + " " + std::to_string(base));
    return 0x10000000;
  }

 private:
  std::size_t step = 0;
};
