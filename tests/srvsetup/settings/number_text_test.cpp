#include "srvsetup/settings/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

TEST(ParseDecimal, ReadsLikeStrtolWithBase10ClampedTo32Bits) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"16", 16}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"-5", -5}, {"  +42", 42}, {"010", 10}, {"0x1F", 0},
      {"3.9", 3}, {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483649", INT32_MIN},
      {"99999999999999999999999", INT32_MAX}, {"-99999999999999999999999", INT32_MIN},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

TEST(ParseGravity, ReadsTheDecimalFormOnlyNarrowedToFloat) {
  const std::pair<const char*, float> cases[] = {
      {"800.00", 800.0f}, {"9.81", 9.81f}, {"1,5", 1.0f}, {"abc", 0.0f}, {"", 0.0f},
      {" \t+12.5", 12.5f}, {"-3e2x", -300.0f}, {"5E-1", 0.5f}, {"2e", 2.0f}, {"2e+", 2.0f},
      {".5", 0.5f}, {"7.", 7.0f}, {".", 0.0f}, {"-", 0.0f}, {"+-1", 0.0f}, {"- 1", 0.0f},
      {"1e39", HUGE_VALF}, {"-1e39", -HUGE_VALF}, {"3.4028235e38", FLT_MAX}, {"1e-50", 0.0f},
      // What a C library may read beyond the decimal form gives no number or stops early.
      {"nan", 0.0f}, {"-NaN", 0.0f}, {"inf", 0.0f}, {"infinity", 0.0f}, {"0x1p3", 0.0f},
      {"1x2", 1.0f}, {"10nan", 10.0f},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(ParseGravity(text), value) << text;
    EXPECT_FALSE(std::signbit(ParseGravity(text)) && value == 0.0f) << text;
  }
}

}  // namespace
