// The library's own allocations (its diagnostics tables and the standard library code they use)
// go through the pools: one-step forwarders, no retry and no exception.
#include <cstdint>
#include <new>

#include "memcore/pool/memory_manager.h"

namespace {

// A size that does not fit the signed 32-bit request would turn negative and get a one-byte slot.
inline void* Forward(std::size_t size) noexcept {
  return size > static_cast<std::size_t>(INT32_MAX) ? nullptr
                                                    : MemoryMalloc(static_cast<std::int32_t>(size));
}

}  // namespace

void* operator new(std::size_t size) { return Forward(size); }
void* operator new[](std::size_t size) { return Forward(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Forward(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Forward(size); }

// Every form is defined here: natively the library keeps these local, and a form left to the
// C++ runtime there would hand a pooled payload to free().
void operator delete(void* payload) noexcept { MemoryFree(payload); }
void operator delete[](void* payload) noexcept { MemoryFree(payload); }
void operator delete(void* payload, std::size_t) noexcept { MemoryFree(payload); }
void operator delete[](void* payload, std::size_t) noexcept { MemoryFree(payload); }
void operator delete(void* payload, const std::nothrow_t&) noexcept { MemoryFree(payload); }
void operator delete[](void* payload, const std::nothrow_t&) noexcept { MemoryFree(payload); }
