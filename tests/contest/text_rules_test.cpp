#include "contest/text_rules.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

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

TEST(TextRules, EachCharacterIsKeptTransliteratedOrMarked) {
  const std::string marker(1, kNotRepresentable);
  struct Case {
    char c;
    std::string result;
  };
  // Windows-1252 bytes.
  const Case cases[] = {
      {'A', "A"},       {'z', "z"},     {'7', "7"},     {' ', " "},       {'.', "."},
      {'-', "-"},       {'/', "/"},     {'?', "?"},     {'\x1B', "\x1B"}, {'\xC4', "Ae"},
      {'\xD6', "Oe"},   {'\xDC', "Ue"}, {'\xE4', "ae"}, {'\xF6', "oe"},   {'\xFC', "ue"},
      {'\'', " "},      {'\xC0', "A"},  {'\xE0', "a"},  {'\xC9', "E"},    {'\xC8', "E"},
      {'\xCA', "E"},    {'\xE9', "e"},  {'\xE8', "e"},  {'\xEA', "e"},    {'\xC7', "C"},
      {'\xE7', "c"},    {'\xDB', "U"},  {'\xFB', "u"},  {'\xCE', "I"},    {'\xEE', "i"},
      {'\xDF', marker}, {'*', marker},  {',', marker},  {';', marker},    {'\xE2', marker},
      {'\x92', marker}, {'\t', marker}, {'\0', marker},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TransliterateCharacter(c.c), c.result)
        << "byte " << static_cast<int>(static_cast<unsigned char>(c.c));
    const bool keptAsItIs = c.result == std::string(1, c.c) && c.c != kNotRepresentable;
    EXPECT_EQ(IsAllowedTextCharacter(c.c), keptAsItIs && c.c != '\x1B')
        << "byte " << static_cast<int>(static_cast<unsigned char>(c.c));
  }
}

TEST(TextRules, CleaningTransliteratesAndKeepsSingleSpacesBetweenWords) {
  struct Case {
    std::string raw;  // Windows-1252
    std::string cleaned;
    bool passes;  // the allowed-character test of the cleaned text
  };
  const Case cases[] = {
      {"Gr\xFCsse aus Z\xFCrich am See", "Gruesse aus Zuerich am See", true},
      {"  Zwei  Leerzeichen   hier \t", "Zwei Leerzeichen hier", true},
      {"'s Chalet am Waldrand", "s Chalet am Waldrand", true},
      {"Bis morgen '", "Bis morgen", true},
      {"L'\xC9t\xE9 au Lac L\xE9man", "L Ete au Lac Leman", true},
      {"Gr\xFC\xDF aus dem Tal", "Grue\0 aus dem Tal"s, false},
      {"Sterne * am Himmel", "Sterne \0 am Himmel"s, false},
      {"Eins, zwei, drei", "Eins\0 zwei\0 drei"s, false},
      {"", "", true},
  };
  for (const Case& c : cases) {
    const std::string cleaned = CleanText(c.raw);
    EXPECT_EQ(cleaned, c.cleaned) << c.raw;
    EXPECT_EQ(PassesAllowedCharacterTest(cleaned), c.passes) << c.raw;
  }
}

TEST(TextRules, AllowedCharacterTestOfTextsAsTheyStand) {
  EXPECT_TRUE(PassesAllowedCharacterTest("QRP-Station 5W / 599?"));
  // The pattern of stored texts admits the asterisk; imported ones never hold it, as cleaning
  // marks it.
  EXPECT_TRUE(PassesAllowedCharacterTest("Sterne * am Himmel"));
  EXPECT_FALSE(PassesAllowedCharacterTest("Sterne, Mond"));
  EXPECT_FALSE(PassesAllowedCharacterTest("Sterne;Mond"));
  EXPECT_FALSE(
      PassesAllowedCharacterTest("Gr\xFC"
                                 "sse"));
  EXPECT_FALSE(PassesAllowedCharacterTest("Esc \x1B im Text"));
}

TEST(TextRules, MarkerCutsTextsAndComparisonIgnoresCaseAndSpaces) {
  EXPECT_EQ(UpToMarker("Grue\0 aus dem Tal"s), "Grue");
  EXPECT_EQ(UpToMarker("\0Tal"s), "");
  EXPECT_EQ(UpToMarker("Ganz ohne"), "Ganz ohne");

  EXPECT_EQ(TextComparisonKey("Gruesse vom Seeufer"), "GRUESSEVOMSEEUFER");
  EXPECT_EQ(TextComparisonKey("GRUESSEVOMSEEUFER"), TextComparisonKey("Gruesse vom  Seeufer"));
  EXPECT_TRUE(SameTextIgnoringCase("Alpenrosen am Grat", "ALPENROSEN AM GRAT"));
  EXPECT_FALSE(SameTextIgnoringCase("Alpenrosen am Grat", "Alpenrosen amGrat"));
  EXPECT_FALSE(SameTextIgnoringCase("Alpenrosen", "Alpenrosen am"));
}
