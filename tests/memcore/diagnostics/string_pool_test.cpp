#include "memcore/diagnostics/string_pool.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InternStringTest, EqualTextsGiveOneStoredCopyThatOutlivesTheCallersBuffer) {
  auto* buffer = new std::string(80, 'x');  // stored outside the string object
  const char* stored = InternString(buffer->c_str());
  EXPECT_NE(stored, buffer->c_str());
  EXPECT_EQ(InternString(std::string(80, 'x').c_str()), stored) << "from another buffer";
  (*buffer)[0] = 'y';
  delete buffer;
  for (int i = 0; i < 2000; ++i) InternString(std::to_string(i).c_str());
  EXPECT_EQ(stored, std::string(80, 'x'));
  EXPECT_EQ(InternString(std::string(80, 'x').c_str()), stored);
}

TEST(InternStringTest, TextsDifferingInAnyByteOrInLengthGetCopiesOfTheirOwn) {
  const std::string longText(100, 'k');
  const char* stored = InternString("DM/harbour");
  const char* storedLong = InternString(longText.c_str());
  for (const std::string& other :
       {std::string("DM/harbouR"), std::string("dM/harbour"), std::string("DM/harbou"),
        std::string("DM/harbour "), std::string("\xe9M/harbour"), longText + "k",
        longText.substr(1) + "j"}) {
    const char* copy = InternString(other.c_str());
    EXPECT_NE(copy, stored) << other;
    EXPECT_NE(copy, storedLong) << other;
    EXPECT_EQ(copy, other);
  }
}

TEST(InternStringTest, EmptyTextIsTheOneStaticEmptyTextAndNullStaysNull) {
  char buffer[1] = {'\0'};
  const char* empty = InternString(buffer);
  ASSERT_NE(empty, nullptr);
  EXPECT_NE(empty, buffer);
  EXPECT_EQ(*empty, '\0');
  EXPECT_EQ(InternString(""), empty);
  EXPECT_EQ(InternString(nullptr), nullptr);
}

}  // namespace
