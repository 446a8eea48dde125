#include "memcore/checked/call_stacks.h"

#include <cstring>
#include <new>

std::uint32_t HashFrames(const std::uintptr_t* frames, unsigned depth) {
  // FNV-1a over whole words: the frames are few, and their low bits differ most.
  std::uint32_t hash = 2166136261u;
  for (unsigned i = 0; i < depth; ++i) {
    hash ^= static_cast<std::uint32_t>(frames[i]) ^ static_cast<std::uint32_t>(frames[i] >> 16);
    hash *= 16777619u;
  }
  return hash;
}

CallStackTable::~CallStackTable() {
  for (std::size_t i = 0; i < capacity_; ++i) ::operator delete(const_cast<CallStack*>(slots_[i]));
  ::operator delete(slots_);
}

// Keeps the load at most one half, so probe sequences stay short.
bool CallStackTable::Grow() {
  const std::size_t capacity = capacity_ == 0 ? 1024 : capacity_ * 2;
  auto** slots =
      static_cast<const CallStack**>(::operator new(capacity * sizeof(CallStack*), std::nothrow));
  if (slots == nullptr) return false;
  std::memset(slots, 0, capacity * sizeof(CallStack*));
  for (std::size_t i = 0; i < capacity_; ++i) {
    if (const CallStack* stack = slots_[i]) {
      std::size_t at = stack->hash & (capacity - 1);
      while (slots[at] != nullptr) at = (at + 1) & (capacity - 1);
      slots[at] = stack;
    }
  }
  ::operator delete(slots_);
  slots_ = slots;
  capacity_ = capacity;
  return true;
}

const CallStack* CallStackTable::Intern(const RawStack& raw) {
  if (raw.depth == 0) return nullptr;
  const unsigned depth = raw.depth < kMaxStackFrames ? raw.depth : kMaxStackFrames;
  const std::uint32_t hash = HashFrames(raw.frames, depth);
  const std::size_t frameBytes = depth * sizeof(std::uintptr_t);
  if (capacity_ != 0) {
    for (std::size_t at = hash & (capacity_ - 1); slots_[at] != nullptr;
         at = (at + 1) & (capacity_ - 1)) {
      const CallStack* stack = slots_[at];
      if (stack->hash == hash && stack->depth == depth &&
          std::memcmp(stack->frames(), raw.frames, frameBytes) == 0) {
        return stack;
      }
    }
  }
  if (2 * (count_ + 1) > capacity_ && !Grow()) return nullptr;
  auto* stack =
      static_cast<CallStack*>(::operator new(sizeof(CallStack) + frameBytes, std::nothrow));
  if (stack == nullptr) return nullptr;
  stack->hash = hash;
  stack->depth = depth;
  std::memcpy(stack + 1, raw.frames, frameBytes);
  std::size_t at = hash & (capacity_ - 1);
  while (slots_[at] != nullptr) at = (at + 1) & (capacity_ - 1);
  slots_[at] = stack;
  ++count_;
  return stack;
}
