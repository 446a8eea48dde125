#include "memcore/diagnostics/call_stack.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "memcore/diagnostics/process_wide.h"
#include "memcore/diagnostics/table_allocator.h"

namespace {

constexpr std::uint32_t kUndecoratedNamesAndLines = 0x2 | 0x10;  // SYMOPT_UNDNAME, SYMOPT_LOAD_LINES
constexpr char kInitializeFailed[] = "failed, SymInitialize() == 0\n";
constexpr char kModuleInfoFailed[] = "name unavailable - SymGetModuleInfo() failed\n";
constexpr char kSymbolFailed[] = "name unavailable - SymGetSymFromAddr() failed\n";

// Text formatted into room bytes at out. Like snprintf it counts the whole text, so the caller
// learns whether it fit; what does not fit is cut, and the buffer is NUL-terminated if room > 0.
class BoundedText {
 public:
  BoundedText(char* out, std::size_t room) : out_(out), room_(room) {}

  __attribute__((format(printf, 2, 3))) void Append(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const int added = length_ < room_ ? std::vsnprintf(out_ + length_, room_ - length_, format, args)
                                      : std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (added > 0) length_ += static_cast<std::size_t>(added);
  }
  int length() const { return length_ < INT_MAX ? static_cast<int>(length_) : INT_MAX; }

 private:
  char* out_;
  std::size_t room_;
  std::size_t length_ = 0;
};

// The frame-text key: the program counter in the high half, the process handle in the low half.
std::uint64_t FrameKey(ProcessHandle process, Address address) {
  return static_cast<std::uint64_t>(address) << 32 | process;
}

}  // namespace

struct CallStackCapture::FrameTextCache {
  TableMap<std::uint64_t, TableString> texts;
};

struct CallStackCapture::ModuleBaseCache {
  TableMap<Address, Address> bases;  // 0: no module holds the address
};

CallStackCapture::~CallStackCapture() {
  delete frameTexts_;
  delete moduleBases_;
}

// Binding happens once; a failure switches the capture off for the rest of the process.
bool CallStackCapture::Bind(ProcessHandle process, char* out, std::size_t outSize, int* result) {
  *result = 0;
  if (!platform_.BindSymbolLibrary()) {
    state_ = SymbolHandlerState::Failed;
    return false;
  }
  platform_.SetSymbolOptions(platform_.GetSymbolOptions() | kUndecoratedNamesAndLines);
  if (!platform_.InitializeSymbols(process)) {
    state_ = SymbolHandlerState::Failed;
    if (sizeof kInitializeFailed <= outSize) {
      std::memcpy(out, kInitializeFailed, sizeof kInitializeFailed);
      *result = static_cast<int>(sizeof kInitializeFailed - 1);
    }
    return false;
  }
  state_ = SymbolHandlerState::Ready;
  return true;
}

// Cost: the walk, plus one table lookup and copy per frame seen before. Never writes past
// outSize; a frame that does not fit ends the text at the last whole frame.
int CallStackCapture::Capture(char* out, std::size_t outSize, int maxFrames, int skipFrames) {
  if (out == nullptr) outSize = 0;
  if (outSize > INT_MAX) outSize = INT_MAX;  // the result is an int
  const ProcessHandle process = platform_.CurrentProcess();
  const ThreadHandle thread = platform_.CurrentThread();
  if (state_ == SymbolHandlerState::NotBound) {
    int result = 0;
    if (!Bind(process, out, outSize, &result)) return result;
  }
  if (state_ == SymbolHandlerState::Failed) return 0;

  struct Walk : StackWalkLoop {
    Walk(CallStackCapture& capture, ProcessHandle process, ThreadHandle thread, char* out,
         std::size_t outSize, int maxFrames, int skipFrames)
        : capture(capture), process(process), thread(thread), out(out), outSize(outSize),
          maxFrames(maxFrames), skipFrames(skipFrames) {}

    void Run() override {
      // In 64 bits: two large counts must not wrap into a negative limit.
      const std::int64_t limit = std::int64_t{maxFrames} + skipFrames;
      for (std::int64_t step = 0; step < limit; ++step) {
        Address pc = 0;
        if (!capture.platform_.WalkStep(process, thread, capture, &pc)) break;
        if (pc == 0 || step < skipFrames) continue;
        const std::size_t room = outSize - total;
        const int length = capture.GetFrameText(process, pc, out + total, room);
        if (static_cast<std::size_t>(length) >= room) {
          if (room > 0) out[total] = '\0';  // drop the part of the frame that was written
          break;
        }
        total += static_cast<std::size_t>(length);
      }
    }

    CallStackCapture& capture;
    ProcessHandle process;
    ThreadHandle thread;
    char* out;
    std::size_t outSize;
    int maxFrames;
    int skipFrames;
    std::size_t total = 0;
  } walk(*this, process, thread, out, outSize, maxFrames, skipFrames);

  if (!platform_.BeginWalk(thread, walk)) return 0;
  return static_cast<int>(walk.total);
}

