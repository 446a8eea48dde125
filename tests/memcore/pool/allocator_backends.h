// What the pool tests drive: a fresh in-process MemoryManager over a scripted heap, or a fresh
// load of the real library (memcore.dll through LoadLibraryA, by name or by ordinal; natively
// libmemcore.so), or on Windows of its checked build, memcore-checked.dll, by name.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "memcore/pool/memory_manager.h"

constexpr unsigned kClassSizes[] = {1, 4, 8, 16, 24, 32, 48};

// The bytes MemoryUsed weighs per block: 64 slots, 132 bytes of links and heads, two pointers.
constexpr std::uint32_t BlockBytes(unsigned classSize) {
  return 64 * (classSize + 4) + 132 + 2 * static_cast<std::uint32_t>(sizeof(void*));
}

// The heap of in-process managers: fails while told to, lets a test watch each call (onAllocate
// runs first and may call back into the manager), and keeps what it handed out.
struct TestHeap {
  static inline bool fails = false;
  static inline std::function<void*(std::size_t)> onAllocate;
  static inline std::function<void(void*)> beforeRelease;
  static inline std::set<void*> held;

  static void* Allocate(std::size_t size) {
    if (void* block = onAllocate ? onAllocate(size) : nullptr) return block;
    return fails ? nullptr : *held.insert(std::malloc(size)).first;
  }
  static void Release(void* block) {
    if (beforeRelease) beforeRelease(block);
    held.erase(block);
    std::free(block);
  }
};

// A manager over TestHeap; it must be valid when it goes, and it frees what it held.
struct TestManager : MemoryManager {
  TestManager() : MemoryManager(RuntimeHeap{&TestHeap::Allocate, &TestHeap::Release}) {}
  ~TestManager() {
    PoolFault fault;
    EXPECT_TRUE(ValidateMemoryManager(*this, &fault)) << fault.what;
    for (void* block : std::exchange(TestHeap::held, {})) std::free(block);
    TestHeap::fails = false;
    TestHeap::onAllocate = nullptr;
    TestHeap::beforeRelease = nullptr;
  }
};

// The five entry points of one backend: "InProcess", "LibraryByName" or (Windows)
// "LibraryByOrdinal" or "CheckedByName". Loaded() is false when the library or an entry point
// cannot be found.
class AllocatorUnderTest {
 public:
  explicit AllocatorUnderTest(const std::string& backend);
  ~AllocatorUnderTest();
  bool Loaded() const {
    return inProcess != nullptr || (malloc_ && free_ && used_ && info_ && trace_);
  }
  void* Malloc(std::int32_t size) { return inProcess ? inProcess->Malloc(size) : malloc_(size); }
  void Free(void* payload) { inProcess ? inProcess->Free(payload) : free_(payload); }
  std::uint32_t Used() { return inProcess ? inProcess->Used() : used_(); }
  void InfoAndTrace() {
    if (inProcess == nullptr) info_(), trace_();
  }

  // The checked build's report so far: it reports writes past the request, which the others
  // allow up to the class size.
  bool Checked() const { return !reportPath_.empty(); }
  std::string Report() const;

  std::unique_ptr<TestManager> inProcess;  // null for the library

 private:
  void* module_ = nullptr;
  std::string reportPath_;
  void*(MEMCORE_CALL* malloc_)(std::int32_t) = nullptr;
  void(MEMCORE_CALL* free_)(void*) = nullptr;
  std::uint32_t(MEMCORE_CALL* used_)() = nullptr;
  void(MEMCORE_CALL* info_)() = nullptr;
  void(MEMCORE_CALL* trace_)() = nullptr;
};

#ifdef _WIN32
inline const std::vector<std::string> kBackends = {"InProcess", "LibraryByName",
                                                   "LibraryByOrdinal", "CheckedByName"};
#else
inline const std::vector<std::string> kBackends = {"InProcess", "LibraryByName"};
#endif
