// The display styles: the stored Windows colour values of each style (the
// numbers kiv.ini keeps), the menu order, and lookups by command id.

#include <gtest/gtest.h>

#include "core/appearance/display_styles.h"

using namespace kiv;

TEST(DisplayStyles, StoreTheByteReversedColoursOfEachStyle) {
  // component, FontColor, BGColor, SelFontColor, SelBGColor as kiv.ini holds them.
  struct Case {
    const char* component;
    int font, back, selFont, selBack;
  } cases[] = {
      {"NortonCommander1", 65535, 8388608, 8388608, 65535},
      {"N301", 0, 16777215, 16777215, 8388608},
      {"KWritedefault1", 0, 16777215, 16777215, 255},
      {"Spring1", 16777215, 6401842, 6401842, 16777215},
      {"Universe1", 65535, 0, 0, 65535},
      {"DOSNavigator1", 0, 12632256, 12632256, 0},
      {"N17", 16776960, 0, 0, 16776960},
      {"StandartWindows1", 0, 16777215, 16777215, 0},
      {"OldoldUNIX1", 65280, 0, 0, 65535},
      {"Kids1", 0, 65280, 16777215, 16711935},
      {"Oldpaper1", 0, 14415101, 14415101, 0},
      {"N47", 16777215, 0, 0, 16777215},
      {"Typewriter101", 16777215, 8388608, 8388608, 16777215},
  };
  ASSERT_EQ(displayStyles().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_STREQ(displayStyles()[i].component, c.component);
    const DisplayStyle* style = findDisplayStyle(c.component);
    ASSERT_NE(style, nullptr) << c.component;
    Settings s;
    storeDisplayStyle(s, *style);
    EXPECT_EQ(s.textColor, c.font) << c.component;
    EXPECT_EQ(s.backgroundColor, c.back) << c.component;
    EXPECT_EQ(s.selectionTextColor, c.selFont) << c.component;
    EXPECT_EQ(s.selectionBackgroundColor, c.selBack) << c.component;
  }
}

TEST(DisplayStyles, OnlyDosNavigatorReappliesSettingsAndUnknownIdsAreNone) {
  for (const auto& s : displayStyles()) EXPECT_EQ(s.reapplySettings, std::string_view(s.component) == "DOSNavigator1");
  EXPECT_EQ(findDisplayStyle("Spring"), nullptr);
  EXPECT_EQ(findDisplayStyle(""), nullptr);
}

TEST(DisplayStyles, ColourSwapIsItsOwnInverse) {
  for (int rgb : {0, 0x123456, 0xFFFFFF, 0x800000, 0x0000FF}) EXPECT_EQ(colorRefFromRgb(colorRefFromRgb(rgb)), rgb);
  EXPECT_EQ(colorRefFromRgb(0x000080), 0x800000);
}