// Cost: one table lookup; the symbol handler only for an address not seen before.
int CallStackCapture::GetFrameText(ProcessHandle process, Address address, char* out,
                                   std::size_t room) {
  std::size_t length = 0;
  if (const char* text = LookUpFrameText(process, address, &length)) {
    if (length < room) std::memcpy(out, text, length + 1);
    return static_cast<int>(length);
  }
  const int formatted = FormatStackFrame(process, address, out, room);
  if (static_cast<std::size_t>(formatted) < room) {
    StoreFrameText(process, address, out, static_cast<std::size_t>(formatted));
  }
  return formatted;
}

int CallStackCapture::FormatStackFrame(ProcessHandle process, Address address, char* out,
                                       std::size_t room) {
  BoundedText text(out, room);
  text.Append("0x%08x:\t", static_cast<unsigned>(address));
  Address base = 0;
  if (!platform_.FindLoadedModule(process, address, &base)) {
    text.Append("%s", kModuleInfoFailed);
    return text.length();
  }
  const char* name = platform_.FindSymbolName(process, address);
  if (name == nullptr) {
    text.Append("%s", kSymbolFailed);
    return text.length();
  }
  SourceLine line{};
  if (platform_.FindSourceLine(process, address, &line) && line.fileName != nullptr) {
    text.Append("%s\n\t\tin %s (%i)\n", name, line.fileName, static_cast<int>(line.lineNumber));
  } else {
    text.Append("%s\n", name);
  }
  return text.length();
}

const char* CallStackCapture::LookUpFrameText(ProcessHandle process, Address address,
                                              std::size_t* length) {
  if (frameTexts_ == nullptr) return nullptr;
  const auto entry = frameTexts_->texts.find(FrameKey(process, address));
  if (entry == frameTexts_->texts.end()) return nullptr;
  *length = entry->second.size();
  return entry->second.c_str();
}

// Failure: a table or text that cannot be allocated is simply not kept; the frame is formatted
// again by the next capture.
void CallStackCapture::StoreFrameText(ProcessHandle process, Address address, const char* text,
                                      std::size_t length) {
  if (frameTexts_ == nullptr) {
    frameTexts_ = new (std::nothrow) FrameTextCache;
    if (frameTexts_ == nullptr) return;
  }
  try {
    frameTexts_->texts.insert_or_assign(FrameKey(process, address), TableString(text, length));
  } catch (const std::bad_alloc&) {
  }
}

// Cost: one table lookup; the platform once per distinct address. Failure: an entry that
// cannot be allocated is not kept, and the next query for the address asks the platform again.
Address CallStackCapture::GetFrameModuleBase(ProcessHandle process, Address address) {
  if (moduleBases_ == nullptr) moduleBases_ = new (std::nothrow) ModuleBaseCache;
  if (moduleBases_ != nullptr) {
    const auto entry = moduleBases_->bases.find(address);
    if (entry != moduleBases_->bases.end()) return entry->second;
  }
  const Address base = LoadFrameModule(process, address);
  if (moduleBases_ != nullptr) {
    try {
      moduleBases_->bases.emplace(address, base);
    } catch (const std::bad_alloc&) {
    }
  }
  return base;
}

Address CallStackCapture::LoadFrameModule(ProcessHandle process, Address address) {
  Address base = 0;
  if (platform_.FindLoadedModule(process, address, &base)) return base;
  Address allocationBase = 0;
  if (!platform_.QueryAllocationBase(process, address, &allocationBase)) return 0;
  char path[kModulePathSize] = {};
  if (!platform_.GetModulePath(allocationBase, path)) return 0;
  // Without a handle of its own the symbol handler opens the image by its path.
  const FileHandle file = platform_.OpenModuleFile(path);
  const Address loaded = platform_.LoadSymbolModule(process, file, path, allocationBase);
  if (file != kNoFile) platform_.CloseModuleFile(file);
  return loaded;
}

int CaptureCallStack(char* out, std::size_t outSize, int maxFrames, int skipFrames) {
  static ProcessWide<CallStackCapture> capture(ProcessSymbolPlatform());
  return capture.get().Capture(out, outSize, maxFrames, skipFrames);
}
