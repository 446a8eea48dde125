// A test library built like memcore.dll (the pools, the forwarding operator new, the diagnostics)
// whose ProbeCapture captures from inside it, at the end of a known chain of three functions.
#include "memcore/diagnostics/call_stack.h"

namespace {

char* probeOut;
std::size_t probeSize;
int probeLength;
int* probeLines;

// Not inlined, and each call returns to its caller, so that each has a frame of its own. Each
// call shares its line with the store of that line, as does its return address.
[[gnu::noinline]] void ProbeInner() {
  probeLines[0] = (probeLength = CaptureCallStack(probeOut, probeSize, 64, 0), __LINE__);
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeMiddle() {
  probeLines[1] = (ProbeInner(), __LINE__);
  asm volatile("" ::: "memory");
}

[[gnu::noinline]] void ProbeOuter() {
  probeLines[2] = (ProbeMiddle(), __LINE__);
  asm volatile("" ::: "memory");
}

}  // namespace

// The text's length; the lines of the three calls, innermost first, in lines.
extern "C" __declspec(dllexport) int ProbeCapture(char* out, std::size_t size, int lines[3]) {
  probeOut = out;
  probeSize = size;
  probeLines = lines;
  ProbeOuter();
  return probeLength;
}
