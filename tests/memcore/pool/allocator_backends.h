// The five entry points as the tests drive them: a fresh in-process MemoryManager, or a fresh
// load of the real shared library (memcore.dll through LoadLibraryA, by name or by ordinal;
// libmemcore.so natively).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "memcore/pool/memory_manager.h"

class AllocatorUnderTest {
 public:
  virtual ~AllocatorUnderTest() = default;
  virtual void* Malloc(std::int32_t size) = 0;
  virtual void Free(void* payload) = 0;
  virtual std::uint32_t Used() = 0;
  virtual void Info() = 0;
  virtual void Trace() = 0;
  // Only an in-process manager can be looked into; null for the library.
  virtual const MemoryManager* Manager() const { return nullptr; }
};

enum class Backend { InProcess, LibraryByName, LibraryByOrdinal };

std::vector<Backend> AllBackends();  // by ordinal on Windows only
std::string BackendName(Backend backend);
void PrintTo(Backend backend, std::ostream* out);  // names the parameter in test listings
// Null, with a test failure recorded, when the library cannot be loaded.
std::unique_ptr<AllocatorUnderTest> MakeAllocator(Backend backend);

constexpr unsigned kClassSizes[] = {1, 4, 8, 16, 24, 32, 48};
// The block size that MemoryUsed weighs for a class.
std::uint32_t BlockBytes(unsigned classSize);
// The pool of a class in an in-process manager.
MemoryPool& PoolOf(MemoryManager& manager, unsigned classSize);

// A runtime heap for in-process managers that counts, can be told to fail, and lets a test look
// at each block before it is freed.
struct TestHeap {
  static RuntimeHeap Functions();
  static void Reset();
  static int allocations;  // successful allocations so far
  static int failFrom;     // allocations from this count on fail; -1 never
  static std::function<void(void*)> beforeRelease;
  static std::function<void*(std::size_t)> onAllocate;  // runs first; may call back into a manager
};

// Gives every block of every pool back to the manager's heap and empties the pools, so that a
// test's fresh manager leaves nothing behind.
void DiscardBlocks(MemoryManager& manager);
