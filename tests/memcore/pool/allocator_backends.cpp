#include "allocator_backends.h"

#include <gtest/gtest.h>

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#endif

int TestHeap::allocations = 0;
int TestHeap::failFrom = -1;
std::function<void(void*)> TestHeap::beforeRelease;
std::function<void*(std::size_t)> TestHeap::onAllocate;

namespace {

void* TestAllocate(std::size_t size) {
  if (TestHeap::onAllocate) {
    if (void* block = TestHeap::onAllocate(size)) return block;
  }
  if (TestHeap::failFrom >= 0 && TestHeap::allocations >= TestHeap::failFrom) return nullptr;
  void* block = std::malloc(size);
  if (block != nullptr) ++TestHeap::allocations;
  return block;
}

void TestRelease(void* block) {
  if (TestHeap::beforeRelease) TestHeap::beforeRelease(block);
  std::free(block);
}

class InProcessAllocator : public AllocatorUnderTest {
 public:
  InProcessAllocator() : manager_(TestHeap::Functions()) { TestHeap::Reset(); }
  ~InProcessAllocator() override { DiscardBlocks(manager_); }
  void* Malloc(std::int32_t size) override { return manager_.Malloc(size); }
  void Free(void* payload) override { manager_.Free(payload); }
  std::uint32_t Used() override { return manager_.Used(); }
  void Info() override {}
  void Trace() override {}
  const MemoryManager* Manager() const override { return &manager_; }

 private:
  MemoryManager manager_;
};

using MallocFunction = void*(MEMCORE_CALL*)(std::int32_t);
using FreeFunction = void(MEMCORE_CALL*)(void*);
using UsedFunction = std::uint32_t(MEMCORE_CALL*)(void);
using NoticeFunction = void(MEMCORE_CALL*)(void);

class LibraryAllocator : public AllocatorUnderTest {
 public:
  bool Load(Backend backend);
  ~LibraryAllocator() override;
  void* Malloc(std::int32_t size) override { return malloc_(size); }
  void Free(void* payload) override { free_(payload); }
  std::uint32_t Used() override { return used_(); }
  void Info() override { info_(); }
  void Trace() override { trace_(); }

 private:
  template <class Function>
  bool Bind(Function& function, const char* name, int ordinal, Backend backend);

  MallocFunction malloc_ = nullptr;
  FreeFunction free_ = nullptr;
  UsedFunction used_ = nullptr;
  NoticeFunction info_ = nullptr;
  NoticeFunction trace_ = nullptr;
#ifdef _WIN32
  HMODULE module_ = nullptr;
#else
  void* module_ = nullptr;
#endif
};

#ifdef _WIN32

// Unloading lets the next test start from a freshly loaded library.
LibraryAllocator::~LibraryAllocator() {
  if (module_ != nullptr) FreeLibrary(module_);
}

template <class Function>
bool LibraryAllocator::Bind(Function& function, const char* name, int ordinal, Backend backend) {
  FARPROC address = backend == Backend::LibraryByOrdinal
                        ? GetProcAddress(module_, MAKEINTRESOURCEA(ordinal))
                        : GetProcAddress(module_, name);
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
  return function != nullptr;
}

bool LibraryAllocator::Load(Backend backend) {
  module_ = LoadLibraryA("memcore.dll");
  if (module_ == nullptr) return false;
  return Bind(free_, "MemoryFree", 1, backend) && Bind(info_, "MemoryInfo", 2, backend) &&
         Bind(malloc_, "MemoryMalloc", 3, backend) && Bind(trace_, "MemoryTrace", 4, backend) &&
         Bind(used_, "MemoryUsed", 5, backend);
}

#else

// Unloading would strand the pools' blocks (the leak checker would report them), so each test
// loads a copy of its own and keeps it.
LibraryAllocator::~LibraryAllocator() = default;

template <class Function>
bool LibraryAllocator::Bind(Function& function, const char* name, int, Backend) {
  function = reinterpret_cast<Function>(dlsym(module_, name));
  return function != nullptr;
}

bool LibraryAllocator::Load(Backend backend) {
  static int loads = 0;
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path copy =
      fs::temp_directory_path(error) /
      ("libmemcore-test-" + std::to_string(getpid()) + "-" + std::to_string(++loads) + ".so");
  if (!fs::copy_file(MEMCORE_LIBRARY_PATH, copy, fs::copy_options::overwrite_existing, error)) {
    return false;
  }
  module_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  fs::remove(copy, error);
  if (module_ == nullptr) return false;
  return Bind(free_, "MemoryFree", 1, backend) && Bind(info_, "MemoryInfo", 2, backend) &&
         Bind(malloc_, "MemoryMalloc", 3, backend) && Bind(trace_, "MemoryTrace", 4, backend) &&
         Bind(used_, "MemoryUsed", 5, backend);
}

#endif

}  // namespace

RuntimeHeap TestHeap::Functions() { return RuntimeHeap{&TestAllocate, &TestRelease}; }

void TestHeap::Reset() {
  allocations = 0;
  failFrom = -1;
  beforeRelease = nullptr;
  onAllocate = nullptr;
}

std::vector<Backend> AllBackends() {
#ifdef _WIN32
  return {Backend::InProcess, Backend::LibraryByName, Backend::LibraryByOrdinal};
#else
  return {Backend::InProcess, Backend::LibraryByName};
#endif
}

std::string BackendName(Backend backend) {
  switch (backend) {
    case Backend::InProcess:
      return "InProcess";
    case Backend::LibraryByName:
      return "LibraryByName";
    case Backend::LibraryByOrdinal:
      return "LibraryByOrdinal";
  }
  return "Unknown";
}

void PrintTo(Backend backend, std::ostream* out) { *out << BackendName(backend); }

std::unique_ptr<AllocatorUnderTest> MakeAllocator(Backend backend) {
  if (backend == Backend::InProcess) return std::make_unique<InProcessAllocator>();
  auto library = std::make_unique<LibraryAllocator>();
  if (!library->Load(backend)) {
    ADD_FAILURE() << "cannot load the memcore library";
    return nullptr;
  }
  return library;
}

std::uint32_t BlockBytes(unsigned classSize) {
  // 64 slots of classSize + 4 bytes, 132 bytes of links and heads, two block pointers.
  return 64 * (classSize + 4) + 132 + 2 * static_cast<std::uint32_t>(sizeof(void*));
}

MemoryPool& PoolOf(MemoryManager& manager, unsigned classSize) {
  unsigned index = 0;
  while (kClassSizes[index] != classSize) ++index;
  return manager.classes[index].pool;
}

void DiscardBlocks(MemoryManager& manager) {
  TestHeap::beforeRelease = nullptr;
  for (unsigned index = 0; index < kClassCount; ++index) {
    MemoryPool& pool = manager.classes[index].pool;
    const BlockLayout& layout = kClassLayouts[index];
    for (MemoryBlock* block : {pool.partialList, pool.fullList}) {
      while (block != nullptr) {
        MemoryBlock* next = layout.Links(block)->nextBlock;
        manager.heap.release(block);
        block = next;
      }
    }
    if (pool.spare != nullptr) manager.heap.release(pool.spare);
    pool = MemoryPool{};
  }
}
