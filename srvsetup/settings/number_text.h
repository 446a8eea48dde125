// Reading the numbers that the dialogs take as text.
#pragma once

#include <cstdint>

// Decimal like strtol with base 10: leading blanks and a sign accepted, reading stops at the
// first non-digit, no digits give 0. Out-of-range values clamp to the 32-bit limits on every
// platform (a Linux long is 64 bits wide).
std::int32_t ParseDecimal(const char* text);

// The decimal form only: leading blanks, an optional sign, digits with an optional '.', an
// optional exponent; reading stops at the first character that does not fit, and no number gives
// 0. Nothing else a C library's strtod may take ("nan", "inf", hexadecimal) is read. Narrowed to
// single precision; values beyond the float range become infinities instead of undefined behaviour.
float ParseGravity(const char* text);
