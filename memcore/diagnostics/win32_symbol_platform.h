// The capture's platform on Windows: the calling thread's context, the process's memory and
// module queries, and the symbol handler library, loaded by name on the first capture.
#pragma once

#include <windows.h>
#include <imagehlp.h>

#include <cstddef>

#include "memcore/diagnostics/symbol_platform.h"

// The nine entry points of the symbol handler, bound all or nothing.
struct ImagehlpEntryPoints {
  decltype(&::SymGetModuleInfo) symGetModuleInfo;
  decltype(&::SymGetSymFromAddr) symGetSymFromAddr;
  decltype(&::SymGetLineFromAddr) symGetLineFromAddr;
  decltype(&::SymLoadModule) symLoadModule;
  decltype(&::SymGetOptions) symGetOptions;
  decltype(&::SymSetOptions) symSetOptions;
  decltype(&::SymInitialize) symInitialize;
  decltype(&::SymFunctionTableAccess) symFunctionTableAccess;
  decltype(&::StackWalk) stackWalk;
};

class Win32SymbolPlatform final : public SymbolPlatform {
 public:
  // The library is named, not linked, so that a system without it still loads the program. It
  // is the file of that name in the system folder, never one found elsewhere.
  explicit Win32SymbolPlatform(const char* libraryName = "IMAGEHLP.DLL")
      : libraryName_(libraryName) {}

  ProcessHandle CurrentProcess() override;
  ThreadHandle CurrentThread() override;
  bool BindSymbolLibrary() override;
  std::uint32_t GetSymbolOptions() override;
  void SetSymbolOptions(std::uint32_t options) override;
  bool InitializeSymbols(ProcessHandle process) override;
  bool BeginWalk(ThreadHandle thread, StackWalkLoop& loop) override;
  bool WalkStep(ProcessHandle process, ThreadHandle thread, ModuleBaseSource& bases,
                Address* pc) override;
  bool FindLoadedModule(ProcessHandle process, Address address, Address* base) override;
  const char* FindSymbolName(ProcessHandle process, Address address) override;
  bool FindSourceLine(ProcessHandle process, Address address, SourceLine* line) override;
  bool QueryAllocationBase(ProcessHandle process, Address address, Address* base) override;
  bool GetModulePath(Address module, char (&path)[kModulePathSize]) override;
  FileHandle OpenModuleFile(const char* path) override;
  void CloseModuleFile(FileHandle file) override;
  Address LoadSymbolModule(ProcessHandle process, FileHandle file, const char* path,
                           Address base) override;

 private:
  static constexpr std::size_t kSymbolRecordSize = 304;  // the record and its name area
  static constexpr DWORD kSymbolNameLength = 260;

  const char* libraryName_;
  ImagehlpEntryPoints entryPoints_{};
  // The walk's records, which live in BeginWalk's frame while the loop runs.
  CONTEXT* context_ = nullptr;
  STACKFRAME* frame_ = nullptr;
  // The last lookups' records: the name and line found point into them.
  union {
    IMAGEHLP_SYMBOL record;
    unsigned char bytes[kSymbolRecordSize];
  } symbol_{};
  IMAGEHLP_LINE line_{};
  DWORD displacement_ = 0;  // the lookups' out-argument, not used further
};
