// A test library built like memcore.dll (the pools, the forwarding operator new, the diagnostics)
// whose ProbeCapture captures from inside it, at the end of a known chain of three functions.
#include "memcore/diagnostics/call_stack.h"

namespace {

struct {
  char* out;
  std::size_t size;
  int length;
  int* lines;
} probe;

// Not inlined, and each call returns to its caller, so that each has a frame of its own. Each
// call shares its line with the store of that line, as does its return address.
[[gnu::noinline]] void ProbeInner() {
  probe.lines[0] = (probe.length = CaptureCallStack(probe.out, probe.size, 64, 0), __LINE__);
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeMiddle() {
  probe.lines[1] = (ProbeInner(), __LINE__);
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeOuter() {
  probe.lines[2] = (ProbeMiddle(), __LINE__);
  asm volatile("" ::: "memory");
}

}  // namespace

// The text's length; the lines of the three calls, innermost first, in lines.
extern "C" __declspec(dllexport) int ProbeCapture(char* out, std::size_t size, int lines[3]) {
  probe = {out, size, 0, lines};
  ProbeOuter();
  return probe.length;
}
