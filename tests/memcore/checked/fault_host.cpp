// A host of memcore-checked.dll, loaded by name as a server would, built with frame pointers and
// DWARF 4 so that the report can name its functions and lines.
//   fault_host faults SITES   commits one fault of each kind, each from a function of its own,
//                             and ends with two leaks;
//   fault_host overlap SITES  calls from two threads at once until an overlap is reported, then
//                             releases what they kept from the main thread.
// Each fault's site goes to SITES as "kind<TAB>function<TAB>line<TAB>text its headline holds".
// The exit code is 0 unless the host saw a payload change under it, or the runtime heap damaged.
#include <malloc.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// MemoryMalloc typed for what the host does with its payloads: the same call.
struct Exports {
  unsigned char*(__cdecl* malloc)(std::int32_t);
  void(__cdecl* free)(void*);
  void(__cdecl* info)();
} memcore;

FILE* sites;

int Site(const char* kind, const char* function, int line, const char* headline = "") {
  return std::fprintf(sites, "%s\t%s\t%d\t%s\n", kind, function, line, headline);
}

// Each fault's call and its site record share a line.

[[gnu::noinline]] void ReleaseTwice() {
  unsigned char* payload = memcore.malloc(24);
  memcore.free(payload);
  memcore.free(payload), Site("double release", __func__, __LINE__);
}

[[gnu::noinline]] void ReleaseInterior() {
  unsigned char* payload = memcore.malloc(40);
  memcore.free(payload + 8), Site("unknown pointer", __func__, __LINE__);
  memcore.free(payload);
}

[[gnu::noinline]] void WritePastRequest() {
  unsigned char* payload = memcore.malloc(5);
  std::memset(payload, 0x55, 8);
  memcore.free(payload), Site("overrun", __func__, __LINE__);
}

[[gnu::noinline]] void WriteOverHeader() {
  unsigned char* payload = memcore.malloc(12);
  payload[-2] = 0x7F;
  memcore.free(payload), Site("overrun", __func__, __LINE__);
}

// A full block hands a released slot out again at once. Nothing else uses this class.
[[gnu::noinline]] void WriteAfterRelease() {
  unsigned char* slots[64];
  for (unsigned char*& slot : slots) slot = memcore.malloc(30);
  memcore.free(slots[9]);
  slots[9][3] = 0x77;
  slots[9] = memcore.malloc(30), Site("written after release", __func__, __LINE__);
  for (unsigned char* slot : slots) memcore.free(slot);
}

[[gnu::noinline]] void LeakThree() {
  int line = 0;
  for (int i = 0; i < 3; ++i) memcore.malloc(40), line = __LINE__;
  Site("leak", __func__, line, "leak: 3 allocations, 120 bytes");
}

[[gnu::noinline]] void LeakLarge() {
  memcore.malloc(500), Site("leak", __func__, __LINE__, "leak: 1 allocation, 500 bytes");
}

std::string ReportText() {
  char path[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("MEMCORE_REPORT", path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Payloads carry their thread's cookie over the bytes requested; one of every 16 is kept for
// the main thread to release. Counts the payloads found changed.
struct Worker {
  unsigned char cookie;
  std::vector<std::pair<unsigned char*, std::int32_t>> kept;
  int changed = 0;
};

bool Intact(const unsigned char* payload, std::int32_t size, unsigned char cookie) {
  for (std::int32_t i = 0; i < size; ++i) {
    if (payload[i] != cookie) return false;
  }
  return true;
}

int churnLine = 0;

[[gnu::noinline]] void Churn(Worker& worker) {
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t size = 1 + (i * 7 + worker.cookie) % 60;
    unsigned char* payload;
    payload = memcore.malloc(size), churnLine = __LINE__;
    if (payload == nullptr) continue;
    std::memset(payload, worker.cookie, size);
    if (i % 16 == 0) {
      worker.kept.emplace_back(payload, size);
      continue;
    }
    if (!Intact(payload, size, worker.cookie)) ++worker.changed;
    memcore.free(payload);
  }
}

DWORD WINAPI RunWorker(void* worker) {
  Churn(*static_cast<Worker*>(worker));
  return 0;
}

int Overlap() {
  Worker workers[2] = {{0x5A, {}}, {0xA5, {}}};
  // Rounds until a call has gone to the runtime heap beside another; not every round overlaps.
  for (int round = 0; round < 200; ++round) {
    HANDLE threads[2];
    for (int t = 0; t < 2; ++t)
      threads[t] = CreateThread(nullptr, 0, RunWorker, &workers[t], 0, nullptr);
    WaitForMultipleObjects(2, threads, TRUE, INFINITE);
    for (HANDLE thread : threads) CloseHandle(thread);
    if (ReportText().find("served from the runtime heap") != std::string::npos) break;
  }
  Site("overlapping calls", "Churn", churnLine, "served from the runtime heap");
  int changed = 0;
  for (Worker& worker : workers) {
    changed += worker.changed;
    for (auto [payload, size] : worker.kept) {
      if (!Intact(payload, size, worker.cookie)) ++changed;
      memcore.free(payload);
    }
  }
  memcore.info();
  return (changed != 0 ? 1 : 0) | (_heapchk() != _HEAPOK ? 2 : 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 64;
  sites = std::fopen(argv[2], "wb");
  const HMODULE library = LoadLibraryA("memcore-checked.dll");
  if (sites == nullptr || library == nullptr) return 65;
  memcore.malloc = reinterpret_cast<decltype(memcore.malloc)>(
      reinterpret_cast<void*>(GetProcAddress(library, "MemoryMalloc")));
  memcore.free = reinterpret_cast<decltype(memcore.free)>(
      reinterpret_cast<void*>(GetProcAddress(library, "MemoryFree")));
  memcore.info = reinterpret_cast<decltype(memcore.info)>(
      reinterpret_cast<void*>(GetProcAddress(library, "MemoryInfo")));
  if (!memcore.malloc || !memcore.free || !memcore.info) return 66;
  int status = 0;
  if (std::strcmp(argv[1], "faults") == 0) {
    ReleaseTwice();
    ReleaseInterior();
    WritePastRequest();
    WriteOverHeader();
    WriteAfterRelease();
    LeakThree();
    LeakLarge();
  } else {
    status = Overlap();
  }
  std::fclose(sites);
  return status;
}
