// memcore-checked.dll: the product's pools behind the checks of CheckedManager, with the same five
// exports and ordinals (memcore-checked.def). Its own tables, the diagnostics' tables and the C++
// runtime's allocations come from a heap of its own, never from the pools or the runtime heap,
// so that the pools see exactly the calls of the host.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "memcore/checked/checked_manager.h"
#include "memcore/diagnostics/process_wide.h"

namespace {

// --- The library's own heap -------------------------------------------------------------------

std::atomic<HANDLE> ownHeap{nullptr};
std::atomic<bool> ownHeapDestroyed{false};

// Created on first use: static constructors may allocate before DllMain runs.
HANDLE OwnHeap() {
  HANDLE heap = ownHeap.load(std::memory_order_acquire);
  if (heap != nullptr || ownHeapDestroyed.load(std::memory_order_relaxed)) return heap;
  HANDLE created = HeapCreate(0, 0, 0);
  if (created == nullptr) return nullptr;
  if (!ownHeap.compare_exchange_strong(heap, created, std::memory_order_acq_rel)) {
    HeapDestroy(created);
    return heap;
  }
  return created;
}

void* AllocateOwn(std::size_t size) {
  HANDLE heap = OwnHeap();
  return heap != nullptr ? HeapAlloc(heap, 0, size != 0 ? size : 1) : nullptr;
}

// After the unload has destroyed the heap, the C++ runtime's own clean-up may still release.
void ReleaseOwn(void* memory) {
  HANDLE heap = ownHeap.load(std::memory_order_acquire);
  if (memory != nullptr && heap != nullptr) HeapFree(heap, 0, memory);
}

// --- The report file -------------------------------------------------------------------------

// Appends each entry as it comes, with CR LF line ends, straight to the system: a crash that
// follows leaves it in the file. Each entry also goes to the debugger.
class ReportFile final : public ReportOutput {
 public:
  // From the environment and the current directory at load; no allocation (loader lock).
  void Locate() {
    const DWORD length = GetEnvironmentVariableA("MEMCORE_REPORT", path_, sizeof path_);
    if (length > 0 && length < sizeof path_) return;
    constexpr char kName[] = "\\memcore-report.txt";
    const DWORD folder = GetCurrentDirectoryA(sizeof path_ - sizeof kName, path_);
    if (folder == 0 || folder >= sizeof path_ - sizeof kName) {
      std::strcpy(path_, kName + 1);
    } else {
      std::strcpy(path_ + folder - (path_[folder - 1] == '\\' ? 1 : 0), kName);
    }
  }

  void Append(const char* text, std::size_t length) override {
    OutputDebugStringA(text);
    if (file_ == INVALID_HANDLE_VALUE && !Open()) return;
    WriteWithCrLf(text, length);
  }

  void Close() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }

