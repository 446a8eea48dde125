// The French string table as the program reads it back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "srvsetup/resources/captions.h"
#include "srvsetup/resources/resource.h"
#include "french_texts.h"

namespace {

std::string Loaded(UINT id) {
  char text[kCaptionSize];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST(StringTable, EveryEntryIsByteExactInCodePage1252) {
  for (int id = 1; id < kStringCount; ++id) {
    if (kFrenchTexts[id] == nullptr) continue;
    EXPECT_EQ(Loaded(id), kFrenchTexts[id]) << "string " << id;
  }
}

TEST(StringTable, KeepsTrailingBlanksAndTheNoBreakSpace) {
  EXPECT_EQ(Loaded(IDS_GAME_OPTIONS), "Options partie ");
  EXPECT_EQ(Loaded(IDS_MAX_PING), "Ping max. ");
  const std::string warning = Loaded(IDS_NO_MAP_WARNING);
  ASSERT_GE(warning.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(warning[warning.size() - 2]), 0xA0);
  EXPECT_EQ(warning.back(), '!');
}

TEST(StringTable, HasNoEntryBeyondTheTableNorAt68) {
  char text[kCaptionSize] = "untouched";
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 68, text, sizeof text), 0);
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 0, text, sizeof text), 0);
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), kStringCount, text, sizeof text), 0);
}

TEST(StringTable, LoadTextCutsToItsBufferAndEmptiesOnAMissingEntry) {
  char shortText[8];
  LoadText(GetModuleHandleA(nullptr), IDS_APP_TITLE, shortText);
  EXPECT_STREQ(shortText, "Utilita");
  char missing[16] = "untouched";
  LoadText(GetModuleHandleA(nullptr), 68, missing);
  EXPECT_STREQ(missing, "");
}

}  // namespace
