#include "srvsetup/settings/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

std::int32_t ParseDecimal(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipDigits(const char* p) {
  while (IsDigit(*p)) ++p;
  return p;
}

// The end of the decimal number that starts at text (after its blanks), or text itself when
// there is none.
const char* DecimalNumberEnd(const char* text) {
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  const char* integerEnd = SkipDigits(p);
  bool digits = integerEnd != p;
  p = integerEnd;
  if (*p == '.') {
    const char* fractionEnd = SkipDigits(p + 1);
    digits = digits || fractionEnd != p + 1;
    p = fractionEnd;
  }
  if (!digits) return text;
  // An exponent counts only with at least one digit: "2e" and "2e+" read as 2.
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (IsDigit(*q)) p = SkipDigits(q);
  }
  return p;
}

}  // namespace

float ParseGravity(const char* text) {
  const char* start = text + std::strspn(text, " \t\n\v\f\r");
  const char* end = DecimalNumberEnd(start);
  if (end == start) return 0.0f;
  // Only the checked decimal text reaches the conversion, which rounds it correctly; the program
  // never changes its locale, so '.' is the decimal point.
  const std::string number(start, end);
  const double value = std::strtod(number.c_str(), nullptr);
  // Beyond FLT_MAX the conversion is undefined in C++; give what the FPU's round-to-nearest
  // gives: FLT_MAX up to half a unit in the last place above it, an infinity from there on.
  const double overflowsAt = static_cast<double>(FLT_MAX) + std::ldexp(1.0, 103);
  if (std::fabs(value) > FLT_MAX) {
    const float magnitude = std::fabs(value) < overflowsAt ? FLT_MAX : HUGE_VALF;
    return value < 0 ? -magnitude : magnitude;
  }
  return static_cast<float>(value);
}
