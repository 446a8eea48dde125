#include "srvsetup/settings/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

TEST(ParseDecimal, ReadsLikeStrtolWithBase10) {
  EXPECT_EQ(ParseDecimal("16"), 16);
  EXPECT_EQ(ParseDecimal("12abc"), 12);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("-5"), -5);
  EXPECT_EQ(ParseDecimal("  +42"), 42);
  EXPECT_EQ(ParseDecimal("010"), 10) << "base 10, not octal";
  EXPECT_EQ(ParseDecimal("0x1F"), 0) << "base 10, not hexadecimal";
  EXPECT_EQ(ParseDecimal("3.9"), 3);
}

TEST(ParseDecimal, ClampsToThe32BitRange) {
  EXPECT_EQ(ParseDecimal("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseDecimal("2147483648"), INT32_MAX);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal("-2147483649"), INT32_MIN);
  EXPECT_EQ(ParseDecimal("99999999999999999999999"), INT32_MAX);
  EXPECT_EQ(ParseDecimal("-99999999999999999999999"), INT32_MIN);
}

TEST(ParseGravity, ReadsLikeStrtodInTheCLocale) {
  EXPECT_EQ(ParseGravity("800"), 800.0f);
  EXPECT_EQ(ParseGravity("800.00"), 800.0f);
  EXPECT_EQ(ParseGravity("9.81"), 9.81f);
  EXPECT_EQ(ParseGravity("1,5"), 1.0f) << "the comma is no decimal point";
  EXPECT_EQ(ParseGravity("abc"), 0.0f);
  EXPECT_EQ(ParseGravity("-3e2x"), -300.0f);
}

TEST(ParseGravity, NarrowsOutOfRangeValuesToInfinity) {
  EXPECT_EQ(ParseGravity("1e39"), HUGE_VALF);
  EXPECT_EQ(ParseGravity("-1e39"), -HUGE_VALF);
  EXPECT_EQ(ParseGravity("3.4028235e38"), FLT_MAX) << "rounds to the largest float";
  EXPECT_EQ(ParseGravity("1e-50"), 0.0f);
  EXPECT_TRUE(std::isnan(ParseGravity("nan")));
}

}  // namespace
