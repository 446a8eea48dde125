// Joining rotation names into the 256-byte mapRotation field.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "srvsetup/maps/map_dialogs.h"

namespace {

TEST(RotationTextTest, EachNameTakesOneBlankAndOnlyWholeNamesThatFitGoIn) {
  char rotation[kTextFieldSize] = "";
  EXPECT_TRUE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_TRUE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_STREQ(rotation, "dm/a dm/a ");
  EXPECT_FALSE(AppendRotationEntry(rotation, std::string(245, 'm').c_str()));  // no room for the terminator
  EXPECT_STREQ(rotation, "dm/a dm/a ");
  EXPECT_TRUE(AppendRotationEntry(rotation, std::string(244, 'm').c_str()));  // fills 255 bytes exactly
  EXPECT_EQ(std::strlen(rotation), 255u);
  EXPECT_EQ(rotation[254], ' ');
  EXPECT_FALSE(AppendRotationEntry(rotation, ""));
}

TEST(RotationTextTest, RefusesAFieldWithoutTerminator) {
  char rotation[kTextFieldSize];
  std::memset(rotation, 'x', sizeof rotation);
  EXPECT_FALSE(AppendRotationEntry(rotation, "dm/a"));
  EXPECT_EQ(rotation[kTextFieldSize - 1], 'x');
}

}  // namespace
