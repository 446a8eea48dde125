// The platform calls of the call-stack capture, behind one small interface: the product binds the
// Win32 process and memory queries and the symbol handler of "IMAGEHLP.DLL"; the tests script a
// fake. Everything is 32-bit, as on the product's platform: addresses, handles and module bases.
#pragma once

#include <cstddef>
#include <cstdint>

using Address = std::uint32_t;
using ProcessHandle = std::uint32_t;
using ThreadHandle = std::uint32_t;
using FileHandle = std::uint32_t;

constexpr FileHandle kNoFile = 0;
constexpr std::size_t kModulePathSize = 260;  // characters of a module path, NUL included

// Answers the walk's questions about the module that holds an address; the product hands
// this to the stack walk as its module-base routine.
class ModuleBaseSource {
 public:
  virtual Address GetFrameModuleBase(ProcessHandle process, Address address) = 0;

 protected:
  ~ModuleBaseSource() = default;
};

// Runs the steps of one walk, while the frame that captured the thread's context is still live.
class StackWalkLoop {
 public:
  virtual void Run() = 0;

 protected:
  ~StackWalkLoop() = default;
};

struct SourceLine {
  const char* fileName;  // owned by the symbol handler, valid until its next lookup
  std::uint32_t lineNumber;
};

// Each call reports failure by false, 0 or null, as the platform does.
class SymbolPlatform {
 public:
  virtual ProcessHandle CurrentProcess() = 0;
  virtual ThreadHandle CurrentThread() = 0;

  // Loads the symbol handler library and binds all of its entry points, or none.
  virtual bool BindSymbolLibrary() = 0;
  virtual std::uint32_t GetSymbolOptions() = 0;
  virtual void SetSymbolOptions(std::uint32_t options) = 0;
  // Initialises the symbol handler for the process without loading any of its modules.
  virtual bool InitializeSymbols(ProcessHandle process) = 0;

  // Captures the calling thread's context, seeds the walk's frame from it and runs the loop.
  // False, without running the loop, when no context can be had.
  virtual bool BeginWalk(ThreadHandle thread, StackWalkLoop& loop) = 0;
  // One step of the walk begun by BeginWalk: false when there is no further frame, otherwise
  // the frame's program counter in pc.
  virtual bool WalkStep(ProcessHandle process, ThreadHandle thread, ModuleBaseSource& bases,
                        Address* pc) = 0;

  // The base of the module holding the address, when the symbol handler has it loaded.
  virtual bool FindLoadedModule(ProcessHandle process, Address address, Address* base) = 0;
  // The undecorated name of the symbol holding the address; null when unknown.
  virtual const char* FindSymbolName(ProcessHandle process, Address address) = 0;
  virtual bool FindSourceLine(ProcessHandle process, Address address, SourceLine* line) = 0;

  // The start of the allocation holding the address (for an image, its module handle).
  virtual bool QueryAllocationBase(ProcessHandle process, Address address, Address* base) = 0;
  virtual bool GetModulePath(Address module, char (&path)[kModulePathSize]) = 0;
  virtual FileHandle OpenModuleFile(const char* path) = 0;  // kNoFile when it cannot be opened
  virtual void CloseModuleFile(FileHandle file) = 0;
  // Brings the image into the symbol handler; its base address, 0 on failure.
  virtual Address LoadSymbolModule(ProcessHandle process, FileHandle file, const char* path,
                                   Address base) = 0;

 protected:
  ~SymbolPlatform() = default;
};

// The platform of the running process: the symbol handler on Windows, none elsewhere.
SymbolPlatform& ProcessSymbolPlatform();
