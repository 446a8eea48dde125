// Call stacks of the checked build: the return addresses of a call, captured cheaply on every call
// and kept once per distinct stack; they become text only when a report is written.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr unsigned kMaxStackFrames = 32;
constexpr unsigned kDefaultStackFrames = 16;

// Return addresses, innermost first: the first is where the host called the library.
struct RawStack {
  unsigned depth = 0;
  std::uintptr_t frames[kMaxStackFrames];
};

// Follows saved frame pointers from frame, the frame of the function that wants its callers (a
// frame holds the caller's frame pointer, then the return address). Each further frame must lie
// above the one before, word-aligned and below stackTop, the end of the thread's stack: a function
// without a frame pointer ends the walk or hides frames, it never sends it outside the stack.
// Cost: two loads and a few compares per frame.
inline void WalkFramePointers(const void* frame, std::uintptr_t stackTop, unsigned maxFrames,
                              RawStack& stack) {
  constexpr std::uintptr_t kFrameBytes = 2 * sizeof(std::uintptr_t);
  stack.depth = 0;
  if (maxFrames > kMaxStackFrames) maxFrames = kMaxStackFrames;
  auto at = reinterpret_cast<std::uintptr_t>(frame);
  while (stack.depth < maxFrames) {
    if (at % sizeof(std::uintptr_t) != 0 || at >= stackTop || stackTop - at < kFrameBytes) break;
    const auto* words = reinterpret_cast<const std::uintptr_t*>(at);
    const std::uintptr_t returnAddress = words[1];
    if (returnAddress == 0) break;
    stack.frames[stack.depth++] = returnAddress;
    if (words[0] <= at) break;
    at = words[0];
  }
}

// One distinct stack, as the table keeps it: its depth frames follow it in the same allocation.
struct CallStack {
  std::uint32_t hash;
  std::uint32_t depth;

  const std::uintptr_t* frames() const { return reinterpret_cast<const std::uintptr_t*>(this + 1); }
};
static_assert(sizeof(CallStack) % alignof(std::uintptr_t) == 0);

std::uint32_t HashFrames(const std::uintptr_t* frames, unsigned depth);

// Every distinct stack once: open addressing over pointers to stacks, which never move or go
// away while the table lives, so records can keep them.
class CallStackTable {
 public:
  CallStackTable() = default;
  ~CallStackTable();
  CallStackTable(const CallStackTable&) = delete;
  CallStackTable& operator=(const CallStackTable&) = delete;

  // The table's copy of the stack. Null for an empty stack, or when the table cannot grow (the
  // caller then does without a stack). Cost: a hash over the frames and one probe sequence.
  const CallStack* Intern(const RawStack& stack);
  std::size_t size() const { return count_; }

 private:
  bool Grow();

  const CallStack** slots_ = nullptr;
  std::size_t capacity_ = 0;  // a power of two, or 0
  std::size_t count_ = 0;
};
