// A test library built like memcore.dll (the pools, the forwarding operator new, the diagnostics)
// with entry points of its own, so that a test can capture and intern from inside a library.
#include <cstddef>
#include <cstdint>

#include "memcore/diagnostics/call_stack.h"
#include "memcore/diagnostics/string_pool.h"
#include "memcore/pool/memory_manager.h"

#define PROBE_EXPORT extern "C" __declspec(dllexport)

namespace {

char* probeOut;
std::size_t probeSize;
int probeLength;
int* probeLines;  // the lines of the calls in ProbeInner, ProbeMiddle and ProbeOuter

// A known chain of frames; not inlined, and each call returns to its caller.
[[gnu::noinline]] void ProbeInner() {
  probeLength = CaptureCallStack(probeOut, probeSize, 64, 0); probeLines[0] = __LINE__;
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeMiddle() {
  ProbeInner(); probeLines[1] = __LINE__;
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeOuter() {
  ProbeMiddle(); probeLines[2] = __LINE__;
  asm volatile("" ::: "memory");
}

}  // namespace

PROBE_EXPORT int ProbeCapture(char* out, std::size_t size, int lines[3]) {
  probeOut = out;
  probeSize = size;
  probeLines = lines;
  ProbeOuter();
  return probeLength;
}

PROBE_EXPORT const char* ProbeIntern(const char* text) { return InternString(text); }

PROBE_EXPORT std::uint32_t ProbeMemoryUsed() { return MemoryUsed(); }
