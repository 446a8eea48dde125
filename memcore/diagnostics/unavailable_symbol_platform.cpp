// Systems without the Windows symbol handler: binding fails, so the capture returns 0.
#include "memcore/diagnostics/symbol_platform.h"

namespace {

class UnavailableSymbolPlatform final : public SymbolPlatform {
 public:
  ProcessHandle CurrentProcess() override { return 0; }
  ThreadHandle CurrentThread() override { return 0; }
  bool BindSymbolLibrary() override { return false; }
  std::uint32_t GetSymbolOptions() override { return 0; }
  void SetSymbolOptions(std::uint32_t) override {}
  bool InitializeSymbols(ProcessHandle) override { return false; }
  bool BeginWalk(ThreadHandle, StackWalkLoop&) override { return false; }
  bool WalkStep(ProcessHandle, ThreadHandle, ModuleBaseSource&, Address*) override { return false; }
  bool FindLoadedModule(ProcessHandle, Address, Address*) override { return false; }
  const char* FindSymbolName(ProcessHandle, Address) override { return nullptr; }
  bool FindSourceLine(ProcessHandle, Address, SourceLine*) override { return false; }
  bool QueryAllocationBase(ProcessHandle, Address, Address*) override { return false; }
  bool GetModulePath(Address, char (&)[kModulePathSize]) override { return false; }
  FileHandle OpenModuleFile(const char*) override { return kNoFile; }
  void CloseModuleFile(FileHandle) override {}
  Address LoadSymbolModule(ProcessHandle, FileHandle, const char*, Address) override { return 0; }
};

}  // namespace

SymbolPlatform& ProcessSymbolPlatform() {
  static UnavailableSymbolPlatform platform;
  return platform;
}