 private:
  // Opened on the first entry, so that a clean run of a program that never calls the library
  // leaves no file; every opening starts with a line that names the process.
  bool Open() {
    file_ = CreateFileA(path_, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return false;
    char program[MAX_PATH] = "?";
    GetModuleFileNameA(nullptr, program, sizeof program);
    program[sizeof program - 1] = '\0';
    SYSTEMTIME now;
    GetLocalTime(&now);
    char header[MAX_PATH + 160];
    const int length =
        std::snprintf(header, sizeof header,
                      "memcore-checked: process %lu (%s), %04u-%02u-%02u %02u:%02u:%02u\n\n",
                      GetCurrentProcessId(), program, now.wYear, now.wMonth, now.wDay, now.wHour,
                      now.wMinute, now.wSecond);
    if (length > 0) WriteWithCrLf(header, std::strlen(header));
    return true;
  }

  void WriteWithCrLf(const char* text, std::size_t length) {
    char chunk[1024];
    std::size_t used = 0;
    for (std::size_t i = 0; i < length; ++i) {
      if (used + 2 > sizeof chunk) Flush(chunk, used);
      if (text[i] == '\n') chunk[used++] = '\r';
      chunk[used++] = text[i];
    }
    Flush(chunk, used);
  }

  void Flush(const char* chunk, std::size_t& used) {
    DWORD written = 0;
    if (used != 0) WriteFile(file_, chunk, static_cast<DWORD>(used), &written, nullptr);
    used = 0;
  }

  char path_[MAX_PATH * 2] = "memcore-report.txt";
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

// --- The library's state ---------------------------------------------------------------------

void* CrtAllocate(std::size_t size) { return std::malloc(size); }
void CrtRelease(void* block) { std::free(block); }

ProcessHandle CurrentProcessHandle() {
  return static_cast<ProcessHandle>(reinterpret_cast<std::uintptr_t>(GetCurrentProcess()));
}

// Never destroyed: the unload writes its report from them, and their memory goes with the heap.
ProcessWide<ReportFile> reportFile;
ProcessWide<CallStackCapture> capture(ProcessSymbolPlatform());
ProcessWide<CaptureFrameNamer> namer(capture.get(), CurrentProcessHandle());
ProcessWide<ReportWriter> writer(namer.get(), reportFile.get());
ProcessWide<CheckedManager> checked(RuntimeHeap{&CrtAllocate, &CrtRelease}, writer.get());

unsigned frameLimit = kDefaultStackFrames;
std::atomic<bool> namesPrepared{false};

void ReadFrameLimit() {
  char text[16];
  const DWORD length = GetEnvironmentVariableA("MEMCORE_FRAMES", text, sizeof text);
  if (length == 0 || length >= sizeof text) return;
  char* end = nullptr;
  const unsigned long frames = std::strtoul(text, &end, 10);
  if (end == text) return;  // not a number: the default stands
  frameLimit = frames < kMaxStackFrames ? static_cast<unsigned>(frames) : kMaxStackFrames;
}

// The symbol handler is bound on the first call rather than at the unload: when the process
// ends, a library loaded from DllMain is never initialised, and the symbol handler's own
// dependencies fail there.
inline void PrepareNames() {
  if (namesPrepared.load(std::memory_order_relaxed)) return;
  writer.get().Prepare();
  namesPrepared.store(true, std::memory_order_relaxed);
}

// The caller's stack from an export's own frame, within the thread's stack: its top is the
// StackBase of the thread information block, at fs:4 (read directly: gcc takes the intrinsic's
// zero-based access for an out-of-bounds one).
inline void CaptureCaller(const void* exportFrame, RawStack& stack) {
  std::uintptr_t stackTop;
  asm("movl %%fs:4, %0" : "=r"(stackTop));
  WalkFramePointers(exportFrame, stackTop, frameLimit, stack);
}

// A later load of the library binds the symbol handler afresh, which needs this session closed.
void CleanUpSymbols() {
  if (capture.get().state() != SymbolHandlerState::Ready) return;
  const HMODULE library = GetModuleHandleA("IMAGEHLP.DLL");
  if (library == nullptr) return;
  using SymCleanupFunction = BOOL(WINAPI*)(HANDLE);
  const auto cleanUp = reinterpret_cast<SymCleanupFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "SymCleanup")));
  if (cleanUp != nullptr) cleanUp(GetCurrentProcess());
}

void Unload(bool processEnding) {
  if (processEnding) writer.get().SetProcessEnding();
  if (!checked.get().ReportLeaks(GetCurrentThreadId())) {
    writer.get().WriteText("at unload: a call was still in progress; no leak report\n\n");
  }
  writer.get().WriteRepeats();
  reportFile.get().Close();
  if (processEnding) return;
  CleanUpSymbols();
  ownHeapDestroyed = true;
  if (HANDLE heap = ownHeap.exchange(nullptr)) HeapDestroy(heap);
}

}  // namespace

// The library's allocations, the C++ runtime's included, go to its own heap.
void* operator new(std::size_t size) {
  if (void* memory = AllocateOwn(size)) return memory;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOwn(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOwn(size); }
void operator delete(void* memory) noexcept { ReleaseOwn(memory); }
void operator delete[](void* memory) noexcept { ReleaseOwn(memory); }
void operator delete(void* memory, std::size_t) noexcept { ReleaseOwn(memory); }
void operator delete[](void* memory, std::size_t) noexcept { ReleaseOwn(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { ReleaseOwn(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { ReleaseOwn(memory); }

extern "C" {

void* MEMCORE_CALL CheckedMemoryMalloc(std::int32_t size) {
  RawStack stack;
  CaptureCaller(__builtin_frame_address(0), stack);
  PrepareNames();
  return checked.get().Malloc(size, GetCurrentThreadId(), stack);
}

void MEMCORE_CALL CheckedMemoryFree(void* payload) {
  if (payload == nullptr) return;
  RawStack stack;
  CaptureCaller(__builtin_frame_address(0), stack);
  PrepareNames();
  checked.get().Free(payload, GetCurrentThreadId(), stack);
}

std::uint32_t MEMCORE_CALL CheckedMemoryUsed(void) { return checked.get().Used(); }

void MEMCORE_CALL CheckedMemoryInfo(void) {
  RawStack stack;
  CaptureCaller(__builtin_frame_address(0), stack);
  PrepareNames();
  checked.get().WriteStatistics(GetCurrentThreadId(), stack);
}

void MEMCORE_CALL CheckedMemoryTrace(void) {
  RawStack stack;
  CaptureCaller(__builtin_frame_address(0), stack);
  PrepareNames();
  checked.get().WriteTrace(GetCurrentThreadId(), stack);
}

}  // extern "C"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    reportFile.get().Locate();
    ReadFrameLimit();
  } else if (reason == DLL_PROCESS_DETACH) {
    // reserved is set when the process ends rather than the library being freed.
    Unload(reserved != nullptr);
  }
  return TRUE;
}
