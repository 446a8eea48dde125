// Joining rotation names into the 256-byte mapRotation field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/maps/map_dialogs.h"

namespace {

TEST(RotationText, EachNameIsFollowedByOneBlank) {
  char rotation[kTextFieldSize] = "";
  EXPECT_TRUE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_TRUE(AppendRotationEntry(rotation, "dm/b"));
  EXPECT_TRUE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_STREQ(rotation, "dm/a dm/b dm/a ");
}

TEST(RotationText, FillsTheFieldExactlyAndRefusesOneByteMore) {
  char rotation[kTextFieldSize] = "";
  EXPECT_FALSE(AppendRotationEntry(rotation, std::string(255, 'm').c_str()));  // its blank has no room
  EXPECT_STREQ(rotation, "");
  EXPECT_TRUE(AppendRotationEntry(rotation, std::string(254, 'm').c_str()));
  EXPECT_EQ(std::strlen(rotation), 255u);
  EXPECT_EQ(rotation[254], ' ');
  EXPECT_FALSE(AppendRotationEntry(rotation, ""));
}

TEST(RotationText, ANameThatWouldOverflowLeavesTheTextWhole) {
  char rotation[kTextFieldSize] = "";
  const std::string name(60, 'n');
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(AppendRotationEntry(rotation, name.c_str()));
  const std::string before = rotation;
  EXPECT_EQ(before.size(), 244u);
  EXPECT_FALSE(AppendRotationEntry(rotation, name.c_str()));
  EXPECT_EQ(std::string(rotation), before);
  EXPECT_TRUE(AppendRotationEntry(rotation, "obj/x"));  // ten bytes still fit
  EXPECT_EQ(std::string(rotation), before + "obj/x ");
}

TEST(RotationText, RefusesAFieldWithoutTerminator) {
  char rotation[kTextFieldSize];
  std::memset(rotation, 'x', sizeof rotation);
  EXPECT_FALSE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_EQ(rotation[kTextFieldSize - 1], 'x');
}

}  // namespace
