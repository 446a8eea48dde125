#include "number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

std::int32_t ParseDecimal(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

float ParseGravity(const char* text) {
  // The program never changes its locale, so strtod reads with the C locale's '.'.
  const double value = std::strtod(text, nullptr);
  // Beyond FLT_MAX the conversion is undefined in C++; give what the FPU's round-to-nearest
  // gives: FLT_MAX up to half a unit in the last place above it, an infinity from there on.
  const double overflowsAt = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
  if (std::fabs(value) > FLT_MAX) {
    const float magnitude = std::fabs(value) < overflowsAt ? FLT_MAX : HUGE_VALF;
    return value < 0 ? -magnitude : magnitude;
  }
  return static_cast<float>(value);
}
