#include "memcore/diagnostics/win32_symbol_platform.h"

#include <cstdint>
#include <cstring>

// The published 32-bit layouts. mingw's STACKFRAME carries the later, longer KDHELP (164 bytes
// rather than 116); the symbol handler may fill those fields, so the record keeps them.
static_assert(sizeof(void*) == 4, "the symbol records and handles are 32-bit");
static_assert(sizeof(STACKFRAME) == 164);
static_assert(sizeof(IMAGEHLP_MODULE) == 572);
static_assert(sizeof(IMAGEHLP_SYMBOL) == 24);
static_assert(sizeof(IMAGEHLP_LINE) == 20);
static_assert(sizeof(MEMORY_BASIC_INFORMATION) == 28);
static_assert(CONTEXT_FULL == 0x10007);
static_assert(IMAGE_FILE_MACHINE_I386 == 332);

namespace {

HANDLE ToHandle(std::uint32_t value) {
  return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

std::uint32_t ToValue(const void* pointer) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

template <typename Function>
bool BindEntryPoint(HMODULE library, const char* name, Function* entry) {
  const FARPROC address = GetProcAddress(library, name);
  *entry = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  return address != nullptr;
}

// The module-base routine of the walk step in progress: StackWalk's callback carries no context.
ModuleBaseSource* walkModuleBases = nullptr;

DWORD WINAPI WalkModuleBase(HANDLE process, DWORD address) {
  return walkModuleBases ? walkModuleBases->GetFrameModuleBase(ToValue(process), address) : 0;
}

}  // namespace

ProcessHandle Win32SymbolPlatform::CurrentProcess() { return ToValue(GetCurrentProcess()); }

ThreadHandle Win32SymbolPlatform::CurrentThread() { return ToValue(GetCurrentThread()); }

// Loaded by its full path in the system folder: a bare name would be looked for beside the host
// first, where a planted file of that name would run inside the server. A path that does not fit
// counts as the library missing. The library stays loaded whatever the outcome.
bool Win32SymbolPlatform::BindSymbolLibrary() {
  char path[MAX_PATH];
  const UINT folderLength = GetSystemDirectoryA(path, sizeof path);
  const std::size_t nameLength = std::strlen(libraryName_);
  if (folderLength == 0 || folderLength + 1 + nameLength >= sizeof path) return false;
  path[folderLength] = '\\';
  std::memcpy(path + folderLength + 1, libraryName_, nameLength + 1);
  const HMODULE library = LoadLibraryA(path);
  if (library == nullptr) return false;
  ImagehlpEntryPoints bound{};
  if (!BindEntryPoint(library, "SymGetModuleInfo", &bound.symGetModuleInfo) ||
      !BindEntryPoint(library, "SymGetSymFromAddr", &bound.symGetSymFromAddr) ||
      !BindEntryPoint(library, "SymGetLineFromAddr", &bound.symGetLineFromAddr) ||
      !BindEntryPoint(library, "SymLoadModule", &bound.symLoadModule) ||
      !BindEntryPoint(library, "SymGetOptions", &bound.symGetOptions) ||
      !BindEntryPoint(library, "SymSetOptions", &bound.symSetOptions) ||
      !BindEntryPoint(library, "SymInitialize", &bound.symInitialize) ||
      !BindEntryPoint(library, "SymFunctionTableAccess", &bound.symFunctionTableAccess) ||
      !BindEntryPoint(library, "StackWalk", &bound.stackWalk)) {
    return false;
  }
  entryPoints_ = bound;
  return true;
}

std::uint32_t Win32SymbolPlatform::GetSymbolOptions() { return entryPoints_.symGetOptions(); }

void Win32SymbolPlatform::SetSymbolOptions(std::uint32_t options) {
  entryPoints_.symSetOptions(options);
}

bool Win32SymbolPlatform::InitializeSymbols(ProcessHandle process) {
  return entryPoints_.symInitialize(ToHandle(process), nullptr, FALSE) != FALSE;
}

// GetThreadContext cannot give the context of the very thread that calls it while it runs.
// This captures the context of this frame instead, which stays live while the loop walks.
bool Win32SymbolPlatform::BeginWalk(ThreadHandle, StackWalkLoop& loop) {
  CONTEXT context;
  std::memset(&context, 0, sizeof context);
  context.ContextFlags = CONTEXT_FULL;
  RtlCaptureContext(&context);

  STACKFRAME frame;
  std::memset(&frame, 0, sizeof frame);
  frame.AddrPC.Offset = context.Eip;
  frame.AddrPC.Mode = AddrModeFlat;
  frame.AddrStack.Offset = context.Esp;
  frame.AddrStack.Mode = AddrModeFlat;
  frame.AddrFrame.Offset = context.Ebp;
  frame.AddrFrame.Mode = AddrModeFlat;

  context_ = &context;
  frame_ = &frame;
  loop.Run();
  context_ = nullptr;
  frame_ = nullptr;
  return true;
}

bool Win32SymbolPlatform::WalkStep(ProcessHandle process, ThreadHandle thread,
                                   ModuleBaseSource& bases, Address* pc) {
  if (frame_ == nullptr) return false;
  walkModuleBases = &bases;
  const BOOL found = entryPoints_.stackWalk(
      IMAGE_FILE_MACHINE_I386, ToHandle(process), ToHandle(thread), frame_, context_, nullptr,
      entryPoints_.symFunctionTableAccess, WalkModuleBase, nullptr);
  walkModuleBases = nullptr;
  *pc = frame_->AddrPC.Offset;
  return found != FALSE;
}

bool Win32SymbolPlatform::FindLoadedModule(ProcessHandle process, Address address,
                                           Address* base) {
  IMAGEHLP_MODULE module;
  std::memset(&module, 0, sizeof module);
  module.SizeOfStruct = sizeof module;
  if (!entryPoints_.symGetModuleInfo(ToHandle(process), address, &module)) return false;
  *base = module.BaseOfImage;
  return true;
}

const char* Win32SymbolPlatform::FindSymbolName(ProcessHandle process, Address address) {
  std::memset(&symbol_, 0, sizeof symbol_);
  symbol_.record.SizeOfStruct = sizeof symbol_.record;
  symbol_.record.MaxNameLength = kSymbolNameLength;
  if (!entryPoints_.symGetSymFromAddr(ToHandle(process), address, &displacement_,
                                      &symbol_.record)) {
    return nullptr;
  }
  symbol_.bytes[sizeof symbol_.bytes - 1] = '\0';
  return reinterpret_cast<const char*>(symbol_.bytes + offsetof(IMAGEHLP_SYMBOL, Name));
}

bool Win32SymbolPlatform::FindSourceLine(ProcessHandle process, Address address,
                                         SourceLine* line) {
  std::memset(&line_, 0, sizeof line_);
  line_.SizeOfStruct = sizeof line_;
  if (!entryPoints_.symGetLineFromAddr(ToHandle(process), address, &displacement_, &line_)) {
    return false;
  }
  line->fileName = line_.FileName;
  line->lineNumber = line_.LineNumber;
  return true;
}

bool Win32SymbolPlatform::QueryAllocationBase(ProcessHandle process, Address address,
                                              Address* base) {
  MEMORY_BASIC_INFORMATION region;
  if (VirtualQueryEx(ToHandle(process), ToHandle(address), &region, sizeof region) == 0) {
    return false;
  }
  *base = ToValue(region.AllocationBase);
  // An address outside every allocation has base 0, which would name the main program.
  return *base != 0;
}

bool Win32SymbolPlatform::GetModulePath(Address module, char (&path)[kModulePathSize]) {
  const DWORD length =
      GetModuleFileNameA(static_cast<HMODULE>(ToHandle(module)), path, kModulePathSize);
  // A path that fills the buffer was cut, and may lack its NUL.
  return length > 0 && length < kModulePathSize;
}

FileHandle Win32SymbolPlatform::OpenModuleFile(const char* path) {
  const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
  return file == INVALID_HANDLE_VALUE ? kNoFile : ToValue(file);
}

void Win32SymbolPlatform::CloseModuleFile(FileHandle file) { CloseHandle(ToHandle(file)); }

Address Win32SymbolPlatform::LoadSymbolModule(ProcessHandle process, FileHandle file,
                                              const char* path, Address base) {
  return entryPoints_.symLoadModule(ToHandle(process), ToHandle(file), path, nullptr, base, 0);
}

SymbolPlatform& ProcessSymbolPlatform() {
  static Win32SymbolPlatform platform;
  return platform;
}
