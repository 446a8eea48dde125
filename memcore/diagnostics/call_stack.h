// Call-stack capture: the calling thread's stack rendered as text, one entry per frame,
//   0x0040a1b2:\tFunctionName\n\t\tin file.cpp (42)\n
// with the source line where the symbol handler knows it. Internal to the library.
#pragma once

#include <cstddef>
#include <cstdint>

#include "memcore/diagnostics/symbol_platform.h"

// Renders the calling thread's stack at out, never writing more than outSize bytes: the frames
// of maxFrames walk steps after skipFrames skipped ones. Returns the length of the NUL-terminated
// text at out, 0 when nothing was written. A frame that does not fit ends the text at the last
// whole frame. Returns 0 for good once the symbol handler cannot be bound.
int CaptureCallStack(char* out, std::size_t outSize, int maxFrames, int skipFrames);

enum class SymbolHandlerState : std::int32_t { NotBound = 0, Ready = 1, Failed = -1 };

// The capture over one platform, with its symbol-handler state and its two tables. The process
// has one (CaptureCallStack's); the tests build their own over a scripted platform.
class CallStackCapture : private ModuleBaseSource {
 public:
  explicit CallStackCapture(SymbolPlatform& platform) : platform_(platform) {}
  ~CallStackCapture();
  CallStackCapture(const CallStackCapture&) = delete;
  CallStackCapture& operator=(const CallStackCapture&) = delete;

  int Capture(char* out, std::size_t outSize, int maxFrames, int skipFrames);
  SymbolHandlerState state() const { return state_; }

  // One frame's text at out, from the frame-text table or freshly formatted. Returns the text's
  // length; the text is at out, NUL-terminated, only when that length is below room.
  int GetFrameText(ProcessHandle process, Address address, char* out, std::size_t room);
  // Formats one frame's text from the symbol handler; same result as GetFrameText.
  int FormatStackFrame(ProcessHandle process, Address address, char* out, std::size_t room);
  // The module base of an address for the walk, asked of the platform once per address.
  Address GetFrameModuleBase(ProcessHandle process, Address address) override;
  // Finds the module in the symbol handler or loads it there; 0 when there is none.
  Address LoadFrameModule(ProcessHandle process, Address address);

 private:
  struct FrameTextCache;
  struct ModuleBaseCache;

  // Binds the symbol handler; false, with the capture's result in result, when it cannot.
  bool Bind(ProcessHandle process, char* out, std::size_t outSize, int* result);
  const char* LookUpFrameText(ProcessHandle process, Address address, std::size_t* length);
  void StoreFrameText(ProcessHandle process, Address address, const char* text,
                      std::size_t length);

  SymbolPlatform& platform_;
  SymbolHandlerState state_ = SymbolHandlerState::NotBound;
  FrameTextCache* frameTexts_ = nullptr;    // created by its first store
  ModuleBaseCache* moduleBases_ = nullptr;  // created by the first module-base query
};
