#include "prep/text_rules.h"

#include <gtest/gtest.h>

TEST(TextRules, LengthCountsEverythingButSpacesAndDecidesTheShade) {
  struct Case {
    const char* text;
    int length;
    TextLengthShade shade;
  };
  const Case cases[] = {
      {"", 0, TextLengthShade::Empty},
      {"   ", 0, TextLengthShade::Empty},
      {"ROTE ROSEN IM", 11, TextLengthShade::Short},
      {"Gruesse vom See", 13, TextLengthShade::Short},
      {"ABCDEFGHIJ KLMN", 14, TextLengthShade::Short},
      {"ABCDEFGHIJ KLMNO", 15, TextLengthShade::Valid},
      {"Gruesse aus Zuerich am See", 22, TextLengthShade::Valid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextLengthWithoutSpaces(c.text), c.length) << c.text;
    EXPECT_EQ(ShadeOfTextLength(c.length), c.shade) << c.text;
  }
  EXPECT_EQ(TextLengthColour(TextLengthShade::Empty), 0xFFFFFFu);
  EXPECT_EQ(TextLengthColour(TextLengthShade::Short), 0xE0E0FFu);
  EXPECT_EQ(TextLengthColour(TextLengthShade::Valid), 0xE0FFE0u);
}
