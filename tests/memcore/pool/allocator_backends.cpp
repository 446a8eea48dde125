#include "allocator_backends.h"

#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#endif

AllocatorUnderTest::AllocatorUnderTest(const std::string& backend) {
  if (backend == "InProcess") {
    inProcess = std::make_unique<TestManager>();
    return;
  }
#ifdef _WIN32
  if (backend == "CheckedByName") {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    static int loads = 0;
    reportPath_ = std::string(folder) + "memcore-checked-" + std::to_string(GetCurrentProcessId()) +
                  "-" + std::to_string(++loads) + ".txt";
    DeleteFileA(reportPath_.c_str());
    SetEnvironmentVariableA("MEMCORE_REPORT", reportPath_.c_str());
  }
  module_ = LoadLibraryA(Checked() ? "memcore-checked.dll" : "memcore.dll");
  auto find = [&](const char* name, int ordinal) {
    const bool byOrdinal = backend == "LibraryByOrdinal";
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_),
                                                  byOrdinal ? MAKEINTRESOURCEA(ordinal) : name));
  };
#else
  // A copy per test, so that each starts from fresh pools.
  static int loads = 0;
  const std::filesystem::path copy =
      std::filesystem::temp_directory_path() /
      ("libmemcore-test-" + std::to_string(getpid()) + "-" + std::to_string(++loads) + ".so");
  std::filesystem::copy_file(MEMCORE_LIBRARY_PATH, copy,
                             std::filesystem::copy_options::overwrite_existing);
  module_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  std::filesystem::remove(copy);
  auto find = [&](const char* name, int) { return dlsym(module_, name); };
#endif
  if (module_ == nullptr) return;
  free_ = reinterpret_cast<decltype(free_)>(find("MemoryFree", 1));
  info_ = reinterpret_cast<decltype(info_)>(find("MemoryInfo", 2));
  malloc_ = reinterpret_cast<decltype(malloc_)>(find("MemoryMalloc", 3));
  trace_ = reinterpret_cast<decltype(trace_)>(find("MemoryTrace", 4));
  used_ = reinterpret_cast<decltype(used_)>(find("MemoryUsed", 5));
}

// Natively the library stays loaded: unloading would strand its blocks, which the leak checker
// reports. On Windows the next test loads it afresh.
AllocatorUnderTest::~AllocatorUnderTest() {
#ifdef _WIN32
  if (module_ != nullptr) FreeLibrary(static_cast<HMODULE>(module_));
  if (Checked()) DeleteFileA(reportPath_.c_str());
#endif
}

std::string AllocatorUnderTest::Report() const {
  std::ifstream file(reportPath_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}
